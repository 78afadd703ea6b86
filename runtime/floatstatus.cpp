#include "runtime/floatstatus.h"

#include "runtime/error.h"

#include <cfenv>
#include <string>

namespace runtime {

void clearFloatStatus() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

void testFloatStatus(std::string_view operation) {
    if (std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0)
        raiseFloatError(std::string(operation));
}

} // namespace runtime
