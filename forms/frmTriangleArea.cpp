#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmTriangleAreaControls[] = {
    row(0, "txtbAreaTri", TextBox, "", 1320, 120, 1815, 285, "Enter Base"),
    row(1, "txthAreaTri", TextBox, "", 1320, 480, 1815, 285, "Enter Height"),
    row(2, "cmdTriArea", CommandButton, "Calculate", 120, 840, 975, 255),
    row(3, "cmdClear", CommandButton, "Clear", 2520, 1320, 615, 255),
    row(4, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(5, "cmdClose", CommandButton, "Close", 2520, 1920, 615, 255),
    row(6, "Label1", Label, "Enter Base", 120, 120, 1215, 255),
    row(7, "picArea", PictureBox, "", 120, 1320, 2175, 255),
    row(8, "Label2", Label, "Enter Height", 120, 480, 1095, 255),
    row(9, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 840, 2040, 2175, 255),
};

} // namespace

const runtime::FormDesc frmTriangleAreaLayout{
    "frmTriangleArea",      "Area of Triangle", 3255, 2325, runtime::IconRole::Calculator,
    frmTriangleAreaControls};

const PageDesc frmTriangleAreaPage{
    WindowId::frmTriangleArea,
    "cmdTriArea",
    "picArea",
    {"txtbAreaTri", "txthAreaTri"},
    calc::ClearOrder::InputsFirst,
    calc::triangleAreaFormula,
};

void cmdTriArea_Click(const CalculatorForm &page) {
    calc::calculate(page.output(), calc::triangleArea, page.input(0), page.input(1));
}

} // namespace forms
