#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmConeVolControls[] = {
    row(0, "txtVolConeR", TextBox, "", 1200, 120, 1695, 285, "Enter Radius"),
    row(1, "txtVolConeH", TextBox, "", 1200, 480, 1695, 285, "Enter Height"),
    row(2, "cmdVolCone", CommandButton, "Calculate", 120, 840, 975, 255),
    row(3, "cmdClear", CommandButton, "Clear", 2520, 1320, 615, 255),
    row(4, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(5, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(6, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 1080, 2040, 2175, 255),
    row(7, "Label1", Label, "Enter Radius", 120, 120, 1335, 255),
    row(8, "Label2", Label, "Enter Height", 120, 480, 1335, 255),
    row(9, "picVol", PictureBox, "", 120, 1320, 1935, 255),
};

} // namespace

const runtime::FormDesc frmConeVolLayout{
    "frmConeVol", "Volume of Cone", 3255, 2325, runtime::IconRole::Calculator, frmConeVolControls};

const PageDesc frmConeVolPage{
    WindowId::frmConeVol,
    "cmdVolCone",
    "picVol",
    {"txtVolConeR", "txtVolConeH"},
    calc::ClearOrder::InputsFirst,
    calc::coneVolumeFormula,
};

void cmdVolCone_Click(const CalculatorForm &page) {
    calc::calculateWithPi(page.output(), calc::coneVolume, page.input(0), page.input(1));
}

} // namespace forms
