#pragma once

#include "runtime/layout.h"

#include <string_view>

// The shared look of the window tables: a row gives TabIndex, name, kind, text and place, and
// the kind decides the rest, as every window of the program draws it.
namespace forms::design {

using runtime::ColorRole;
using runtime::ControlDesc;
using runtime::ControlKind;
using runtime::FontRole;

inline constexpr ControlKind Label = ControlKind::Label;
inline constexpr ControlKind TextBox = ControlKind::TextBox;
inline constexpr ControlKind CommandButton = ControlKind::CommandButton;
inline constexpr ControlKind ComboBox = ControlKind::ComboBox;
inline constexpr ControlKind OptionButton = ControlKind::OptionButton;
inline constexpr ControlKind PictureBox = ControlKind::PictureBox;

inline constexpr std::string_view signatureName = "Label3";

// Returns a calculator-window row with the shared design of its kind: white input labels, the
// signature label in the signature font, input boxes, output box and option buttons on the
// title-bar colour. `caption` is what a person reads beside an input box.
constexpr ControlDesc row(int tabIndex, std::string_view name, ControlKind kind,
                          std::string_view text, int left, int top, int width, int height,
                          std::string_view caption = {}) {
    ControlDesc desc{name, kind, text, left, top, width, height, tabIndex};
    desc.accessibleName = caption;
    switch (kind) {
    case ControlKind::Label:
        desc.foreground = ColorRole::White;
        if (name == signatureName)
            desc.font = FontRole::Signature;
        break;
    case ControlKind::TextBox:
    case ControlKind::PictureBox:
    case ControlKind::OptionButton:
        desc.background = ColorRole::TitleBar;
        break;
    case ControlKind::CommandButton:
    case ControlKind::ComboBox:
        break;
    }
    return desc;
}

// Returns the row with its text in another colour.
constexpr ControlDesc textIn(ControlDesc desc, ColorRole color) {
    desc.foreground = color;
    return desc;
}

} // namespace forms::design
