// The plug-in bridge of farelib4 as a host calls it, against plug-ins built
// by the tests (tests/wine/plugins): probe_plugin reports what reaches it and
// counts its start-ups and shut-downs in the environment; partial_plugin has
// GetPlgInfo only.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/blackbox/dll_fixtures.h"
#include "support/library.h"

// What a call through observe_call saw the moment the export returned.
struct CallOutcome {
  int32_t result;
  int32_t drift;   // i686: bytes the stack pointer ended from where the callee must leave it
  uint32_t flags;  // the flags register
  uint32_t ebx, esi, edi;  // i686: the registers the callee keeps, loaded with kKeptMarks before the call
};
constexpr uint32_t kKeptMarks[3] = {0xB0B0B0B0u, 0x5151515Au, 0xD1D1D1D1u};
constexpr uint32_t kDirectionFlag = 0x400;

#if defined(__i386__)
// Calls a stdcall function with `count` 32-bit argument slots and the kept
// registers holding kKeptMarks, and records what came back in `out`. The
// registers the caller keeps are restored from this routine's frame, and
// the direction flag cleared, whatever the function did.
extern "C" void observe_call(FARPROC fn, const uint32_t* slots, uint32_t count, CallOutcome* out);
asm(R"(
    .text
    .globl _observe_call
    .def _observe_call; .scl 2; .type 32; .endef
_observe_call:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    subl $64, %esp
    movl %esp, -16(%ebp)
    movl 16(%ebp), %ecx
    movl 12(%ebp), %edx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%edx,%ecx,4)
    jmp 1b
2:  movl $0xB0B0B0B0, %ebx
    movl $0x5151515A, %esi
    movl $0xD1D1D1D1, %edi
    call *8(%ebp)
    pushfl
    pushl %eax
    movl 20(%ebp), %eax
    popl (%eax)
    popl 8(%eax)
    cld
    movl %ebx, 12(%eax)
    movl %esi, 16(%eax)
    movl %edi, 20(%eax)
    movl %esp, %ecx
    subl -16(%ebp), %ecx
    movl %ecx, 4(%eax)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");
#else
// x86_64: calls fn(a0, a1) and records its result and the flags register the
// moment it returned (then clears the direction flag).
extern "C" void observe_call2(FARPROC fn, uint64_t a0, uint64_t a1, CallOutcome* out);
asm(R"(
    .text
    .globl observe_call2
    .def observe_call2; .scl 2; .type 32; .endef
observe_call2:
    pushq %rbx
    movq %r9, %rbx
    subq $32, %rsp
    movq %rcx, %rax
    movq %rdx, %rcx
    movq %r8, %rdx
    call *%rax
    movl %eax, (%rbx)
    pushfq
    popq %rax
    movl %eax, 8(%rbx)
    cld
    addq $32, %rsp
    popq %rbx
    ret
)");
#endif

namespace {

std::string Env(const char* name) {
  char b[512];
  DWORD n = GetEnvironmentVariableA(name, b, sizeof b);
  return n > 0 && n < sizeof b ? std::string(b, n) : std::string();
}
int EnvCount(const char* name) { return std::atoi(Env(name).c_str()); }

std::string Hex8(int32_t v) {
  char b[16];
  std::snprintf(b, sizeof b, " %08lX", static_cast<unsigned long>(static_cast<uint32_t>(v)));
  return b;
}

PluginInfo Pattern() {
  PluginInfo p;
  for (int i = 0; i < FARE_PLUGIN_INFO_VALUES; ++i) p.value[i] = static_cast<int32_t>(0x5A5A0000u + static_cast<uint32_t>(i));
  return p;
}

std::string Values(const PluginInfo& p) {
  std::string s;
  for (int32_t v : p.value) s += Hex8(v);
  return s;
}

class Bridge : public blackbox::Farelib4Bridge {
 protected:
  void SetUp() override {
    for (const char* name : {"FLPROBE_ATTACH", "FLPROBE_DETACH", "FLPROBE_CALL", "FLPROBE_REFUSE", "FLPROBE_INFO",
                             "FLPROBE_RETURN", "FLPARTIAL_ATTACH", "FLPARTIAL_DETACH"})
      SetEnvironmentVariableA(name, nullptr);
    Farelib4Bridge::SetUp();
  }
  bool Loaded(const std::string& path) { return GetModuleHandleA(path.c_str()) != nullptr; }

