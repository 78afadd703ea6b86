#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmCylinderVolControls[] = {
    row(0, "txtVolCylinderR", TextBox, "", 1320, 120, 1695, 285, "Enter Radius"),
    row(1, "txtVolCylinderH", TextBox, "", 1320, 480, 1695, 285, "Enter Height"),
    row(2, "cmdVolCylinder", CommandButton, "Calculate ", 120, 840, 975, 255),
    row(3, "cmdClear", CommandButton, "Clear", 2520, 1320, 615, 255),
    row(4, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(5, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(6, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 840, 2040, 2175, 255),
    textIn(row(7, "Label1", Label, "Enter Radius", 120, 120, 1095, 255), ColorRole::Default),
    textIn(row(8, "Label2", Label, "Enter Height", 120, 480, 1095, 255), ColorRole::Default),
    row(9, "picVol", PictureBox, "", 120, 1320, 1935, 255),
};

} // namespace

const runtime::FormDesc frmCylinderVolLayout{
    "frmCylinderVol",      "Volume of Cylinder", 3255, 2325, runtime::IconRole::Calculator,
    frmCylinderVolControls};

const PageDesc frmCylinderVolPage{
    WindowId::frmCylinderVol,
    "cmdVolCylinder",
    "picVol",
    {"txtVolCylinderR", "txtVolCylinderH"},
    calc::ClearOrder::InputsFirst,
    calc::cylinderVolumeFormula,
};

void cmdVolCylinder_Click(const CalculatorForm &page) {
    calc::calculateWithPi(page.output(), calc::cylinderVolume, page.input(0), page.input(1));
}

} // namespace forms
