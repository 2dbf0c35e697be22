#include "flow/FlowWizard.h"

#include <cstdio>
#include <cstdlib>

#include "cool/BoundaryConditionFile.h"
#include "flow/FlowIds.h"
#include "flow/FlowOutput.h"
#include "flow/FlowSettings.h"
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "platform/system/WinApp.h"
#include "wizard/WizardRegistry.h"

namespace {

constexpr const char* kProfileSection = "Defaults";
constexpr const char* kProfileAbaqus = "AbaqusInterface";
constexpr const char* kAbaqusKeyword = "3DFLOW_ABAQUS_INTERFACE";
constexpr const char* kNoFlowTemperature = "MATERIAL_THERMAL_NO_FLOW_TEMPERATURE_SINGLE";

int g_defaultToAsymmetric = 1;

std::unique_ptr<CWizard> CreateFlowWizard(ZQ_PM_Node* node, int flags)
{
    return std::make_unique<CFlowWizard>(node, flags);
}

std::unique_ptr<CWizard> CreateFlowWizardForNode(ZQ_PM_Node* node)
{
    return CreateFlowWizard(node, CFlowWizard::DefaultFlags(node));
}

const SWizardFactory kFlowFactory{.name = "flow",
                                  .startsFrom = "a material, a flow analysis input, or a flow or cooling result",
                                  .canStartFrom = CFlowWizard::CanStartFrom,
                                  .create = CreateFlowWizardForNode,
                                  .createWithFlags = CreateFlowWizard};
const CWizardRegistration kRegistration(kFlowFactory);

double ReadNumber(const std::string& text) { return text.empty() ? 0 : std::strtod(text.c_str(), nullptr); }

} // namespace

CFlowWizard::CFlowWizard(ZQ_PM_Node* node, int flags, CWnd* parent)
    : CWizard(IDS_FLOW_CAPTION, node, parent),
      m_pressureProfileDlg(IDD_FLOW_PRESSURE_PROFILE, *this),
      m_velocityProfileDlg(IDD_FLOW_VELOCITY_PROFILE, *this),
      m_gasSettingsDlg(IDD_FLOW_GAS_SETTINGS, *this),
      m_qualityCriteriaDlg(IDD_FLOW_QUALITY_CRITERIA, *this),
      m_transferPotDlg(IDD_FLOW_TRANSFER_POT, *this),
      m_nFlags(flags),
      m_advanced(flags)
{
    if (GetModelMeshType() == kSub3D)
        m_strPrefix = "MOLD3D_";
    m_strSwitchOverKeyword = Keyword("VELOCITY_PRESSURE_TRANSITION_PRESSURE_AT_A_NODE");

    AddWizardPage({&m_page1, {}, {}, [this](CKeywordBindings& b) { BindAnalysisTypePage(b, *this); }});
    AddWizardPage({&m_page2, {}, [this] { return ShowsBoundaryPage(m_restart.m_index, FollowsFlow()); },
                   [this](CKeywordBindings& b) { BindBoundaryPage(b, *this); }});
    AddWizardPage({&m_page3, {}, [this] { return ShowsProcessPage(GetAim()); },
                   [this](CKeywordBindings& b) { BindProcessPage(b, *this); }});
    if (m_nFlags & kFlowThermoset)
        AddWizardPage({&m_pageTset, {}, {}, [this](CKeywordBindings& b) { BindCuringPage(b, *this); }});
    AddWizardPage({&m_page4, {}, [this] { return ShowsValveGates(); }, {}});
    AddWizardPage({&m_page5, {}, {}, [this](CKeywordBindings& b) { BindDescriptionPage(b, *this); }});
}

CFlowWizard::~CFlowWizard() = default;

bool CFlowWizard::CanStartFrom(const ZQ_PM_Node* node)
{
    if (!node || !const_cast<ZQ_PM_Node*>(node)->GetModelMeshNode())
        return false;
    switch (node->GetType()) {
    case kNodeMaterial: return true;
    case kNodeInput: return node->GetSubType() == kSubFlow;
    case kNodeResult: return node->GetSubType() == kSubFlow || node->GetSubType() == kSubCooling;
    default: return false;
    }
}