  // Every bridge export on one path: {GetPlgInfo, SetPlgComment, SetCorpAddList, DrawSeiriken}
  // results, each with a host record holding the pattern, which must survive a 0.
  void ExpectAllGiveZero(const char* path, const char* what) {
    PluginInfo info = Pattern();
    EXPECT_EQ(farelib.ZE4_GetPlgInfo(path, &info), 0) << what << ": ZE4_GetPlgInfo";
    EXPECT_EQ(Values(info), Values(Pattern())) << what << ": the host's record must stay as it was";
    EXPECT_EQ(farelib.ZE4_SetPlgComment(path, 1), 0) << what << ": ZE4_SetPlgComment";
    EXPECT_EQ(farelib.ZE4_SetCorpAddList(path, 1), 0) << what << ": ZE4_SetCorpAddList";
    EXPECT_EQ(farelib.ZE4_DrawSeiriken(path, 1, 2, 3, 4, 5, 6, 7, 8), 0) << what << ": ZE4_DrawSeiriken";
  }

  const std::string probe = support::BesideProgram("probe_plugin.dll");
  const std::string partial = support::BesideProgram("partial_plugin.dll");
};

TEST_F(Bridge, PluginsThatCannotBeLoadedGiveZeroAndTouchNothing) {
  ExpectAllGiveZero(support::BesideProgram("no_such_plugin.dll").c_str(), "a path naming no file");
  ExpectAllGiveZero("", "an empty path");
  ExpectAllGiveZero(nullptr, "a null path");
  ExpectAllGiveZero(support::BesideProgram("").c_str(), "a folder");

  char dir[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, dir), 0u);
  const std::string text_file = std::string(dir) + "farelib_not_a_plugin.dll";
  FILE* f = std::fopen(text_file.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("MZ but no more: this is no library\r\n", f);
  std::fclose(f);
  ExpectAllGiveZero(text_file.c_str(), "a file that is no DLL");
  DeleteFileA(text_file.c_str());

  SetEnvironmentVariableA("FLPROBE_REFUSE", "1");
  ExpectAllGiveZero(probe.c_str(), "a plug-in whose start-up refuses");
  EXPECT_EQ(Env("FLPROBE_CALL"), "") << "no entry point may run";
  EXPECT_FALSE(Loaded(probe));
}

TEST_F(Bridge, MissingEntryPointGivesZeroAndUnloadsAgain) {
  // partial_plugin has GetPlgInfo, and the other three only under other cases.
  PluginInfo info = Pattern();
  EXPECT_EQ(farelib.ZE4_GetPlgInfo(partial.c_str(), &info), 1);
  EXPECT_EQ(info.value[0], 7);
  struct Case {
    const char* what;
    int32_t result;
  } cases[] = {
      {"ZE4_DrawSeiriken", farelib.ZE4_DrawSeiriken(partial.c_str(), 1, 2, 3, 4, 5, 6, 7, 8)},
      {"ZE4_SetPlgComment (exported as setplgcomment)", farelib.ZE4_SetPlgComment(partial.c_str(), 1)},
      {"ZE4_SetCorpAddList (exported as SetCorpAddlist)", farelib.ZE4_SetCorpAddList(partial.c_str(), 1)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, 0) << c.what << ": the look-up is by exact name";
  EXPECT_FALSE(Loaded(partial)) << "the bridge must free what it loaded";
  EXPECT_EQ(EnvCount("FLPARTIAL_ATTACH"), 4);
  EXPECT_EQ(EnvCount("FLPARTIAL_DETACH"), 4) << "one shut-down per start-up";

  // With the host holding it: the load count after the call is what it was before.
  HMODULE held = LoadLibraryA(partial.c_str());
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(farelib.ZE4_DrawSeiriken(partial.c_str(), 1, 2, 3, 4, 5, 6, 7, 8), 0);
  EXPECT_TRUE(Loaded(partial)) << "the bridge freed a reference it did not take";
  FreeLibrary(held);
  EXPECT_FALSE(Loaded(partial)) << "the bridge left a reference behind";
}

TEST_F(Bridge, GetPlgInfoCopiesAllFourteenValuesWhateverThePluginReturns) {
  const std::string zeros = Values(PluginInfo{});
  struct Case {
    const char* info_mode;
    const char* returns;
    std::string want;
  } cases[] = {
      {"none", "1", zeros},
      {"none", "0", zeros},
      {"three", "-1", Hex8(-1) + Hex8(INT32_MIN) + Hex8(3) + zeros.substr(3 * 9)},
      {"three", "0", Hex8(-1) + Hex8(INT32_MIN) + Hex8(3) + zeros.substr(3 * 9)},
      {"all", "-1",
       Hex8(0) + Hex8(0) + " C0DE0002 C0DE0003 C0DE0004 C0DE0005 C0DE0006 C0DE0007 C0DE0008 C0DE0009"
                           " C0DE000A C0DE000B C0DE000C C0DE000D"},
  };
  for (const auto& c : cases) {
    SetEnvironmentVariableA("FLPROBE_INFO", c.info_mode);
    SetEnvironmentVariableA("FLPROBE_RETURN", c.returns);
    PluginInfo info = Pattern();
    EXPECT_EQ(farelib.ZE4_GetPlgInfo(probe.c_str(), &info), 1) << "GetPlgInfo writing " << c.info_mode << ", returning " << c.returns;
    EXPECT_EQ(Values(info), c.want) << "GetPlgInfo writing " << c.info_mode << ", returning " << c.returns;
    EXPECT_EQ(Env("FLPROBE_CALL"), "GetPlgInfo" + zeros)
        << "the plug-in gets a zero-filled record of the bridge's, never the host's";
  }
  PluginInfo* no_record = nullptr;
  EXPECT_EQ(farelib.ZE4_GetPlgInfo(probe.c_str(), no_record), 0) << "a null record";
  EXPECT_EQ(EnvCount("FLPROBE_ATTACH"), 5) << "a null record loads nothing";
}

TEST_F(Bridge, ValuesReachThePluginBitForBit) {
  for (int32_t v : {0, 1, -1, INT32_MIN, INT32_MAX, 0x12345678, static_cast<int32_t>(0xFFFF0000u)}) {
    EXPECT_EQ(farelib.ZE4_SetPlgComment(probe.c_str(), v), 1);
    EXPECT_EQ(Env("FLPROBE_CALL"), "SetPlgComment" + Hex8(v));
    EXPECT_EQ(farelib.ZE4_SetCorpAddList(probe.c_str(), v), 1);
    EXPECT_EQ(Env("FLPROBE_CALL"), "SetCorpAddList" + Hex8(v));
  }
  SetEnvironmentVariableA("FLPROBE_RETURN", "0");
  EXPECT_EQ(farelib.ZE4_SetPlgComment(probe.c_str(), 5), 1) << "the plug-in's return value does not count";
  SetEnvironmentVariableA("FLPROBE_RETURN", "-1");
  EXPECT_EQ(farelib.ZE4_DrawSeiriken(probe.c_str(), 0, 0, 0, 0, 0, 0, 0, 0), 1) << "the plug-in's return value does not count";
}

TEST_F(Bridge, DrawSeirikenWidensTheLastThreeFromTheirLow16Bits) {
  struct Case {
    int32_t in[8];
    const char* want;
  } cases[] = {
      // The first value with only its top bit set, the sixth with the low 16 bits set and 1 above.
      {{INT32_MIN, 2, 3, 4, 5, 0x0001FFFF, 0, 0}, " 80000000 00000002 00000003 00000004 00000005 FFFFFFFF 00000000 00000000"},
      {{-1, INT32_MAX, 0, 0x10000, -2, 0x00008000, 0x7FFF, static_cast<int32_t>(0xFFFF7FFFu)},
       " FFFFFFFF 7FFFFFFF 00000000 00010000 FFFFFFFE FFFF8000 00007FFF 00007FFF"},
      {{0, 0, 0, 0, 0, 0x12340005, static_cast<int32_t>(0xABCD0000u), -1},
       " 00000000 00000000 00000000 00000000 00000000 00000005 00000000 FFFFFFFF"},
      {{1, 2, 3, 4, 5, -32768, 32767, -2}, " 00000001 00000002 00000003 00000004 00000005 FFFF8000 00007FFF FFFFFFFE"},
  };
  for (const auto& c : cases) {
    const int32_t* v = c.in;
    EXPECT_EQ(farelib.ZE4_DrawSeiriken(probe.c_str(), v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]), 1);
    EXPECT_EQ(Env("FLPROBE_CALL"), std::string("DrawSeiriken") + c.want);
  }
}

TEST_F(Bridge, EachCallStartsAndStopsThePlugin) {
  EXPECT_EQ(farelib.ZE4_SetPlgComment(probe.c_str(), 42), 1);
  EXPECT_EQ(farelib.ZE4_SetPlgComment(probe.c_str(), 42), 1);
  EXPECT_EQ(EnvCount("FLPROBE_ATTACH"), 2) << "two calls, two start-ups";
  EXPECT_EQ(EnvCount("FLPROBE_DETACH"), 2) << "two calls, two shut-downs";
  EXPECT_FALSE(Loaded(probe));

  PluginInfo info = Pattern();
  EXPECT_EQ(farelib.ZE4_GetPlgInfo(probe.c_str(), &info), 1);
  EXPECT_EQ(info.value[0], 0) << "the comment went with the unloaded plug-in";
}

TEST_F(Bridge, PluginHeldByTheHostKeepsItsState) {
  HMODULE held = LoadLibraryA(probe.c_str());
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(farelib.ZE4_SetPlgComment(probe.c_str(), 42), 1);
  EXPECT_EQ(farelib.ZE4_SetCorpAddList(probe.c_str(), -7), 1);
  PluginInfo info = Pattern();
  EXPECT_EQ(farelib.ZE4_GetPlgInfo(probe.c_str(), &info), 1);
  EXPECT_EQ(info.value[0], 42) << "what SetPlgComment handed over";
  EXPECT_EQ(info.value[1], -7) << "what SetCorpAddList handed over";
  EXPECT_EQ(EnvCount("FLPROBE_ATTACH"), 1) << "only the host's load starts the plug-in";
  EXPECT_EQ(EnvCount("FLPROBE_DETACH"), 0);
  FreeLibrary(held);
  EXPECT_FALSE(Loaded(probe)) << "the bridge left a reference behind";
  EXPECT_EQ(EnvCount("FLPROBE_DETACH"), 1);
}

// A plug-in that breaks the stdcall agreement on i686 (cdecl entry points,
// which leave their arguments on the stack; entry points that take 12 bytes
// where they are given 4, or 16 where they are given 32) still gets its
// values, the export gives 1 as for any plug-in, and the export returns to
// the host with the stack pointer where the host's stdcall call expects it.
TEST_F(Bridge, EntryPointsThatAreNotStdcallLeaveTheHostsStackAsItWas) {
  using support::ExportId;
  struct Request {
    ExportId id;
    std::vector<uint32_t> values;  // after the plug-in's path
    std::string recorded;          // what a probe built with the plug-in's own declarations records
  };
  const std::string cdecl_plugin = support::BesideProgram("cdecl_plugin.dll");
  const std::string miscounted = support::BesideProgram("miscounted_plugin.dll");
  PluginInfo info = Pattern();
  const uint32_t info_slot = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&info));
  struct Case {
    const std::string& plugin;
    Request call;
  } cases[] = {
      {cdecl_plugin, {ExportId::ZE4_SetPlgComment, {0x11223344u}, "SetPlgComment 11223344"}},
      {cdecl_plugin, {ExportId::ZE4_SetCorpAddList, {0xFFFFFFFEu}, "SetCorpAddList FFFFFFFE"}},
      {cdecl_plugin, {ExportId::ZE4_GetPlgInfo, {info_slot}, "GetPlgInfo" + Values(PluginInfo{})}},
      {cdecl_plugin,
       {ExportId::ZE4_DrawSeiriken, {1, 2, 3, 4, 5, 0x0001FFFF, 7, 8},
        "DrawSeiriken 00000001 00000002 00000003 00000004 00000005 FFFFFFFF 00000007 00000008"}},
      {miscounted, {ExportId::ZE4_SetPlgComment, {0x7FFFFFFFu}, "SetPlgComment 7FFFFFFF"}},
      {miscounted, {ExportId::ZE4_SetCorpAddList, {5}, "SetCorpAddList 00000005"}},
      {miscounted,
       {ExportId::ZE4_DrawSeiriken, {9, 10, 11, 12, 13, 14, 15, 16}, "DrawSeiriken 00000009 0000000A 0000000B 0000000C"}},
  };
  for (const auto& c : cases) {
    const std::string what = std::string(support::Row(c.call.id).name) + " with " + c.plugin.substr(c.plugin.find_last_of('\\') + 1);
    SetEnvironmentVariableA("FLPROBE_CALL", nullptr);
    FARPROC fn = farelib.Address(c.call.id);
    ASSERT_NE(fn, nullptr) << what;
    std::vector<uint32_t> slots = {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(c.plugin.c_str()))};
    slots.insert(slots.end(), c.call.values.begin(), c.call.values.end());
    int32_t result = -1;
