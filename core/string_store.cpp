#include "core/string_store.h"

#include <cstring>

namespace farelib {

const char kUnknownStringMessage[] = "未知の文字列が解放されようとしました。\r\n";

namespace {
// The shared empty string when even its heap block cannot be had: length 0,
// then the NUL. Writable, because a host may write the NUL it was given.
alignas(4) unsigned char g_static_fallback[8];
constexpr std::int32_t kInitialCapacity = 64;

// The capacity a full list grows to; not more than `capacity` when it cannot grow.
// Doubling: each entry is copied about once more on its way up, where
// growing by a quarter copied it about four times more.
std::int64_t Grown(std::int32_t capacity) {
  std::int64_t grown = capacity < kInitialCapacity ? kInitialCapacity : std::int64_t{capacity} * 2;
  if (grown > INT32_MAX) grown = INT32_MAX;
  if (static_cast<std::uint64_t>(grown) > SIZE_MAX / sizeof(char*)) grown = capacity;
  return grown;
}
// n bytes from `from` to `to`, two blocks that do not overlap. Texts are
// mostly short, and for them a call into the C runtime's memcpy costs more
// than the copy: up to 16 bytes move as two fixed-size pieces that overlap
// in the middle, which the compiler turns into plain loads and stores.
inline void CopyBytes(char* to, const char* from, std::size_t n) {
  if (n > 16) {
    std::memcpy(to, from, n);
  } else if (n >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + n - 8, from + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + n - 4, from + n - 4, 4);
  } else if (n > 0) {
    to[0] = from[0];
    to[n / 2] = from[n / 2];
    to[n - 1] = from[n - 1];
  }
}
}  // namespace

void StringStore::Attach(const StoreHost& host) {
  host_ = host;
  for (Stripe& s : stripes_) s = Stripe{};
  // The shared empty string: a zero-filled block like Create(0)'s, never in
  // a list and never freed.
  unsigned char* block = static_cast<unsigned char*>(host_.alloc_zeroed(host_.ctx, 5));
  fallback_ = reinterpret_cast<char*>((block ? block : g_static_fallback) + 4);
}

int StringStore::StripeOf(const char* text) {
  // Heap blocks are 8-byte aligned at least: the bits below carry nothing.
  // A multiplicative hash in the machine's word, its top bits the list.
  const std::uintptr_t a = reinterpret_cast<std::uintptr_t>(text) >> 3;
  if constexpr (sizeof(std::uintptr_t) == 8)
    return static_cast<int>((static_cast<std::uint64_t>(a) * 0x9E3779B97F4A7C15u) >> (64 - kStripeBits));
  else
    return static_cast<int>((static_cast<std::uint32_t>(a) * 0x9E3779B9u) >> (32 - kStripeBits));
}

// Every string made passes here: kept small, so that it is inlined.
[[gnu::always_inline]] inline bool StringStore::Register(char* text) {
  const int i = StripeOf(text);
  Stripe& s = stripes_[i];
  host_.lock(host_.ctx, i);
  if (s.count < s.capacity) {
    s.items[s.count++] = text;
    host_.unlock(host_.ctx, i);
    return true;
  }
  host_.unlock(host_.ctx, i);
  return RegisterInLargerList(i, text);
}

bool StringStore::RegisterInLargerList(int i, char* text) {
  Stripe& s = stripes_[i];
  // A larger list, taken from the heap outside the lock. By the time the
  // lock is held again another thread may have grown the list, and even
  // filled it again; the spare is then given back or taken anew.
  char** spare = nullptr;
  std::int64_t spare_capacity = 0;
  for (;;) {
    host_.lock(host_.ctx, i);
    if (s.count == s.capacity && spare_capacity > s.capacity) {
      if (s.count > 0) std::memcpy(spare, s.items, static_cast<std::size_t>(s.count) * sizeof(char*));
      char** old = s.items;
      s.items = spare;
      s.capacity = static_cast<std::int32_t>(spare_capacity);
      spare = old;  // freed below
    }
    if (s.count < s.capacity) {
      s.items[s.count++] = text;
      host_.unlock(host_.ctx, i);
      if (spare != nullptr) host_.free_block(host_.ctx, spare);
      return true;
    }
    const std::int64_t wanted = Grown(s.capacity);
    const bool can_grow = wanted > s.capacity;
    host_.unlock(host_.ctx, i);
    if (spare != nullptr) host_.free_block(host_.ctx, spare);
    spare = can_grow ? static_cast<char**>(host_.alloc_zeroed(host_.ctx, static_cast<std::size_t>(wanted) * sizeof(char*)))
                     : nullptr;
    if (spare == nullptr) return false;
    spare_capacity = wanted;
  }
}

char* StringStore::Create(std::int32_t n) {
  if (n < 0) return FallbackEmpty();
  std::size_t bytes = static_cast<std::size_t>(n) + 5;
  if (bytes < 5) return FallbackEmpty();  // size_t wrapped (32-bit)
  unsigned char* block = static_cast<unsigned char*>(host_.alloc_zeroed(host_.ctx, bytes));
  if (block == nullptr) return FallbackEmpty();
  std::memcpy(block, &n, 4);
  char* text = reinterpret_cast<char*>(block + 4);
  if (!Register(text)) {
    host_.free_block(host_.ctx, block);
    return FallbackEmpty();
  }
  return text;
}

char* StringStore::CreateCopy(const char* source, std::int32_t n) {
  char* text = Create(n);
  if (n > 0 && !IsFallback(text)) CopyBytes(text, source, static_cast<std::size_t>(n));
  return text;
}

char* StringStore::Concatenate(char* left, char* right) {
  std::int64_t n = static_cast<std::int64_t>(Length(left)) + Length(right);
  char* text = n > INT32_MAX ? FallbackEmpty() : Create(static_cast<std::int32_t>(n));
  if (!IsFallback(text)) {
    std::memcpy(text, left, static_cast<std::size_t>(Length(left)));
    std::memcpy(text + Length(left), right, static_cast<std::size_t>(Length(right)));
  }
  Release(left);
  Release(right);
  return text;
}

std::int32_t StringStore::IndexIn(const Stripe& s, const char* text) {
  // Newest first: the strings the library releases are the ones it has just made.
  std::int32_t at = s.count - 1;
  while (at >= 0 && s.items[at] != text) --at;
  return at;
}

void StringStore::Release(const char* text) {
  if (text == nullptr || IsFallback(text)) return;
  const int i = StripeOf(text);
  Stripe& s = stripes_[i];
  host_.lock(host_.ctx, i);
  const std::int32_t at = IndexIn(s, text);
  if (at < 0) {
    host_.unlock(host_.ctx, i);
    host_.debug_output(host_.ctx, kUnknownStringMessage);
    return;
  }
  --s.count;
  std::memmove(s.items + at, s.items + at + 1, static_cast<std::size_t>(s.count - at) * sizeof(char*));
  host_.unlock(host_.ctx, i);
  host_.free_block(host_.ctx, const_cast<char*>(text) - 4);
}

std::int32_t StringStore::LiveCount() const {
  std::int32_t live = 0;
  for (int i = 0; i < kStripes; ++i) {
    host_.lock(host_.ctx, i);
    live += stripes_[i].count;
    host_.unlock(host_.ctx, i);
  }
  return live;
}

bool StringStore::IsLive(const char* text) const {
  const int i = StripeOf(text);
  const Stripe& s = stripes_[i];
  host_.lock(host_.ctx, i);
  const std::int32_t at = IndexIn(s, text);
  host_.unlock(host_.ctx, i);
  return at >= 0;
}

}  // namespace farelib
