#pragma once

#include "forms/windows.h"

#include <array>
#include <memory>

namespace app {

// The program's windows: one slot per window, filled on first use and never emptied, and the
// navigation between them.
class WindowSet : public forms::Navigator {
public:
    // Start-up: fills the main window's slot, builds and shows it.
    void start();

    // Returns the window in a slot, creating its instance if the slot is empty.
    runtime::Form &slot(forms::WindowId id);
    // Returns whether a window's slot holds an instance.
    bool exists(forms::WindowId id) const;

    void switchTo(forms::WindowId target) override;
    void back(forms::WindowId from) override;

private:
    std::array<std::unique_ptr<runtime::Form>, forms::windowCount> m_slots;
};

} // namespace app
