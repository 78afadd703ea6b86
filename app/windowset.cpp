#include "app/windowset.h"

#include "runtime/program.h"

namespace app {

using forms::WindowId;

void WindowSet::start() {
    // The program is known by its main window's caption.
    runtime::nameProgram(forms::layoutOf(WindowId::frmMain).caption);
    slot(WindowId::frmMain).Show();
}

runtime::Form &WindowSet::slot(WindowId id) {
    auto &instance = m_slots[static_cast<std::size_t>(id)];
    if (!instance)
        instance = forms::createWindow(id, *this);
    return *instance;
}

bool WindowSet::exists(WindowId id) const {
    return m_slots[static_cast<std::size_t>(id)] != nullptr;
}

void WindowSet::switchTo(WindowId target) {
    // Every other window is hidden, the main window first, whether or not it is visible; the
    // first switch of a run builds them all.
    for (const WindowId id : forms::windowOrder()) {
        if (id != target)
            slot(id).Hide();
    }
    slot(target).Show();
}

void WindowSet::back(WindowId from) {
    slot(from).Hide();
    slot(WindowId::frmMain).Show();
}

} // namespace app
