#include "forms/layouts.h"
#include "forms/units.h"

namespace forms {

namespace {

struct CalculatorUnit {
    const runtime::FormDesc &layout;
    const PageDesc &page;
    CalculatorForm::Calculate calculate;
};

// The calculator windows in window order, after the main window.
const CalculatorUnit calculators[] = {
    {frmTriangleAreaLayout, frmTriangleAreaPage, cmdTriArea_Click},
    {frmCircleAreaLayout, frmCircleAreaPage, cmdCircleArea_Click},
    {frmEllipseAreaLayout, frmEllipseAreaPage, cmdEllipseArea_Click},
    {frmSphereAreaLayout, frmSphereAreaPage, cmdAreaSphere_Click},
    {frmCylinderAreaLayout, frmCylinderAreaPage, cmdCylinderArea_Click},
    {frmTorusAreaLayout, frmTorusAreaPage, cmdAreaTorus_Click},
    {frmSphereVolLayout, frmSphereVolPage, cmdVolSphere_Click},
    {frmPyramidVolLayout, frmPyramidVolPage, cmdVolPyramid_Click},
    {frmEllipsoidVolLayout, frmEllipsoidVolPage, cmdVolEllipsoid_Click},
    {frmCylinderVolLayout, frmCylinderVolPage, cmdVolCylinder_Click},
    {frmConeVolLayout, frmConeVolPage, cmdVolCone_Click},
    {frmTorusVolLayout, frmTorusVolPage, cmdVolTorus_Click},
};

const CalculatorUnit &calculatorUnit(WindowId id) {
    return calculators[static_cast<std::size_t>(id) - 1];
}

} // namespace

std::unique_ptr<runtime::Form> createWindow(WindowId id, Navigator &navigator) {
    if (id == WindowId::frmMain)
        return makeMain(navigator);
    const CalculatorUnit &unit = calculatorUnit(id);
    return std::make_unique<CalculatorForm>(unit.page, navigator, unit.calculate);
}

const runtime::FormDesc &layoutOf(WindowId id) {
    return id == WindowId::frmMain ? frmMainLayout : calculatorUnit(id).layout;
}

std::span<const runtime::FormDesc> allLayouts() {
    static const std::array<runtime::FormDesc, windowCount> layouts = [] {
        std::array<runtime::FormDesc, windowCount> all{};
        for (const WindowId id : windowOrder())
            all[static_cast<std::size_t>(id)] = layoutOf(id);
        return all;
    }();
    return layouts;
}

} // namespace forms
