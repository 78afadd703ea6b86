#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmTorusVolControls[] = {
    row(0, "txtVolTorusR1", TextBox, "", 1440, 120, 1815, 285, "Enter Radius I"),
    row(1, "txtVolTorusR2", TextBox, "", 1440, 480, 1815, 285, "Enter Radius II"),
    row(2, "cmdVolTorus", CommandButton, "Calculate", 120, 840, 1095, 255),
    row(3, "cmdClear", CommandButton, "Clear", 2520, 1320, 615, 255),
    row(4, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(5, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(6, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 1080, 2040, 2175, 255),
    row(7, "Label27", Label, "Enter Radius I", 120, 120, 1215, 255),
    row(8, "Label28", Label, "Enter Radius ", 120, 480, 1215, 255),
    row(9, "picVol", PictureBox, "", 120, 1320, 2295, 255),
    textIn(row(10, "Label1", Label, "II", 1200, 480, 375, 255), ColorRole::TitleBar),
};

} // namespace

const runtime::FormDesc frmTorusVolLayout{
    "frmTorusVol",      "Volume of Torus", 3255, 2325, runtime::IconRole::Calculator,
    frmTorusVolControls};

const PageDesc frmTorusVolPage{
    WindowId::frmTorusVol,
    "cmdVolTorus",
    "picVol",
    {"txtVolTorusR1", "txtVolTorusR2"},
    calc::ClearOrder::InputsFirst,
    calc::torusVolumeFormula,
};

void cmdVolTorus_Click(const CalculatorForm &page) {
    calc::calculateWithPi(page.output(), calc::torusVolume, page.input(0), page.input(1));
}

} // namespace forms
