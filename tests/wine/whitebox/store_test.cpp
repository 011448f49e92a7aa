// The process-wide string store on the Windows heap: the debugger message,
// the shared empty string, and Create/Release from many threads at once,
// each releasing strings that others made too.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/store_win.h"
#include "support/debug_output.h"
#include "support/hex.h"

namespace {

using farelib::g_strings;
using farelib::StringStore;

// The library code is linked in without its DllMain: attach as process start-up would.
struct AttachOnce : ::testing::Environment {
  void SetUp() override { farelib::AttachStringStore(); }
};
const auto* const kAttach = ::testing::AddGlobalTestEnvironment(new AttachOnce);

const std::string kUnknownMessage =
    "\x96\xa2\x92\x6d\x82\xcc\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x89\xf0\x95\xfa\x82\xb3"
    "\x82\xea\x82\xe6\x82\xa4\x82\xc6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42\r\n";

TEST(ProcessStore, UnknownPointersAreReportedOnTheDebuggerOutput) {
  support::DebugOutputCatcher catcher;
  char* text = g_strings.CreateCopy("fare", 4);
  EXPECT_EQ(HeapSize(GetProcessHeap(), 0, text - 4), 9u) << "n + 5 bytes from the process heap";
  g_strings.Release(text);
  EXPECT_TRUE(catcher.messages().empty());

  g_strings.Release(text);  // released already
  ASSERT_EQ(catcher.messages().size(), 1u);
  EXPECT_EQ(support::Hex(catcher.messages()[0]), support::Hex(kUnknownMessage));

  g_strings.Release(nullptr);
  EXPECT_EQ(catcher.messages().size(), 1u) << "null is ignored silently";

  char host[] = "host text";
  g_strings.Release(host);
  EXPECT_EQ(catcher.messages().size(), 2u);
  EXPECT_STREQ(host, "host text");
}

TEST(ProcessStore, TheSharedEmptyStringIsAProcessHeapBlock) {
  // Not in the DLL's image: it stays valid after a host unloads the DLL.
  char* empty = g_strings.FallbackEmpty();
  EXPECT_EQ(HeapSize(GetProcessHeap(), 0, empty - 4), 5u) << "a block of 5 bytes from the process heap";
  EXPECT_EQ(StringStore::Length(empty), 0);
  EXPECT_EQ(empty[0], '\0');
  EXPECT_FALSE(g_strings.IsLive(empty));
}

TEST(ProcessStore, CopyOfHostTextReadsUpToTheTerminator) {
  char* copy = farelib::CopyHostText("\x89\x5e\x92\xc0");  // "運賃"
  EXPECT_EQ(StringStore::Length(copy), 4);
  EXPECT_EQ(support::Hex(copy), "89 5E 92 C0");
  char* none = farelib::CopyHostText(nullptr);
  EXPECT_EQ(StringStore::Length(none), 0);
  EXPECT_EQ(none[0], '\0');
  g_strings.Release(copy);
  g_strings.Release(none);
}

TEST(ProcessStore, EightThreadsCreateAndReleaseConcurrently) {
  constexpr int kThreads = 8, kRounds = 4000;
  const int32_t live_before = g_strings.LiveCount();
  std::vector<int> bad(kThreads, 0);
  std::vector<std::vector<char*>> kept(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &bad, &kept] {
      std::vector<char*> mine;
      for (int i = 0; i < kRounds; ++i) {
        int32_t n = (i * 7 + t) % 40;
        char* s = g_strings.Create(n);
        if (StringStore::Length(s) != n || s[n] != '\0') ++bad[t];
        for (int k = 0; k < n; ++k) s[k] = static_cast<char>('A' + t);
        mine.push_back(s);
        if (i % 3 != 2) {  // release two of three, oldest of mine first
          char* old = mine.front();
          int32_t len = StringStore::Length(old);
          for (int k = 0; k < len; ++k)
            if (old[k] != 'A' + t) ++bad[t];
          g_strings.Release(old);
          mine.erase(mine.begin());
        }
      }
      kept[t] = mine;
    });
  }
  for (auto& th : threads) th.join();
  int32_t kept_total = 0;
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(bad[t], 0) << "thread " << t << " saw a wrong string";
    kept_total += static_cast<int32_t>(kept[t].size());
    for (char* s : kept[t]) {
      EXPECT_TRUE(g_strings.IsLive(s));
      for (int32_t k = 0; k < StringStore::Length(s); ++k) ASSERT_EQ(s[k], 'A' + t) << "thread " << t;
    }
  }
  EXPECT_EQ(g_strings.LiveCount(), live_before + kept_total);
  // Each thread releases what its neighbour made, all at once.
  support::DebugOutputCatcher catcher;
  threads.clear();
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&kept, t] {
      for (char* s : kept[(t + 1) % kThreads]) g_strings.Release(s);
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(g_strings.LiveCount(), live_before);
  EXPECT_TRUE(catcher.messages().empty()) << "every release found its string";
}

}  // namespace