int CFlowWizard::DefaultFlags(const ZQ_PM_Node* node)
{
    if (node->GetType() == kNodeMaterial)
        return node->GetSubType() == kSubThermoset ? kFlowThermoset : 0;
    return node->GetAnalysisFlags();
}

void CFlowWizard::SetDefaultToAsymmetric(int value) { g_defaultToAsymmetric = value; }

CResult CFlowWizard::Prepare()
{
    if (CResult base = CWizard::Prepare(); !base)
        return base;
    // An analysis input's keywords are in the working file already; a new
    // analysis starts from an empty one.
    MKeywordFile working;
    if (m_pStartNode->GetType() == kNodeInput)
        working.Load(m_strTempFile);
    else
        InitNewAnalysis(working);
    SplitSwitchOverValue(working);
    if (!working.Write(m_strTempFile))
        return CResult::FromErrno("cannot write " + m_strTempFile);

    RegisterPageBindings();
    // An analysis that does not say yet takes the last analysis's choice.
    if (!working.HasKeyword(kAbaqusKeyword))
        if (CWinApp* app = AfxGetApp())
            m_bAbaqusInterface = app->GetProfileInt(kProfileSection, kProfileAbaqus, 0) != 0;
    BindAdvancedOptions(GetBindings(), *this);
    SetMoldWindowRanges(working);
    MergeSolverRanges();
    MProjectTree& tree = GetProjectTree();
    (void)GetBindings().LoadValues(tree.GetDefaultsFile(kSubFlow, GetModelMeshType(), m_nFlags));
    return CResult::Ok();
}

void CFlowWizard::InitNewAnalysis(MKeywordFile& working)
{
    MProjectTree& tree = GetProjectTree();
    tree.InitAnalysisInputs(working, kSubFlow, m_nFlags, m_pStartNode);
    // The description may not be left blank: a new analysis is named after
    // what it starts from until the user names it.
    if (working.GetValue("ANALYSIS_DESCRIPTION").empty())
        working.SetValue("ANALYSIS_DESCRIPTION", "Flow analysis, " + m_pStartNode->GetDisplayLabel());
    // A flow after a cooling analysis sees mold temperatures that differ
    // between the two sides of the part.
    if (!Is3D() && m_pStartNode->GetSubType() == kSubCooling && g_defaultToAsymmetric && !(m_nFlags & kFlowGas))
        working.SetValue("3DFLOW_ANALYSIS_TYPE", "ASYMMETRIC");
    // An optimisation that follows its own analysis input starts from its settings.
    ZQ_PM_Node* parent = m_pStartNode->GetParent();
    if (m_pStartNode->GetSubType() == kSubFlow && (m_nFlags & kFlowOptimum) && parent &&
        parent->GetType() == kNodeInput)
        working.Merge(parent->GetFilePath());
    // A flow that follows another keeps that analysis's boundary conditions.
    if (ZQ_PM_Node* previous = GetPrevResultNode(kSubFlow)) {
        ZQ_PM_Node* input = previous->GetParent();
        if (input && input->GetType() == kNodeResult)
            input = input->GetParent();
        std::string path;
        if (input && input->GetKeywordFile(path)) {
            MKeywordFile earlier;
            earlier.Load(path);
            m_strBoundaryFile = earlier.GetValue("3DFLOW_BOUNDARY_CONDITION");
        }
    }
}

void CFlowWizard::SplitSwitchOverValue(MKeywordFile& working)
{
    const std::string pressure = SwitchOverPressureOf(working.GetValue(m_strSwitchOverKeyword));
    if (!pressure.empty())
        working.SetValue(m_strSwitchOverKeyword, pressure);
}

