// farelib3: the smaller export list; no start-up step beyond the string store.
#include "core/variant.h"

namespace farelib {

void RunModuleInitialisers() {}

}  // namespace farelib
