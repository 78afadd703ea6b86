#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmCircleAreaControls[] = {
    row(0, "txtCircleAreaRadius", TextBox, "", 1200, 240, 1935, 285, "Enter Radius"),
    row(1, "cmdCircleArea", CommandButton, "Calculate", 120, 720, 1095, 255),
    row(2, "cmdClear", CommandButton, "Clear", 2520, 1200, 615, 255),
    row(3, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(4, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(5, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 960, 2040, 2175, 255),
    row(6, "Label1", Label, "Enter Radius", 120, 240, 1215, 255),
    row(7, "picArea", PictureBox, "", 120, 1200, 2175, 255),
};

} // namespace

const runtime::FormDesc frmCircleAreaLayout{
    "frmCircleArea",      "Area of Circle", 3255, 2325, runtime::IconRole::Calculator,
    frmCircleAreaControls};

const PageDesc frmCircleAreaPage{
    WindowId::frmCircleArea,       "cmdCircleArea",         "picArea", {"txtCircleAreaRadius"},
    calc::ClearOrder::OutputFirst, calc::circleAreaFormula,
};

void cmdCircleArea_Click(const CalculatorForm &page) {
    calc::calculateWithPi(page.output(), calc::circleArea, page.input(0));
}

} // namespace forms
