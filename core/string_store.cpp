#include "core/string_store.h"

#include <cstring>

namespace farelib {

const char kUnknownStringMessage[] = "未知の文字列が解放されようとしました。\r\n";

namespace {
// The shared empty string when even its heap block cannot be had: length 0,
// then the NUL. Writable, because a host may write the NUL it was given.
alignas(4) unsigned char g_static_fallback[8];
constexpr std::int32_t kInitialCapacity = 64;
}  // namespace

bool StringStore::Attach(const StoreHost& host) {
  host_ = host;
  count_ = 0;
  capacity_ = 0;
  // A one-byte block that the first Create grows.
  items_ = static_cast<char**>(host_.alloc_zeroed(host_.ctx, 1));
  // The shared empty string: a zero-filled block like Create(0)'s, never in
  // the list and never freed.
  unsigned char* block = static_cast<unsigned char*>(host_.alloc_zeroed(host_.ctx, 5));
  fallback_ = reinterpret_cast<char*>((block ? block : g_static_fallback) + 4);
  return items_ != nullptr;
}

bool StringStore::Register(char* text) {
  host_.lock(host_.ctx);
  if (count_ == capacity_) {
    std::int64_t grown = capacity_ < kInitialCapacity ? kInitialCapacity : capacity_ + std::int64_t{capacity_} / 4;
    if (grown > INT32_MAX) grown = INT32_MAX;
    void* items = nullptr;
    if (grown > capacity_ && static_cast<std::uint64_t>(grown) <= SIZE_MAX / sizeof(char*)) {
      std::size_t bytes = static_cast<std::size_t>(grown) * sizeof(char*);
      items = items_ ? host_.resize(host_.ctx, items_, bytes) : host_.alloc_zeroed(host_.ctx, bytes);
    }
    if (items == nullptr) {
      host_.unlock(host_.ctx);
      return false;
    }
    items_ = static_cast<char**>(items);
    capacity_ = static_cast<std::int32_t>(grown);
  }
  items_[count_++] = text;
  host_.unlock(host_.ctx);
  return true;
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
  if (n > 0 && !IsFallback(text)) std::memcpy(text, source, static_cast<std::size_t>(n));
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

void StringStore::Release(const char* text) {
  if (text == nullptr || IsFallback(text)) return;
  host_.lock(host_.ctx);
  // Newest first: the strings the library releases are the ones it has just made.
  std::int32_t i = count_ - 1;
  while (i >= 0 && items_[i] != text) --i;
  if (i < 0) {
    host_.unlock(host_.ctx);
    host_.debug_output(host_.ctx, kUnknownStringMessage);
    return;
  }
  --count_;
  std::memmove(items_ + i, items_ + i + 1, static_cast<std::size_t>(count_ - i) * sizeof(char*));
  host_.unlock(host_.ctx);
  host_.free_block(host_.ctx, const_cast<char*>(text) - 4);
}

bool StringStore::IsLive(const char* text) const {
  for (std::int32_t i = count_ - 1; i >= 0; --i)
    if (items_[i] == text) return true;
  return false;
}

}  // namespace farelib