void CFlowWizard::SetMoldWindowRanges(const MKeywordFile& working)
{
    const double noFlow = ReadNumber(working.GetValue(kNoFlowTemperature));
    if (noFlow == 0)
        return;
    CKeywordBindings& bindings = GetBindings();
    const std::string melt = MoldWindowMeltRange(noFlow);
    const std::string mold = MoldWindowMoldRange(noFlow);
    bindings.SetRangeText("3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT_RANGE", melt);
    bindings.SetRangeText("3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_UPPER_LIMIT_RANGE", melt);
    bindings.SetRangeText("3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_LOWER_LIMIT_RANGE", mold);
    bindings.SetRangeText("3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_UPPER_LIMIT_RANGE", mold);
}

void CFlowWizard::MergeSolverRanges()
{
    MProjectTree& tree = GetProjectTree();
    const std::string name = tree.GetProgramName(kSubFlow, GetModelMeshType(), m_nFlags) + ".rng";
    // A range file in the current folder adds to and overrides the installed one.
    GetBindings().MergeRanges(tree.GetDataPath() + name);
    GetBindings().MergeRanges(name);
}

intptr_t CFlowWizard::DoModal()
{
    CWinApp* app = AfxGetApp();
    std::string previous;
    if (app) {
        previous = app->m_pszHelpFilePath;
        app->m_pszHelpFilePath = GetProjectTree().GetDataPath() + "flow.hlp";
    }
    const intptr_t result = CWizard::DoModal();
    if (app)
        app->m_pszHelpFilePath = previous;
    return result;
}

bool CFlowWizard::ShowsValveGates() const
{
    MBoundaryConditionFile bc;
    if (m_strBoundaryFile.empty())
        return false;
    bc.Load(m_strBoundaryFile);
    return ShowsValveGatePage(GetAim(), m_nFlags, bc.HasValveGateGroups(), bc.HasGasValveGates(),
                              bc.HasWellValveGates());
}

void CFlowWizard::OnWizardFinish()
{
    CWizard::OnWizardFinish();
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(kProfileSection, kProfileAbaqus, m_bAbaqusInterface ? 1 : 0);
    MKeywordFile file;
    file.Load(m_strTempFile);
    WriteRestartAndBoundary(file);
    StoreSwitchOverNode(file, m_strSwitchOverKeyword, m_strBoundaryFile);

    MProjectTree& tree = GetProjectTree();
    ZQ_PM_Node* node = m_pStartNode;
    if (node->GetType() == kNodeInput && CFilePath(node->GetFilePath()).IsReadOnly())
        node = node->GetParent();
    ZQ_PM_Node* input = nullptr;
    if (node->GetType() == kNodeInput) {
        m_strOutputFile = node->GetFilePath();
        if (!file.Write(m_strOutputFile)) {
            m_finishResult = CResult::FromErrno("could not write " + m_strOutputFile);
            return;
        }
        if (tree.UpdateInputNode(node))
            input = node;
    } else {
        input = tree.CreateInputNode(node, file, kSubFlow, m_nFlags);
        if (input)
            m_strOutputFile = input->GetFilePath();
    }
    if (!input) {
        m_finishResult = CResult::Fail("the project did not take the analysis: " + tree.GetLastError());
        return;
    }
    ZQ_PM_Node* result = input->GetFirstChild();
    if (result && result->GetFirstChild() && result->GetFirstChild()->GetType() == kNodeResult)
        result = result->GetFirstChild();
    SetResultNode(result);
}

void CFlowWizard::WriteRestartAndBoundary(MKeywordFile& file)
{
    const int aim = GetAim();
    if (m_restart.m_index != kRestartNone)
        WriteRestartPoint(file, Is3D(), m_restart, m_nRestartIndex, m_strRestartFile);
    else if (aim == kFlowAimMoldWindow || aim == kFlowAimGateLocation)
        file.SetValue("3DFLOW_ANALYSIS_TYPE", "FAST");
    else
        CopyPreviousBoundaryConditions(file, Keyword("BOUNDARY_CONDITION"), GetPrevResultNode(kSubFlow));
}
