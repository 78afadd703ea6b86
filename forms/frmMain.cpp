#include "forms/units.h"

#include "forms/design.h"
#include "runtime/program.h"

#include <array>
#include <string_view>
#include <utility>

namespace forms {

using namespace design;

namespace {

constexpr ControlDesc frmMainControls[] = {
    row(0, "Label1", Label, "Geometric Shapes Areas", 240, 240, 1095, 615),
    textIn(row(1, "Label2", Label, "Geometric  Shapes Volumes", 1800, 240, 1335, 615),
           ColorRole::DarkGrey),
    row(2, "cboArea", ComboBox, "", 240, 840, 1455, 315, "Geometric Shapes Areas"),
    row(3, "cboVolume", ComboBox, "", 1800, 840, 1455, 315, "Geometric  Shapes Volumes"),
    row(4, "Label3", Label, "Helmira Solutions Signed: R.M.K", 720, 1320, 2295, 255),
    row(5, "cmdExit", CommandButton, "E&xit", 2760, 1320, 495, 255),
};

using Choice = std::pair<std::string_view, WindowId>;

constexpr std::array<Choice, 6> areaChoices{{
    {"Triangle", WindowId::frmTriangleArea},
    {"Circle", WindowId::frmCircleArea},
    {"Ellipse", WindowId::frmEllipseArea},
    {"Sphere", WindowId::frmSphereArea},
    {"Cylinder", WindowId::frmCylinderArea},
    {"Torus", WindowId::frmTorusArea},
}};

constexpr std::array<Choice, 6> volumeChoices{{
    {"Sphere", WindowId::frmSphereVol},
    {"Pyramid", WindowId::frmPyramidVol},
    {"Ellipsoid", WindowId::frmEllipsoidVol},
    {"Cylinder", WindowId::frmCylinderVol},
    {"Cone", WindowId::frmConeVol},
    {"Torus", WindowId::frmTorusVol},
}};

class frmMain : public runtime::Form {
public:
    explicit frmMain(Navigator &navigator)
        : Form(frmMainLayout)
        , m_navigator(navigator) {}

protected:
    void bindHandlers() override {
        onClick("cboArea", [this] { cboArea_Click(); });
        onClick("cboVolume", [this] { cboVolume_Click(); });
        onClick("cmdExit", [] { runtime::End(); });
    }

    void Form_Load() override {
        for (const auto &[name, window] : areaChoices)
            comboBox("cboArea").AddItem(name);
        for (const auto &[name, window] : volumeChoices)
            comboBox("cboVolume").AddItem(name);
    }

private:
    void cboArea_Click() { switchOnText("cboArea", areaChoices); }
    void cboVolume_Click() { switchOnText("cboVolume", volumeChoices); }

    // Every test reads the selector's text afresh and compares it exactly, case included; all
    // six run, and at most one matches since a switch leaves the text as it is.
    void switchOnText(std::string_view selector, const std::array<Choice, 6> &choices) {
        for (const auto &[name, window] : choices) {
            if (comboBox(selector).Text() == name)
                m_navigator.switchTo(window);
        }
    }

    Navigator &m_navigator;
};

} // namespace

const runtime::FormDesc frmMainLayout{"frmMain", "Helmira Geometric Calculator", 3405,
                                      1665,      runtime::IconRole::Main,        frmMainControls};

std::unique_ptr<runtime::Form> makeMain(Navigator &navigator) {
    return std::make_unique<frmMain>(navigator);
}

} // namespace forms
