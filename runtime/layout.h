#pragma once

#include <span>
#include <string_view>

// A window described as data: positions and sizes in twips (1/1440 inch, 15 to a pixel at
// 96 dpi) from the top-left corner of the client area. Plain data, no toolkit types, so the
// tables can be read by tools and tests that never open a window.
namespace runtime {

inline constexpr int twipsPerPixel = 15;

// Returns a length in twips as device-independent pixels.
constexpr int pixels(int twips) {
    return twips / twipsPerPixel;
}

enum class ControlKind { Label, TextBox, CommandButton, ComboBox, OptionButton, PictureBox };

enum class FontRole { Control, Signature };

// Colours by role; the toolkit layer maps each role to a concrete colour.
enum class ColorRole {
    Default,  // the platform's own colour for that control and part
    White,    // 255, 255, 255
    DarkGrey, // 64, 64, 64
    TitleBar, // the desktop's colour for an active window's title bar
    Desktop,  // the desktop background colour
};

enum class IconRole { Main, Calculator };

struct ControlDesc {
    std::string_view name;
    ControlKind kind;
    std::string_view text;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    FontRole font = FontRole::Control;
    ColorRole foreground = ColorRole::Default;
    ColorRole background = ColorRole::Default;
    // What assistive technology calls the control when its own text does not say it,
    // e.g. the caption of the label beside an input box.
    std::string_view accessibleName = {};
};

struct FormDesc {
    std::string_view name;
    std::string_view caption;
    int clientWidth;
    int clientHeight;
    IconRole icon;
    std::span<const ControlDesc> controls;
};

} // namespace runtime
