#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmSphereAreaControls[] = {
    textIn(row(0, "txtAreaSphereRadius", TextBox, "", 1320, 240, 1815, 285, "Enter Radius"),
           ColorRole::Desktop),
    row(1, "cmdAreaSphere", CommandButton, "Calculate", 120, 720, 975, 255),
    row(2, "cmdClear", CommandButton, "Clear", 2520, 1200, 615, 255),
    row(3, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(4, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(5, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 960, 1920, 2175, 255),
    row(6, "Label12", Label, "Enter Radius", 120, 240, 1095, 255),
    textIn(row(7, "picArea", PictureBox, "", 120, 1200, 2055, 255), ColorRole::Desktop),
};

} // namespace

const runtime::FormDesc frmSphereAreaLayout{
    "frmSphereArea",      "Area of Sphere", 3255, 2325, runtime::IconRole::Calculator,
    frmSphereAreaControls};

const PageDesc frmSphereAreaPage{
    WindowId::frmSphereArea,
    "cmdAreaSphere",
    "picArea",
    {"txtAreaSphereRadius"},
    calc::ClearOrder::InputsFirst,
    calc::sphereSurfaceFormula,
};

void cmdAreaSphere_Click(const CalculatorForm &page) {
    calc::calculateWithPi(page.output(), calc::sphereSurface, page.input(0));
}

} // namespace forms
