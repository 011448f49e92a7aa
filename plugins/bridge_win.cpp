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

#include "farelib.h"
#include "fareplugin.h"
#include "plugins/plugin_args.h"

namespace farelib {
namespace {

// Loads the plug-in, finds `name` and hands the entry point to `call` as a
// Proc. FreeLibrary runs exactly once on every path on which the load
// succeeded, after `call` has returned.
template <class Proc, class Call>
std::int32_t CallPlugin(const char* path, const char* name, Call call) {
  if (path == nullptr) return 0;  // LoadLibraryA has nothing to load
  HMODULE plugin = LoadLibraryA(path);
  if (plugin == nullptr) return 0;
  FARPROC entry = GetProcAddress(plugin, name);
  if (entry == nullptr) {
    FreeLibrary(plugin);
    return 0;
  }
  call(reinterpret_cast<Proc>(reinterpret_cast<void*>(entry)));
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
  return farelib::CallPlugin<GetPlgInfoProc>(plugin_path, "GetPlgInfo", [&](GetPlgInfoProc entry) {
    entry(&own);
    for (int i = 0; i < farelib::kPluginInfoValues; ++i) info->value[i] = own.value[i];
  });
}

extern "C" int32_t WINAPI ZE4_SetPlgComment(const char* plugin_path, int32_t value) {
  return farelib::CallPlugin<SetPlgCommentProc>(plugin_path, "SetPlgComment",
                                                [&](SetPlgCommentProc entry) { entry(value); });
}

extern "C" int32_t WINAPI ZE4_SetCorpAddList(const char* plugin_path, int32_t value) {
  return farelib::CallPlugin<SetCorpAddListProc>(plugin_path, "SetCorpAddList",
                                                 [&](SetCorpAddListProc entry) { entry(value); });
}

// v1 to v5 go on as whole 32-bit values; of v6 to v8 only the low 16 bits
// count, widened with their sign.
extern "C" int32_t WINAPI ZE4_DrawSeiriken(const char* plugin_path, int32_t v1, int32_t v2, int32_t v3, int32_t v4,
                                           int32_t v5, int32_t v6, int32_t v7, int32_t v8) {
  using farelib::WidenLow16;
  return farelib::CallPlugin<DrawSeirikenProc>(plugin_path, "DrawSeiriken", [&](DrawSeirikenProc entry) {
    entry(v1, v2, v3, v4, v5, WidenLow16(v6), WidenLow16(v7), WidenLow16(v8));
  });
}
