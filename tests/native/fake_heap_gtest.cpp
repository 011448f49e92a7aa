// The unit tests' report of a fake heap misuse: a failure of the running test.
#include <gtest/gtest.h>

#include "fake_heap.h"

namespace fltest {

void HeapFault(const std::string& what) { ADD_FAILURE() << "fake heap: " << what; }

}  // namespace fltest
