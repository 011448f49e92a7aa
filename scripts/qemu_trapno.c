/* Preloaded into the 32-bit Wine processes that qemu-i386 runs (the
 * emulated i686 path; scripts/wine-env.sh hands it to qemu alone), built
 * for i386.
 *
 * Why: for a fault of the program it runs, qemu-i386 writes -1 into the
 * signal context's trap number, where the kernel writes the number of the
 * processor's exception. Wine's 32-bit fault handlers decide the Windows
 * exception from that number, and for -1 they log "Got unexpected trap -1"
 * and raise no access violation: a program that reads through a null
 * pointer and catches the access violation dies instead, and Wine's own
 * uses of page faults (guard pages, stack growth) miss too.
 *
 * What: sigaction is wrapped so that the handlers installed for the fault
 * signals are called through fill_trap_number, which puts in the number the
 * kernel gives for that fault, told by the signal and its code, before the
 * handler sees it. The error code beside it, which says whether a page
 * fault was a read or a write, qemu does fill in. A context whose number
 * is not -1 is left alone.
 *
 * It also takes LD_PRELOAD out of the environment: 64-bit programs that
 * these processes start then find no 32-bit library to preload, and the
 * 32-bit ones get it again from qemu. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ucontext.h>

#if !defined(__i386__)
#error "built for the i386 processes that qemu-i386 runs"
#endif

/* The processor's exception numbers, as the kernel reports them. */
enum {
  TRAP_DIVIDE = 0,
  TRAP_DEBUG = 1,
  TRAP_BREAKPOINT = 3,
  TRAP_INVALID_OPCODE = 6,
  TRAP_GENERAL_PROTECTION = 13,
  TRAP_PAGE_FAULT = 14,
  TRAP_ALIGNMENT = 17,
};

typedef void (*Handler)(int, siginfo_t*, void*);
typedef int (*SigactionFn)(int, const struct sigaction*, struct sigaction*);

/* The program's own handler for each signal that goes through
 * fill_trap_number; null where none does. */
static Handler volatile handlers[NSIG];

static int TrapNumber(int signal, int code) {
  switch (signal) {
    case SIGSEGV: return code == SI_KERNEL ? TRAP_GENERAL_PROTECTION : TRAP_PAGE_FAULT;
    case SIGBUS: return code == BUS_ADRALN ? TRAP_ALIGNMENT : TRAP_PAGE_FAULT;
    case SIGILL: return TRAP_INVALID_OPCODE;
    case SIGFPE: return code == FPE_INTDIV || code == FPE_INTOVF ? TRAP_DIVIDE : -1;
    case SIGTRAP: return code == TRAP_TRACE ? TRAP_DEBUG : TRAP_BREAKPOINT;
    default: return -1;
  }
}

static int IsFaultSignal(int signal) {
  return signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGFPE || signal == SIGTRAP;
}

/* Runs on the signal's own stack before anything of Wine's: it touches the
 * context and calls the handler, nothing more (no library call, no
 * thread-local data). */
static void fill_trap_number(int signal, siginfo_t* info, void* context) {
  greg_t* regs = ((ucontext_t*)context)->uc_mcontext.gregs;
  if (regs[REG_TRAPNO] == -1) regs[REG_TRAPNO] = TrapNumber(signal, info->si_code);
  Handler handler = handlers[signal];
  if (handler) handler(signal, info, context);
}

int sigaction(int signal, const struct sigaction* action, struct sigaction* old) {
  static SigactionFn next;
  if (!next) next = (SigactionFn)dlsym(RTLD_NEXT, "sigaction");
  if (!next || !IsFaultSignal(signal)) return next ? next(signal, action, old) : -1;

  Handler previous = handlers[signal];
  int wrap = action && (action->sa_flags & SA_SIGINFO) && action->sa_sigaction;
  struct sigaction installed;
  if (wrap) {
    installed = *action;
    installed.sa_sigaction = fill_trap_number;
    handlers[signal] = action->sa_sigaction;
  }
  int result = next(signal, wrap ? &installed : action, old);
  if (result != 0) {
    handlers[signal] = previous;
    return result;
  }
  if (action && !wrap) handlers[signal] = 0;
  /* The caller learns its own handler, not the one in between. */
  if (old && previous && old->sa_sigaction == fill_trap_number) old->sa_sigaction = previous;
  return 0;
}

__attribute__((constructor)) static void ForgetPreload(void) { unsetenv("LD_PRELOAD"); }