#if defined(__i386__)
    CallOutcome seen{};
    observe_call(fn, slots.data(), static_cast<uint32_t>(slots.size()), &seen);
    result = seen.result;
    EXPECT_EQ(seen.drift, 0) << what << ": bytes the stack pointer is off after the export returned";
#else
    // x86_64 has one calling convention: nothing can be off; the values still count.
    const char* path = c.plugin.c_str();
    const uint32_t* v = c.call.values.data();
    switch (c.call.id) {
      case ExportId::ZE4_DrawSeiriken:
        result = farelib.ZE4_DrawSeiriken(path, static_cast<int32_t>(v[0]), static_cast<int32_t>(v[1]),
                                          static_cast<int32_t>(v[2]), static_cast<int32_t>(v[3]),
                                          static_cast<int32_t>(v[4]), static_cast<int32_t>(v[5]),
                                          static_cast<int32_t>(v[6]), static_cast<int32_t>(v[7]));
        break;
      case ExportId::ZE4_GetPlgInfo:
        result = farelib.ZE4_GetPlgInfo(path, &info);
        break;
      case ExportId::ZE4_SetPlgComment:
        result = farelib.ZE4_SetPlgComment(path, static_cast<int32_t>(v[0]));
        break;
      default:
        result = farelib.ZE4_SetCorpAddList(path, static_cast<int32_t>(v[0]));
        break;
    }
