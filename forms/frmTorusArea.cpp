#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmTorusAreaControls[] = {
    row(0, "txtAreaTorusRadius1", TextBox, "", 1560, 240, 1455, 285, "Enter Radius I"),
    row(1, "txtAreaTorusRadius2", TextBox, "", 1560, 600, 1455, 285, "Enter Radius II"),
    row(2, "cmdAreaTorus", CommandButton, "Calculate", 120, 960, 975, 255),
    row(3, "cmdClear", CommandButton, "Clear", 2520, 1320, 615, 255),
    row(4, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(5, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(6, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 960, 1920, 2175, 255),
    row(7, "Label15", Label, "Enter Radius I", 120, 240, 1335, 255),
    row(8, "Label16", Label, "Enter R", 120, 600, 1335, 255),
    row(9, "picArea", PictureBox, "", 120, 1320, 2055, 255),
    textIn(row(10, "Label1", Label, "adius II", 720, 600, 615, 255), ColorRole::TitleBar),
};

} // namespace

const runtime::FormDesc frmTorusAreaLayout{
    "frmTorusArea",      "Area of Torus", 3255, 2325, runtime::IconRole::Calculator,
    frmTorusAreaControls};

const PageDesc frmTorusAreaPage{
    WindowId::frmTorusArea,
    "cmdAreaTorus",
    "picArea",
    {"txtAreaTorusRadius1", "txtAreaTorusRadius2"},
    calc::ClearOrder::InputsFirst,
    calc::torusSurfaceFormula,
};

void cmdAreaTorus_Click(const CalculatorForm &page) {
    calc::calculateWithPi(page.output(), calc::torusSurface, page.input(0), page.input(1));
}

} // namespace forms
