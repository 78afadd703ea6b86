#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmSphereVolControls[] = {
    row(0, "txtVolSphereRadius", TextBox, "", 1320, 120, 1935, 285, "Enter Radius"),
    row(1, "cmdVolSphere", CommandButton, "Calculate", 120, 600, 975, 255),
    row(2, "cmdClear", CommandButton, "Clear", 2520, 1080, 615, 255),
    row(3, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(4, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(5, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 1080, 1920, 2175, 255),
    row(6, "Label19", Label, "Enter Radius", 120, 120, 1335, 255),
    row(7, "picVol", PictureBox, "", 120, 1080, 2055, 255),
};

} // namespace

const runtime::FormDesc frmSphereVolLayout{
    "frmSphereVol",      "Volume of Sphere", 3255, 2325, runtime::IconRole::Calculator,
    frmSphereVolControls};

const PageDesc frmSphereVolPage{
    WindowId::frmSphereVol,
    "cmdVolSphere",
    "picVol",
    {"txtVolSphereRadius"},
    calc::ClearOrder::InputsFirst,
    calc::sphereVolumeFormula,
};

void cmdVolSphere_Click(const CalculatorForm &page) {
    calc::calculateWithPi(page.output(), calc::sphereVolume, page.input(0));
}

} // namespace forms
