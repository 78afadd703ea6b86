#pragma once

#include "runtime/layout.h"

#include <span>

namespace forms {

// Returns the layout tables of all thirteen windows, the main window first, in window order.
std::span<const runtime::FormDesc> allLayouts();

} // namespace forms
