// The plug-in bridge: ZE4_GetPlgInfo, ZE4_SetPlgComment, ZE4_SetCorpAddList
// and ZE4_DrawSeiriken (farelib4 only).
//
// Each call loads the plug-in named by the host's path, looks up the entry
// point of the same name (by name, case-sensitive), calls it, and frees the
// plug-in again before returning: no module handle, entry address or value
// outlives the call. The result is 1 when the entry point was found and
// called, 0 when the plug-in could not be loaded or lacks it; the plug-in's
// own return value is ignored.
#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "farelib.h"
#include "fareplugin.h"
#include "plugins/plugin_args.h"

#if defined(__i386__)
// On i686 an entry point is __stdcall by the plug-in's agreement: it takes
// its arguments off the stack itself. One that does not (a cdecl entry
// point, or one declared with other arguments) would leave the stack pointer
// wrong, and the host would break on its way back from our export, far from
// the cause. So the call goes through this routine, which keeps its own frame
// pointer and, below the registers it saves, 256 spare bytes between them and
// the arguments it pushes.
//
// What it survives, whatever the entry point does:
// - any stack pointer on return (too many or too few bytes popped): the
//   stack pointer and EBX, ESI and EDI are restored from the frame;
// - EBX, ESI and EDI left changed;
// - reading or writing up to 64 argument slots beyond those pushed: they
//   fall in the spare bytes;
// - the direction flag left set: it is cleared after the return, since the
//   compiler's code assumes it clear.
// What it does not survive: a changed EBP (the frame is found through it), a
// write beyond those 64 slots (it reaches the saved registers and the return
// address), and anything else an entry point breaks that the calling
// convention leaves to it, such as the x87 control word or stack.
//
//   int32_t farelib_call_balanced(FARPROC entry, const uint32_t* slots, uint32_t count)
//   (cdecl; the slots are pushed last to first, as for any stdcall function)
extern "C" std::int32_t farelib_call_balanced(FARPROC entry, const std::uint32_t* slots, std::uint32_t count);
asm(R"(
    .text
    .globl _farelib_call_balanced
    .def _farelib_call_balanced; .scl 2; .type 32; .endef
_farelib_call_balanced:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    subl $256, %esp
    movl 16(%ebp), %ecx
    movl 12(%ebp), %edx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%edx,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    cld
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");
#endif

namespace farelib {
namespace {

// Calls a plug-in's entry point, of type Proc, with these arguments.
template <class Proc, class... Args>
void Invoke(FARPROC entry, Args... args) {
  static_assert(std::is_invocable_v<Proc, Args...>, "the arguments do not fit the entry point");
#if defined(__i386__)
  // Every argument is one 32-bit stack slot (values and pointers alike).
  const std::uint32_t slots[] = {static_cast<std::uint32_t>((std::uintptr_t)args)...};
  farelib_call_balanced(entry, slots, sizeof...(Args));
#else
  reinterpret_cast<Proc>(reinterpret_cast<void*>(entry))(args...);
  // The calling convention wants the direction flag clear on return, and the
  // compiler's code relies on it; a plug-in that leaves it set must not hand
  // that to the library or the host.
  asm volatile("cld" ::: "memory");
#endif
}

// Loads the plug-in, finds `name` and hands the entry point to `call`.
// FreeLibrary runs exactly once on every path on which the load
// succeeded, after `call` has returned.
template <class Call>
std::int32_t CallPlugin(const char* path, const char* name, Call call) {
  if (path == nullptr) return 0;  // LoadLibraryA has nothing to load
  HMODULE plugin = LoadLibraryA(path);
  if (plugin == nullptr) return 0;
  FARPROC entry = GetProcAddress(plugin, name);
  if (entry == nullptr) {
    FreeLibrary(plugin);
    return 0;
  }
  call(entry);
  FreeLibrary(plugin);
  return 1;
}

}  // namespace
}  // namespace farelib

// The plug-in fills a private, zero-filled record; all 14 values reach the
// host's record only when the call succeeded, before the plug-in is freed.
// A null record gives 0 without loading anything: there is nowhere to
// deliver the values.
extern "C" int32_t WINAPI ZE4_GetPlgInfo(const char* plugin_path, PluginInfo* info) {
  if (info == nullptr) return 0;
  PluginInfo own = {};
  return farelib::CallPlugin(plugin_path, "GetPlgInfo", [&](FARPROC entry) {
    farelib::Invoke<GetPlgInfoProc>(entry, &own);
    for (int i = 0; i < FARE_PLUGIN_INFO_VALUES; ++i) info->value[i] = own.value[i];
  });
}

extern "C" int32_t WINAPI ZE4_SetPlgComment(const char* plugin_path, int32_t value) {
  return farelib::CallPlugin(plugin_path, "SetPlgComment", [&](FARPROC entry) {
    farelib::Invoke<SetPlgCommentProc>(entry, value);
  });
}

extern "C" int32_t WINAPI ZE4_SetCorpAddList(const char* plugin_path, int32_t value) {
  return farelib::CallPlugin(plugin_path, "SetCorpAddList", [&](FARPROC entry) {
    farelib::Invoke<SetCorpAddListProc>(entry, value);
  });
}

// v1 to v5 go on as whole 32-bit values; of v6 to v8 only the low 16 bits
// count, widened with their sign.
extern "C" int32_t WINAPI ZE4_DrawSeiriken(const char* plugin_path, int32_t v1, int32_t v2, int32_t v3, int32_t v4,
                                           int32_t v5, int32_t v6, int32_t v7, int32_t v8) {
  using farelib::WidenLow16;
  return farelib::CallPlugin(plugin_path, "DrawSeiriken", [&](FARPROC entry) {
    farelib::Invoke<DrawSeirikenProc>(entry, v1, v2, v3, v4, v5, WidenLow16(v6), WidenLow16(v7), WidenLow16(v8));
  });
}
