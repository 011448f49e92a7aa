// What the black-box fixtures share: the library loaded from beside the test
// program by path, as a host loads it, and called through its typed exports.
#ifndef FARELIB_TESTS_BLACKBOX_DLL_FIXTURES_H
#define FARELIB_TESTS_BLACKBOX_DLL_FIXTURES_H

#include <gtest/gtest.h>

#include <string>

#include "support/farelib_loader.h"

namespace blackbox {

// A suite run once with farelib4.dll and once with farelib3.dll. A fixture
// with a SetUp of its own calls this one first and stops on its failure.
class EachDll : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { ASSERT_TRUE(farelib.LoadBeside(GetParam())) << GetParam(); }
  support::Farelib farelib;
};

// Instantiates an EachDll suite for both DLLs, its cases named farelib4 and farelib3.
#define FARELIB_FOR_EACH_DLL(fixture)                                                                   \
  INSTANTIATE_TEST_SUITE_P(BothDlls, fixture, ::testing::Values("farelib4.dll", "farelib3.dll"), \
                           [](const auto& info) { return std::string(info.param).substr(0, 8); })

// farelib4.dll with its four bridge exports, which only it has.
class Farelib4Bridge : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(farelib.LoadBeside("farelib4.dll"));
    ASSERT_TRUE(farelib.ZE4_GetPlgInfo && farelib.ZE4_SetPlgComment && farelib.ZE4_SetCorpAddList &&
                farelib.ZE4_DrawSeiriken)
        << "farelib4.dll exports the four bridge functions";
  }
  support::Farelib farelib;
};

}  // namespace blackbox

#endif
