#include "forms/units.h"

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmPyramidVolControls[] = {
    row(0, "txtVolumePyramidB", TextBox, "", 1320, 120, 1695, 285, "Enter base Area"),
    row(1, "txtVolumePyramidH", TextBox, "", 1320, 480, 1695, 285, "Enter Height"),
    row(2, "cmdVolPyramid", CommandButton, "Calculate", 120, 840, 975, 255),
    row(3, "cmdClear", CommandButton, "Clear", 2520, 1200, 615, 255),
    row(4, "cmdBack", CommandButton, "Back", 120, 1920, 615, 255),
    row(5, "cmdExit", CommandButton, "Close", 2520, 1920, 615, 255),
    row(6, "Label3", Label, "Helmira Solutions Signed:R.M.K.", 960, 1920, 2175, 255),
    row(7, "Label17", Label, "Enter base Area", 120, 120, 1215, 255),
    row(8, "Label18", Label, "Enter Height", 120, 480, 1215, 255),
    row(9, "picVol", PictureBox, "", 120, 1200, 2055, 255),
};

} // namespace

const runtime::FormDesc frmPyramidVolLayout{
    "frmPyramidVol",      "Volume of Pyramid", 3255, 2325, runtime::IconRole::Calculator,
    frmPyramidVolControls};

const PageDesc frmPyramidVolPage{
    WindowId::frmPyramidVol,
    "cmdVolPyramid",
    "picVol",
    {"txtVolumePyramidB", "txtVolumePyramidH"},
    calc::ClearOrder::InputsFirst,
    calc::pyramidVolumeFormula,
};

void cmdVolPyramid_Click(const CalculatorForm &page) {
    calc::calculate(page.output(), calc::pyramidVolume, page.input(0), page.input(1));
}

} // namespace forms
