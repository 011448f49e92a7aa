// farelib4: the full library.
#include "core/variant.h"

namespace farelib {

void RunModuleInitialisers() {}

}  // namespace farelib
