#pragma once
// The flow wizard's keyword binding tables, one function per page, each
// registering its page's table (and those of the dialogs the page opens) in
// the order the keyword set lists them. Keywords written "<P>..." take the
// solver prefix of the mesh.
class CKeywordBindings;
class CFlowWizard;

// Analysis type page: the aim.
void BindAnalysisTypePage(CKeywordBindings& bindings, CFlowWizard& wizard);
// Boundary conditions and temperatures page.
void BindBoundaryPage(CKeywordBindings& bindings, CFlowWizard& wizard);
// Process settings page, then its velocity profile, pressure profile, gas
// settings (gas analyses) and quality criteria (optimisation) dialogs.
void BindProcessPage(CKeywordBindings& bindings, CFlowWizard& wizard);
// Curing page and its transfer pot material dialog (thermoset analyses).
void BindCuringPage(CKeywordBindings& bindings, CFlowWizard& wizard);
// Description page.
void BindDescriptionPage(CKeywordBindings& bindings, CFlowWizard& wizard);
// The advanced options sheet's keywords, after every page's: each on its
// page of the wizard's advanced sheet. Registering `<P>RAM` and its stroke
// length again moves them from the velocity profile dialog to an
// optimisation's Analysis page.
void BindAdvancedOptions(CKeywordBindings& bindings, CFlowWizard& wizard);
