#pragma once

#include "runtime/form.h"

#include <array>
#include <memory>

namespace forms {

// The thirteen windows in the fixed window order that the window switch follows.
enum class WindowId {
    frmMain,
    frmTriangleArea,
    frmCircleArea,
    frmEllipseArea,
    frmSphereArea,
    frmCylinderArea,
    frmTorusArea,
    frmSphereVol,
    frmPyramidVol,
    frmEllipsoidVol,
    frmCylinderVol,
    frmConeVol,
    frmTorusVol,
};

inline constexpr std::size_t windowCount = 13;

// Returns every window in the fixed window order.
constexpr std::array<WindowId, windowCount> windowOrder() {
    std::array<WindowId, windowCount> order{};
    for (std::size_t i = 0; i < windowCount; ++i)
        order[i] = static_cast<WindowId>(i);
    return order;
}

// Moving between windows, as the handlers ask for it; the application keeps the windows.
class Navigator {
public:
    virtual ~Navigator() = default;
    // Hides every other window, in window order, and shows `target`.
    virtual void switchTo(WindowId target) = 0;
    // Hides calculator window `from` and shows the main window again.
    virtual void back(WindowId from) = 0;
};

// Returns a new, not yet built instance of a window.
std::unique_ptr<runtime::Form> createWindow(WindowId id, Navigator &navigator);

// Returns a window's layout table.
const runtime::FormDesc &layoutOf(WindowId id);

} // namespace forms