#endif
    EXPECT_EQ(result, 1) << what << ": the entry point was found and called";
    EXPECT_EQ(Env("FLPROBE_CALL"), c.call.recorded) << what << ": what reached the plug-in";
  }
  EXPECT_EQ(info.value[2], static_cast<int32_t>(0xC0DE0002u)) << "the cdecl plug-in's record reached the host";
}

// A plug-in that returns with the direction flag set: the export still
// gives 1 and the values arrive, and the flag is clear again when the export
// returns, since the host's compiled code assumes it is.
TEST_F(Bridge, EntryPointsThatLeaveTheDirectionFlagSetDoNotHandItToTheHost) {
  using support::ExportId;
  const std::string plugin = support::BesideProgram("direction_plugin.dll");
  struct Case {
    const char* name;
    ExportId id;
    uint32_t value;
    const char* recorded;
  } cases[] = {
      {"ZE4_SetPlgComment", ExportId::ZE4_SetPlgComment, 0x01020304u, "SetPlgComment 01020304"},
      {"ZE4_SetCorpAddList", ExportId::ZE4_SetCorpAddList, 0xFFFFFFFFu, "SetCorpAddList FFFFFFFF"},
  };
  for (const auto& c : cases) {
    SetEnvironmentVariableA("FLPROBE_CALL", nullptr);
    FARPROC fn = farelib.Address(c.id);
    ASSERT_NE(fn, nullptr) << c.name;
    CallOutcome seen{};
#if defined(__i386__)
    const uint32_t slots[] = {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(plugin.c_str())), c.value};
    observe_call(fn, slots, 2, &seen);
    EXPECT_EQ(seen.drift, 0) << c.name << ": bytes the stack pointer is off after the export returned";
#else
    observe_call2(fn, reinterpret_cast<uintptr_t>(plugin.c_str()), c.value, &seen);
#endif
    EXPECT_EQ(seen.flags & kDirectionFlag, 0u) << c.name << ": flags 0x" << std::hex << seen.flags
                                               << " after the export returned, the direction flag set";
    EXPECT_EQ(seen.result, 1) << c.name << ": the entry point was found and called";
    EXPECT_EQ(Env("FLPROBE_CALL"), c.recorded) << c.name << ": what reached the plug-in";
  }
}

