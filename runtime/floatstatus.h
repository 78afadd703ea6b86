#pragma once

#include <string_view>

namespace runtime {

// Forgets every floating-point exception flag raised so far.
void clearFloatStatus();

// Raises the float error naming `operation` when an invalid-operation, divide-by-zero or
// overflow flag is set; underflow and inexact results are ignored.
void testFloatStatus(std::string_view operation);

} // namespace runtime
