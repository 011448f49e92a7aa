/* Runs a command under a filter that kills any process making a system call
 * that is not one of x86_64's own: a 32-bit call (int $0x80, sysenter, any
 * call of a 32-bit process) or an x32 one.
 *
 * The emulated i686 path runs every Wine process under it: there the i686
 * programs run in qemu-i386, which makes only x86_64 system calls, so a
 * 32-bit process that the kernel ran natively, or Wine's wow64 mode (which
 * makes 32-bit calls for its thread areas), would be killed at its first
 * call instead of passing unnoticed. The filter is a seccomp filter: every
 * process the command starts inherits it, and none can lift it.
 *
 *   x86_64_only CMD [ARG...]
 *
 * Exit status: CMD's own; 126 when the filter could not be set up or CMD
 * not started (a line on standard error says why). A killed process ends
 * with SIGSYS. */
#include <errno.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>
#include <sys/prctl.h>
#include <unistd.h>

/* x32 system calls are x86_64's numbers with this bit set. */
#define X32_SYSCALL_BIT 0x40000000u

int main(int argc, char** argv) {
  if (argc < 2) {
    fputs("usage: x86_64_only CMD [ARG...]\n", stderr);
    return 126;
  }
  struct sock_filter rules[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JGE | BPF_K, X32_SYSCALL_BIT, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  struct sock_fprog program = {sizeof rules / sizeof rules[0], rules};
  /* Without no_new_privs only a privileged process may install a filter,
   * and a set-user-ID program could shed it. */
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
      prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
    fprintf(stderr, "x86_64_only: the filter could not be set up: %s\n", strerror(errno));
    return 126;
  }
  execvp(argv[1], argv + 1);
  fprintf(stderr, "x86_64_only: %s: %s\n", argv[1], strerror(errno));
  return 126;
}
