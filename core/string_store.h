// The store of library-owned strings.
//
// Every text the library builds, keeps or hands out is a ReturnedString: a
// zero-filled heap block of n + 5 bytes holding the 32-bit length n, the n
// text bytes and a NUL. Everyone holds it by the address of its text
// (block + 4), so it reads as an ordinary C string and its length sits in the
// four bytes before it.
//
// StringStore keeps the list of live blocks in order of allocation, so that a
// block can be released by its text pointer alone. It knows nothing of the
// platform: the heap, the lock and the debugger output come in a StoreHost.
//
// Cost: strings handed to the host are never released, so the list only
// grows. The list grows in steps of a quarter of its size and a release searches from the
// newest entry, where the strings that the library releases (its own
// temporaries, made a moment before) stand: no call gets slower as the host
// collects strings.
//
// Heap exhaustion: a string that cannot be made, or cannot be registered, is
// the shared empty string (length 0, first byte NUL), which is never in the
// list and which Release ignores. Nothing registered is ever lost. The shared
// empty string is a block of the store's heap too, taken at Attach and never
// freed, so a host holds it as long as any other string: it outlives the
// library's image if the host unloads the DLL. Only when the heap cannot give
// even that block is it one in the library's own data.
#ifndef FARELIB_CORE_STRING_STORE_H
#define FARELIB_CORE_STRING_STORE_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace farelib {

// What the store needs from the platform. All functions get ctx first.
struct StoreHost {
  void* ctx;
  void* (*alloc_zeroed)(void* ctx, std::size_t bytes);            // null on failure
  void* (*resize)(void* ctx, void* block, std::size_t bytes);     // null on failure, block intact
  void (*free_block)(void* ctx, void* block);
  void (*lock)(void* ctx);
  void (*unlock)(void* ctx);
  void (*debug_output)(void* ctx, const char* text);               // NUL-terminated CP932
};

// "未知の文字列が解放されようとしました。\r\n" in code page 932: what Release
// writes for a pointer that is no live string.
extern const char kUnknownStringMessage[];

class StringStore {
 public:
  // Zero-initialised storage is a valid "not yet attached" store; Attach
  // makes it usable. Attach may be called once. False when the list cannot
  // be had (the shared empty string always can).
  bool Attach(const StoreHost& host);

  // A new registered string of n NUL bytes (n >= 0).
  char* Create(std::int32_t n);
  // A new registered copy of n bytes at source (source may be null when n is 0).
  char* CreateCopy(const char* source, std::int32_t n);
  char* CreateEmpty() { return Create(0); }
  // A new string holding left then right; both inputs are released.
  char* Concatenate(char* left, char* right);
  // Unregister and free a live string. Null is ignored silently; any other
  // pointer that is no live string is reported on the debugger output.
  void Release(const char* text);

  static std::int32_t Length(const char* text) {
    std::int32_t n;
    std::memcpy(&n, text - 4, 4);
    return n;
  }
  // The shared empty string given out when the heap fails (set by Attach).
  char* FallbackEmpty() const { return fallback_; }
  bool IsFallback(const char* text) const { return text == fallback_; }

  // For tests and diagnostics.
  std::int32_t LiveCount() const { return count_; }
  bool IsLive(const char* text) const;
  // The live strings, oldest first (valid until the next change).
  char* const* Items() const { return items_; }

 private:
  bool Register(char* text);  // false when the list cannot grow

  StoreHost host_;
  char** items_;
  std::int32_t count_;
  std::int32_t capacity_;
  char* fallback_;
};

}  // namespace farelib

#endif
