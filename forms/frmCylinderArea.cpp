#include "forms/units.h"

#include "runtime/program.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmCylinderAreaControls[] = {
    row(0, "txtCylAreaRadius", TextBox, "", 1560, 0, 1575, 285, "Enter Radius"),
    row(1, "txtCylAreaHeight", TextBox, "", 1560, 360, 1575, 285, "Enter Height"),
    row(2, "optOpen", OptionButton, "Sides Open", 120, 720, 1335, 195),
    row(3, "optOne", OptionButton, "One Side Open", 1560, 720, 1575, 255),
    row(4, "optClosed", OptionButton, "Sides Closed", 120, 960, 1335, 255),
    row(5, "cmdCylinderArea", CommandButton, "Calculate", 1800, 1080, 1215, 255),
    row(6, "cmdClear", CommandButton, "Clear", 2520, 1560, 615, 255),
    row(7, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(8, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(9, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 960, 2040, 2175, 255),
    row(10, "Label1", Label, "Enter Radius", 120, 0, 1335, 255),
    row(11, "Label2", Label, "Enter Height", 120, 360, 1335, 255),
    row(12, "picArea", PictureBox, "", 120, 1560, 1575, 255),
};

} // namespace

const runtime::FormDesc frmCylinderAreaLayout{
    "frmCylinderArea",      "Area of Cylinder", 3255, 2325, runtime::IconRole::Calculator,
    frmCylinderAreaControls};

const PageDesc frmCylinderAreaPage{
    WindowId::frmCylinderArea,
    "cmdCylinderArea",
    "picArea",
    {"txtCylAreaRadius", "txtCylAreaHeight"},
    calc::ClearOrder::OutputFirst,
    {},
    {{{"optOpen", calc::cylinderSidesOpenFormula},
      {"optOne", calc::cylinderOneSideOpenFormula},
      {"optClosed", calc::cylinderSidesClosedFormula}}},
};

void cmdCylinderArea_Click(const CalculatorForm &page) {
    const runtime::PictureBox picArea = page.output();
    // Cleared like every other page, so the line shown is always the current result.
    picArea.Cls();
    const Variant pi = calc::piValue();
    // Both boxes are read, and may raise their error, whatever the options show.
    const Integer r = calc::integerInput(page.input(0));
    const Integer h = calc::integerInput(page.input(1));
    if (page.optionButton("optOpen").Value())
        picArea.Print(calc::cylinderSidesOpenSurface(pi, r, h));
    if (page.optionButton("optOne").Value())
        picArea.Print(calc::cylinderOneSideOpenSurface(pi, r, h));
    if (page.optionButton("optClosed").Value())
        picArea.Print(calc::cylinderSidesClosedSurface(pi, r, h));
    const bool open = page.optionButton("optOpen").Value();
    const bool one = page.optionButton("optOne").Value();
    const bool closed = page.optionButton("optClosed").Value();
    if (!open && !one && !closed) {
        runtime::MsgBox("Please select cylinder type.", 64, "Cylinder Type Selection");
        page.optionButton("optOpen").SetFocus();
    }
}

} // namespace forms
