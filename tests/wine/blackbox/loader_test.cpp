// The typed export table that hosts, tests and benchmarks call the library
// through: what it finds in each DLL, and what it holds when a load fails.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "support/farelib_loader.h"
#include "support/library.h"
#include "support/text.h"

namespace {

// Every pointer against the export list and the DLL's own export table.
void ExpectExactly(const support::Farelib& farelib, bool farelib3, const char* what) {
  for (int i = 0; i < static_cast<int>(std::size(support::kExports)); ++i) {
    const auto id = static_cast<support::ExportId>(i);
    const support::ExportRow& row = support::Row(id);
    const bool want = support::InDll(row, farelib3);
    EXPECT_EQ(farelib.Has(id), want) << what << ": " << row.name << " expected " << (want ? "present" : "absent");
    FARPROC direct = farelib.module ? GetProcAddress(farelib.module, row.name) : nullptr;
    EXPECT_EQ(farelib.Address(id), direct) << what << ": " << row.name << " must be the DLL's own export";
  }
  EXPECT_EQ(farelib.Count(), support::ExportCount(farelib3)) << what;
  EXPECT_EQ(farelib.IsFarelib3(), farelib3) << what;
}

TEST(Loader, FindsEachDllsExportsAndNoOthers) {
  struct Case {
    const char* dll;
    bool farelib3;
  } cases[] = {{"farelib4.dll", false}, {"farelib3.dll", true}};
  for (const auto& c : cases) {
    support::Farelib farelib;
    ASSERT_TRUE(farelib.LoadBeside(c.dll)) << c.dll;
    EXPECT_NE(farelib.module, nullptr) << c.dll;
    EXPECT_EQ(support::ToUtf8(farelib.name), c.dll) << "the file name alone";
    EXPECT_EQ(farelib.path, support::ProgramFolder() + farelib.name) << c.dll;
    ExpectExactly(farelib, c.farelib3, c.dll);
  }
}

TEST(Loader, ALoadStartsFromNothing) {
  support::Farelib farelib;
  ASSERT_TRUE(farelib.LoadBeside("farelib4.dll"));
  ASSERT_TRUE(farelib.LoadBeside("farelib3.dll"));
  ExpectExactly(farelib, true, "farelib3.dll over farelib4.dll");

  ASSERT_TRUE(farelib.LoadBeside("farelib4.dll"));
  EXPECT_FALSE(farelib.Load(support::ProgramFolder() + L"no_such_farelib.dll"));
  EXPECT_NE(farelib.load_error, 0u) << "why the load failed";
  EXPECT_EQ(farelib.module, nullptr);
  EXPECT_EQ(farelib.Count(), 0) << "no pointer of the earlier load is left";
  EXPECT_EQ(farelib.LenB_ASCII, nullptr);
  EXPECT_EQ(support::ToUtf8(farelib.name), "no_such_farelib.dll");
}

}  // namespace
