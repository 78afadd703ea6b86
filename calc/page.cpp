#include "calc/page.h"

namespace calc {

void clearPage(const runtime::PictureBox &output, ClearOrder order,
               std::span<const runtime::TextBox> inputs) {
    if (order == ClearOrder::OutputFirst)
        output.Cls();
    for (const runtime::TextBox &box : inputs) {
        box.SetText("");
        box.SetReadingNote("");
    }
    if (order == ClearOrder::InputsFirst)
        output.Cls();
    inputs.front().SetFocus();
}

} // namespace calc
