/* Does this kernel run 32-bit x86 code inside a 64-bit process?
 *
 * Wine's wow64 mode runs the i686 programs and DLLs that way: it switches
 * to the kernel's 32-bit user code segment (selector 0x23) and makes
 * 32-bit system calls (int $0x80) for its thread areas. Some kernels have
 * both switched off ("IA-32 emulation off"); no i686 Windows program can
 * start there. Each check runs in a child process, so a fault only ends
 * the child.
 *
 * Exit status: 0 when both work; 1 when they do not (a line on standard
 * output says which); 2 when the probe itself could not run. */
#define _GNU_SOURCE
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#if !defined(__x86_64__)
int main(void) { puts("not an x86_64 machine"); return 1; }
#else

/* Far-jumps to 32-bit code in the segment of the 32-bit selector
 * (mov $42, %eax; lret). In 32-bit mode the stack and the return address
 * must lie below 4 GB, and this program's need not: so everything the
 * 32-bit code touches is in one low page, with its own stack at the top,
 * and the far return lands on a 64-bit stub there that takes the saved
 * stack pointer back and jumps home.
 *   page + 0    32-bit code
 *   page + 16   mov 64(%rip-relative) -> %rsp; jmp *72(...)
 *   page + 64   the 64-bit stack pointer; page + 72 the address to go back to */
static int Run32BitCode(void) {
  unsigned char* page =
      mmap(NULL, 4096, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (page == MAP_FAILED) return 2;
  static const unsigned char code32[] = {0xB8, 42, 0, 0, 0, 0xCB};
  /* mov rsp, [rip + 41] (ends at 23; 23 + 41 = 64); jmp [rip + 43] (ends at 29; 29 + 43 = 72) */
  static const unsigned char stub64[] = {0x48, 0x8B, 0x25, 41, 0, 0, 0, 0xFF, 0x25, 43, 0, 0, 0};
  memcpy(page, code32, sizeof code32);
  memcpy(page + 16, stub64, sizeof stub64);
  struct __attribute__((packed)) { uint32_t offset; uint16_t selector; } target = {(uint32_t)(uintptr_t)page, 0x23};
  int result;
  __asm__ volatile(
      "leaq 1f(%%rip), %%rax\n\t"
      "movq %%rax, 72(%[page])\n\t"
      "movq %%rsp, 64(%[page])\n\t"
      "leaq 4088(%[page]), %%rsp\n\t"
      "leaq 16(%[page]), %%rax\n\t"
      "movl %%eax, (%%rsp)\n\t"
      "movl $0x33, 4(%%rsp)\n\t"
      "ljmpl *(%[target])\n"
      "1:\n\t"
      : "=&a"(result)
      : [page] "r"(page), [target] "r"(&target)
      : "memory");
  return result == 42 ? 0 : 1;
}

/* A 32-bit system call from 64-bit code: getpid is 20 in that table. */
static int Make32BitSystemCall(void) {
  long pid = 20;
  __asm__ volatile("int $0x80" : "+a"(pid) : : "memory");
  return pid == getpid() ? 0 : 1;
}

static int InChild(int (*check)(void)) {
  fflush(stdout);
  pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) _exit(check());
  int status;
  if (waitpid(child, &status, 0) != child) return 2;
  if (WIFSIGNALED(status)) return 1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

int main(void) {
  int code = InChild(Run32BitCode);
  int call = InChild(Make32BitSystemCall);
  if (code == 2 || call == 2) {
    puts("the probe could not run");
    return 2;
  }
  if (code || call) {
    printf("this kernel runs no 32-bit x86 code (%s%s%s)\n", code ? "no 32-bit code segment" : "",
           code && call ? ", " : "", call ? "no 32-bit system calls" : "");
    return 1;
  }
  puts("this kernel runs 32-bit x86 code");
  return 0;
}
#endif
