// The string store under any sequence of calls on a heap that fails where
// the input says. A model here keeps what each live string must hold; after
// every call the store must agree with it: the same strings, each list of
// them in order of allocation, each with its length prefix, its first and last bytes and its
// NUL (all its bytes when it is made, and at the end of the input); the shared
// empty string unchanged and never listed; one debugger message for each
// release of a pointer that is no live string, and none for the others; no
// block of the heap but the live strings, the lists and the shared empty string.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/string_store.h"
#include "fake_heap.h"
#include "fuzz_support.h"

namespace {

using farelib::StringStore;

struct Held {
  char* text;
  std::string bytes;
};

class StoreModel {
 public:
  explicit StoreModel(int attach_allocs) : s_(attach_allocs) {
    fallback_ = s_.store.FallbackEmpty();
    FUZZ_CHECK(fallback_ != nullptr, "no shared empty string");
    fallback_on_heap_ = s_.heap.blocks.count(fallback_ - 4) != 0;
    FUZZ_CHECK(fallback_on_heap_ == (attach_allocs != 0),
               "Attach with %d allocations: the shared empty string %s on the heap", attach_allocs,
               fallback_on_heap_ ? "is" : "is not");
  }

  // One call, chosen and shaped by the input.
  void Step(flfuzz::Input& in) {
    const std::uint8_t op = in.U8();
    const std::uint8_t failures = in.U8();
    // Bits 0-3: which of the next four heap requests fail; bit 4: every
    // allocation fails.
    s_.heap.fail_pattern = failures & 0x0Fu;
    s_.heap.allocs_left = (failures & 0x10u) ? 0 : -1;
    const bool heap_sound = (failures & 0x1Fu) == 0;
    const bool block_fails = (failures & 0x11u) != 0;  // the string's own block is the first request

    switch (op % 9) {
      case 0: {  // Create
        std::int32_t n = static_cast<std::int32_t>(in.U16() % 300) - 4;
        Made("Create", s_.store.Create(n), n < 0 ? std::string() : std::string(static_cast<std::size_t>(n), '\0'),
             n < 0 || block_fails, heap_sound && n >= 0);
        break;
      }
      case 1: {  // CreateCopy, of a null source when there is nothing to copy
        std::string bytes = in.Bytes(in.U8());
        const char* source = bytes.empty() && (op & 0x80) ? nullptr : bytes.data();
        Made("CreateCopy", s_.store.CreateCopy(source, static_cast<std::int32_t>(bytes.size())), bytes, block_fails,
             heap_sound);
        break;
      }
      case 2:  // CreateEmpty
        Made("CreateEmpty", s_.store.CreateEmpty(), std::string(), block_fails, heap_sound);
        break;
      case 3: {  // Concatenate two live strings (maybe the same one twice) or the shared empty string
        char* left = Pick(in);
        char* right = Pick(in);
        std::string joined = BytesOf(left) + BytesOf(right);
        if (joined.size() > 4096) break;  // a string joined with itself again and again doubles each time
        bool left_live = Forget(left);
        Forget(right);
        // The same live string twice: its second release finds it gone.
        if (left == right && left_live) ++messages_;
        Made("Concatenate", s_.store.Concatenate(left, right), joined, block_fails, heap_sound);
        break;
      }
      case 4: {  // Release a live string
        if (held_.empty()) break;
        char* text = held_[in.Below(static_cast<std::uint32_t>(held_.size()))].text;
        Forget(text);
        s_.store.Release(text);
        break;
      }
      case 5: {  // Release a string released before
        if (dead_.empty()) break;
        char* text = dead_[in.Below(static_cast<std::uint32_t>(dead_.size()))];
        ++messages_;
        s_.store.Release(text);
        break;
      }
      case 6:  // Release null: ignored silently
        s_.store.Release(nullptr);
        break;
      case 7: {  // Release what is no string of the store: inside a live string, or the host's own text
        const char* foreign = foreign_ + 4;
        if (!held_.empty() && (op & 0x80)) {
          const Held& h = held_[in.Below(static_cast<std::uint32_t>(held_.size()))];
          foreign = h.text + 1 + in.Below(static_cast<std::uint32_t>(h.bytes.size()) + 1);
        }
        ++messages_;
        s_.store.Release(foreign);
        break;
      }
      case 8:  // Release the shared empty string: ignored silently
        s_.store.Release(fallback_);
        break;
    }
    s_.heap.fail_pattern = 0;
    s_.heap.allocs_left = -1;
    Check(op % 9, false);
  }

  // Every live string's bytes, in full.
  void CheckAll() { Check(-1, true); }

