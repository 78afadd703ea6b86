#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmEllipsoidVolControls[] = {
    row(0, "txtVolEllipsoidR1", TextBox, "", 1440, 120, 1695, 285, "Enter Radius I"),
    row(1, "txtVolEllipsoidR2", TextBox, "", 1440, 480, 1695, 285, "Enter Radius II"),
    row(2, "txtVolEllipsoidR3", TextBox, "", 1440, 840, 1695, 285, "Enter Radius III"),
    row(3, "cmdVolEllipsoid", CommandButton, "Calculate", 120, 1200, 1095, 255),
    row(4, "cmdClear", CommandButton, "Clear", 2520, 1560, 615, 255),
    row(5, "cmdBack", CommandButton, "Back", 120, 2040, 615, 255),
    row(6, "cmdExit", CommandButton, "Close", 2520, 2040, 615, 255),
    row(7, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 960, 2040, 2175, 255),
    row(8, "Label20", Label, "Enter Radius I", 120, 120, 1335, 255),
    row(9, "Label21", Label, "Enter Radius II", 120, 480, 1335, 255),
    row(10, "Label22", Label, "Enter Radius III", 120, 840, 1335, 255),
    row(11, "picVol", PictureBox, "", 120, 1560, 2175, 255),
};

} // namespace

const runtime::FormDesc frmEllipsoidVolLayout{
    "frmEllipsoidVol",      "Volume of Ellipsoid", 3255, 2325, runtime::IconRole::Calculator,
    frmEllipsoidVolControls};

const PageDesc frmEllipsoidVolPage{
    WindowId::frmEllipsoidVol,
    "cmdVolEllipsoid",
    "picVol",
    {"txtVolEllipsoidR1", "txtVolEllipsoidR2", "txtVolEllipsoidR3"},
    calc::ClearOrder::OutputFirst,
    calc::ellipsoidVolumeFormula,
};

void cmdVolEllipsoid_Click(const CalculatorForm &page) {
    calc::calculateWithPi(page.output(), calc::ellipsoidVolume, page.input(0), page.input(1),
                          page.input(2));
}

} // namespace forms
