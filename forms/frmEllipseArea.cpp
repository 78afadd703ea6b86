#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmEllipseAreaControls[] = {
    row(0, "txtEllipseAreaROne", TextBox, "", 1560, 240, 1575, 285, "Enter Radius I"),
    row(1, "txtEllipseAreaRTwo", TextBox, "", 1560, 600, 1575, 285, "Enter Radius II"),
    row(2, "cmdEllipseArea", CommandButton, "Calculate", 120, 960, 1215, 255),
    row(3, "cmdClear", CommandButton, "Clear", 2520, 1440, 615, 255),
    row(4, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(5, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(6, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 840, 2040, 2175, 255),
    row(7, "Label10", Label, "Enter Radius I", 120, 240, 1335, 255),
    row(8, "Label11", Label, "Enter R", 120, 600, 1335, 255),
    row(9, "picArea", PictureBox, "", 120, 1440, 2055, 255),
    textIn(row(10, "Label1", Label, "adius II", 720, 600, 735, 255), ColorRole::TitleBar),
};

} // namespace

const runtime::FormDesc frmEllipseAreaLayout{
    "frmEllipseArea",      "Area of Ellipse", 3240, 2355, runtime::IconRole::Calculator,
    frmEllipseAreaControls};

const PageDesc frmEllipseAreaPage{
    WindowId::frmEllipseArea,
    "cmdEllipseArea",
    "picArea",
    {"txtEllipseAreaROne", "txtEllipseAreaRTwo"},
    calc::ClearOrder::OutputFirst,
    calc::ellipseAreaFormula,
};

void cmdEllipseArea_Click(const CalculatorForm &page) {
    calc::calculateWithPi(page.output(), calc::ellipseArea, page.input(0), page.input(1));
}

} // namespace forms