 private:
  // A live string of the model, or the shared empty string.
  char* Pick(flfuzz::Input& in) {
    std::uint32_t i = in.Below(static_cast<std::uint32_t>(held_.size()) + 1);
    return i < held_.size() ? held_[i].text : fallback_;
  }
  std::string BytesOf(const char* text) const {
    for (const Held& h : held_)
      if (h.text == text) return h.bytes;
    return std::string();
  }
  // Takes a live string out of the model; false when it is none.
  bool Forget(const char* text) {
    auto it = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.text == text; });
    if (it == held_.end()) return false;
    dead_.push_back(it->text);
    held_.erase(it);
    return true;
  }

  // What a call that makes a string gave: the shared empty string when it
  // must fail, a new string with `bytes` when the heap was sound, one of the
  // two otherwise.
  void Made(const char* call, char* text, const std::string& bytes, bool must_fail, bool must_succeed) {
    if (text == fallback_) {
      FUZZ_CHECK(!must_succeed, "%s of %zu bytes on a sound heap gave the shared empty string", call, bytes.size());
      return;
    }
    FUZZ_CHECK(!must_fail, "%s gave a new string where its block could not be had", call);
    FUZZ_CHECK(std::none_of(held_.begin(), held_.end(), [&](const Held& h) { return h.text == text; }),
               "%s gave a string that is already live", call);
    FUZZ_CHECK(StringStore::Length(text) == static_cast<std::int32_t>(bytes.size()),
               "%s: expected length %zu, got %d", call, bytes.size(), StringStore::Length(text));
    FUZZ_CHECK(std::memcmp(text, bytes.data(), bytes.size()) == 0, "%s: expected %s, got %s", call,
               flfuzz::Show(bytes).c_str(), flfuzz::Show(text, bytes.size()).c_str());
    // The address of a string released before may be handed out again.
    dead_.erase(std::remove(dead_.begin(), dead_.end(), text), dead_.end());
    held_.push_back({text, bytes});
  }

  // After call `op`: the list, the counts and every live string, read in
  // full or (between calls, to keep each call cheap) at its ends.
  void Check(int op, bool whole) {
    const StringStore& st = s_.store;
    FUZZ_CHECK(s_.heap.locked < 0, "after call %d the lock of list %d is held", op, s_.heap.locked);
    FUZZ_CHECK(st.LiveCount() == static_cast<std::int32_t>(held_.size()), "after call %d: expected %zu live strings, got %d",
               op, held_.size(), st.LiveCount());
    std::vector<char*> texts;
    for (const Held& h : held_) texts.push_back(h.text);
    FUZZ_CHECK(s_.Live() == fltest::HeapStore::InListOrder(texts),
               "after call %d: the lists do not hold the live strings, each list in order of allocation", op);
    for (std::size_t i = 0; i < held_.size(); ++i) {
      const Held& h = held_[i];
      FUZZ_CHECK(StringStore::Length(h.text) == static_cast<std::int32_t>(h.bytes.size()),
                 "after call %d: string %zu: expected length %zu, got %d", op, i, h.bytes.size(),
                 StringStore::Length(h.text));
      const std::size_t n = h.bytes.size();
      const bool same = whole ? std::memcmp(h.text, h.bytes.data(), n) == 0
                              : n == 0 || (h.text[0] == h.bytes[0] && h.text[n - 1] == h.bytes[n - 1]);
      FUZZ_CHECK(same && h.text[n] == '\0',
                 "after call %d: string %zu: expected %s and a NUL, got %s", op, i, flfuzz::Show(h.bytes).c_str(),
                 flfuzz::Show(h.text, h.bytes.size() + 1).c_str());
    }
    FUZZ_CHECK(st.FallbackEmpty() == fallback_ && StringStore::Length(fallback_) == 0 && fallback_[0] == '\0',
               "after call %d: the shared empty string changed", op);
    FUZZ_CHECK(!st.IsLive(fallback_), "after call %d: the shared empty string is listed", op);
    FUZZ_CHECK(s_.heap.messages.size() == messages_, "after call %d: expected %zu debugger messages, got %zu", op,
               messages_, s_.heap.messages.size());
    for (const std::string& m : s_.heap.messages)
      FUZZ_CHECK(m == farelib::kUnknownStringMessage, "debugger message %s", flfuzz::Show(m).c_str());
    std::size_t blocks = held_.size() + s_.OwnBlocks();
    FUZZ_CHECK(s_.heap.blocks.size() == blocks, "after call %d: expected %zu heap blocks, got %zu (leak or loss)", op,
               blocks, s_.heap.blocks.size());
  }

  fltest::HeapStore s_;
  char* fallback_ = nullptr;
  bool fallback_on_heap_ = false;
  std::vector<Held> held_;   // live, oldest first
  std::vector<char*> dead_;  // released, not handed out again
  std::size_t messages_ = 0;
  alignas(4) char foreign_[12] = {3, 0, 0, 0, 'a', 'b', 'c', 0};  // a host's own text with a length prefix
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  flfuzz::Input in(data, size);
  StoreModel model(static_cast<int>(in.Below(4)) - 1);  // -1: all, or 0, 1, 2 allocations at Attach
  // Enough calls to grow the list a few times past its first 64 entries.
  for (int steps = 0; steps < 200 && !in.empty(); ++steps) model.Step(in);
  model.CheckAll();
  return 0;
}
