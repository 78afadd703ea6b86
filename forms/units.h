#pragma once

// The window units: each defines its window's layout table and, for a calculator window, its
// page and its Calculate handler.

#include "calc/page.h"
#include "forms/calculatorform.h"
#include "forms/design.h"
#include "forms/windows.h"

namespace forms {

using calc::Integer;
using calc::Variant;

extern const runtime::FormDesc frmMainLayout;
std::unique_ptr<runtime::Form> makeMain(Navigator &navigator);

extern const runtime::FormDesc frmTriangleAreaLayout, frmCircleAreaLayout, frmEllipseAreaLayout,
    frmSphereAreaLayout, frmCylinderAreaLayout, frmTorusAreaLayout, frmSphereVolLayout,
    frmPyramidVolLayout, frmEllipsoidVolLayout, frmCylinderVolLayout, frmConeVolLayout,
    frmTorusVolLayout;

extern const PageDesc frmTriangleAreaPage, frmCircleAreaPage, frmEllipseAreaPage, frmSphereAreaPage,
    frmCylinderAreaPage, frmTorusAreaPage, frmSphereVolPage, frmPyramidVolPage, frmEllipsoidVolPage,
    frmCylinderVolPage, frmConeVolPage, frmTorusVolPage;

void cmdTriArea_Click(const CalculatorForm &page);
void cmdCircleArea_Click(const CalculatorForm &page);
void cmdEllipseArea_Click(const CalculatorForm &page);
void cmdAreaSphere_Click(const CalculatorForm &page);
void cmdCylinderArea_Click(const CalculatorForm &page);
void cmdAreaTorus_Click(const CalculatorForm &page);
void cmdVolSphere_Click(const CalculatorForm &page);
void cmdVolPyramid_Click(const CalculatorForm &page);
void cmdVolEllipsoid_Click(const CalculatorForm &page);
void cmdVolCylinder_Click(const CalculatorForm &page);
void cmdVolCone_Click(const CalculatorForm &page);
void cmdVolTorus_Click(const CalculatorForm &page);

} // namespace forms