#if defined(__i386__)
// The largest overrun survived: an entry point that writes the 64 argument
// slots beyond the one it was given. The export gives 1, and the host gets
// back its stack pointer and the registers it keeps as they were.
TEST_F(Bridge, EntryPointThatWritesSixtyFourSlotsBeyondItsArgumentsLeavesTheHostIntact) {
  const std::string plugin = support::BesideProgram("overrun_plugin.dll");
  FARPROC fn = farelib.Address(support::ExportId::ZE4_SetPlgComment);
  ASSERT_NE(fn, nullptr);
  const uint32_t slots[] = {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(plugin.c_str())), 0x600DF00Du};
  CallOutcome seen{};
  observe_call(fn, slots, 2, &seen);
  EXPECT_EQ(seen.result, 1) << "the entry point was found and called";
  EXPECT_EQ(seen.drift, 0) << "bytes the stack pointer is off after the export returned";
  const uint32_t kept[3] = {seen.ebx, seen.esi, seen.edi};
  const char* names[3] = {"EBX", "ESI", "EDI"};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(kept[i], kKeptMarks[i]) << names[i] << " after the export returned: expected 0x" << std::hex
                                      << kKeptMarks[i] << ", got 0x" << kept[i];
  EXPECT_EQ(Env("FLPROBE_CALL"), "SetPlgComment 600DF00D") << "what reached the plug-in";
}
#endif

}  // namespace
