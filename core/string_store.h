// The store of library-owned strings.
//
// Every text the library builds, keeps or hands out is a ReturnedString: a
// zero-filled heap block of n + 5 bytes holding the 32-bit length n, the n
// text bytes and a NUL. Everyone holds it by the address of its text
// (block + 4), so it reads as an ordinary C string and its length sits in the
// four bytes before it.
//
// StringStore keeps the set of live blocks, so that a block can be released
// by its text pointer alone. It knows nothing of the platform: the heap, the
// locks and the debugger output come in a StoreHost.
//
// Threads: the set is split into kStripes lists, each under a lock of its
// own, and a text belongs to the list that a hash of its address picks. Any
// thread may release a string that another made: the address alone finds
// the list, and a pointer that is no live string is looked for in the one
// list where it would be. Each list keeps its entries in order of
// allocation. A lock is held only while a list is searched or changed,
// never across a heap call: a full list takes a larger block outside its
// lock and moves to it under the lock. Threads that make strings at once
// wait for each other only when their strings fall into the same list.
//
// Cost: strings handed to the host are never released, so the lists only
// grow. A full list doubles, and a release searches from the newest entry,
// where the strings that the library releases (its own temporaries, made a
// moment before) stand: no call gets slower as the host collects strings.
//
// Heap exhaustion: a string that cannot be made, or cannot be registered, is
// the shared empty string (length 0, first byte NUL), which is never listed
// and which Release ignores. Nothing registered is ever lost. The shared
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

// What the store needs from the platform. All functions get ctx first. The
// store calls them from any thread, and the heap functions never while it
// holds a lock.
struct StoreHost {
  void* ctx;
  void* (*alloc_zeroed)(void* ctx, std::size_t bytes);  // null on failure
  void (*free_block)(void* ctx, void* block);
  // One lock per list, numbered 0 to StringStore::kStripes - 1. The store
  // holds at most one at a time.
  void (*lock)(void* ctx, int stripe);
  void (*unlock)(void* ctx, int stripe);
  void (*debug_output)(void* ctx, const char* text);  // NUL-terminated CP932
};

// "未知の文字列が解放されようとしました。\r\n" in code page 932: what Release
// writes for a pointer that is no live string.
extern const char kUnknownStringMessage[];

class StringStore {
 public:
  static constexpr int kStripeBits = 4;
  static constexpr int kStripes = 1 << kStripeBits;

  // Zero-initialised storage is a valid "not yet attached" store; Attach
  // makes it usable. Attach may be called once, before any other thread uses
  // the store. The lists are taken from the heap as strings arrive.
  void Attach(const StoreHost& host);

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

  // The list a text belongs to.
  static int StripeOf(const char* text);

  // For tests and diagnostics; each takes the locks it needs.
  std::int32_t LiveCount() const;
  bool IsLive(const char* text) const;
  // The live strings of list `stripe`, oldest first, and the list's block
  // (null before its first string). Valid while no other thread changes it.
  std::int32_t StripeCount(int stripe) const { return stripes_[stripe].count; }
  char* const* StripeItems(int stripe) const { return stripes_[stripe].items; }

 private:
  // One list, on a cache line of its own: threads that work on different
  // lists do not slow each other down.
  struct alignas(64) Stripe {
    char** items;
    std::int32_t count;
    std::int32_t capacity;
  };
  // False when the list is full and cannot grow.
  bool Register(char* text);
  bool RegisterInLargerList(int stripe, char* text);
  // Where text stands in list s (caller holds its lock), or -1.
  static std::int32_t IndexIn(const Stripe& s, const char* text);

  StoreHost host_;
  char* fallback_;
  Stripe stripes_[kStripes];
};

}  // namespace farelib

#endif
