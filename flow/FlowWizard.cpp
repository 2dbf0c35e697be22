#include "flow/FlowWizard.h"

#include <cstdio>
#include <cstdlib>

#include "cool/BoundaryConditionFile.h"
#include "flow/FlowIds.h"
#include "flow/FlowOutput.h"
#include "flow/FlowSettings.h"
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "platform/system/FileIo.h"
#include "platform/system/WinApp.h"
#include "wizard/WizardRegistry.h"

#include <sys/stat.h>
#include <unistd.h>

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
                                  .createWithFlags = CreateFlowWizard,
                                  .subType = kSubFlow,
                                  .defaultFlags = CFlowWizard::DefaultFlags};
const CWizardRegistration kRegistration(kFlowFactory);

double ReadNumber(const std::string& text) { return text.empty() ? 0 : std::strtod(text.c_str(), nullptr); }

} // namespace

CFlowWizard::CFlowWizard(ZQ_PM_Node* node, int flags, CWnd* parent)
    : CWizard(IDS_FLOW_CAPTION, node, parent),
      m_nFlags(flags),
      m_advanced(flags, this)
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
    if (m_pStartNode->GetType() == kNodeInput) {
        if (CResult loaded = working.Load(m_strTempFile); !loaded)
            return loaded;
    } else if (CResult started = InitNewAnalysis(working); !started) {
        return started;
    }
    SplitSwitchOverValue(working);
    if (CResult written = WriteWorkingFile(working); !written)
        return written;

    RegisterPageBindings();
    // An analysis that does not say yet takes the last analysis's choice.
    if (!working.HasKeyword(kAbaqusKeyword))
        if (CWinApp* app = AfxGetApp())
            m_bAbaqusInterface = app->GetProfileInt(kProfileSection, kProfileAbaqus, 0) != 0;
    BindAdvancedOptions(GetBindings(), *this);
    SetMoldWindowRanges(working);
    if (CResult merged = MergeSolverRanges(); !merged)
        return merged;
    MProjectTree& tree = GetProjectTree();
    return GetBindings().LoadValues(tree.GetDefaultsFile(kSubFlow, GetModelMeshType(), m_nFlags));
}

CResult CFlowWizard::InitNewAnalysis(MKeywordFile& working)
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
        if (CResult merged = MergeIfPresent(working, parent->GetFilePath()); !merged)
            return merged;
    // A flow that follows another keeps that analysis's boundary conditions.
    if (ZQ_PM_Node* previous = GetPrevResultNode(kSubFlow)) {
        ZQ_PM_Node* input = previous->GetParent();
        if (input && input->GetType() == kNodeResult)
            input = input->GetParent();
        std::string path;
        if (input && input->GetKeywordFile(path)) {
            MKeywordFile earlier;
            if (CResult loaded = LoadIfPresent(earlier, path); !loaded)
                return loaded;
            m_strBoundaryFile = earlier.GetValue("3DFLOW_BOUNDARY_CONDITION");
        }
    }
    return CResult::Ok();
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

CResult CFlowWizard::MergeSolverRanges()
{
    MProjectTree& tree = GetProjectTree();
    const std::string name = tree.GetProgramName(kSubFlow, GetModelMeshType(), m_nFlags) + ".rng";
    // A range file in the current folder adds to and overrides the installed one.
    if (CResult merged = GetBindings().MergeRanges(tree.GetDataPath() + name); !merged)
        return merged;
    return GetBindings().MergeRanges(name);
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
    // A set that cannot be read has no valve gates, so the page stays hidden.
    (void)bc.Load(m_strBoundaryFile);
    return ShowsValveGatePage(GetAim(), m_nFlags, bc.HasValveGateGroups(), bc.HasGasValveGates(),
                              bc.HasWellValveGates());
}

void CFlowWizard::OnWizardFinish()
{
    CWizard::OnWizardFinish();
    if (!m_finishResult)
        return;
    MKeywordFile file;
    m_finishResult = file.Load(m_strTempFile);
    if (!m_finishResult)
        return;
    WriteRestartAndBoundary(file);
    StoreSwitchOverNode(file, m_strSwitchOverKeyword, m_strBoundaryFile);
    m_finishResult = RegisterAnalysis(file);
    if (!m_finishResult)
        return;

    // The choice is remembered only once the analysis stands; the analysis
    // does not depend on it, so a failure here is only a warning.
    if (CWinApp* app = AfxGetApp();
        app && !app->WriteProfileInt(kProfileSection, kProfileAbaqus, m_bAbaqusInterface ? 1 : 0))
        m_finishWarnings.push_back("the Abaqus interface choice was not remembered: cannot write the settings file '" +
                                   app->GetProfileFile() + "'");
}

CResult CFlowWizard::RegisterAnalysis(MKeywordFile& file)
{
    MProjectTree& tree = GetProjectTree();
    ZQ_PM_Node* node = m_pStartNode;
    if (node->GetType() == kNodeInput && CFilePath(node->GetFilePath()).IsReadOnly())
        node = node->GetParent();
    ZQ_PM_Node* input = nullptr;
    if (node->GetType() == kNodeInput) {
        // The analysis file is rewritten before the project takes the change;
        // should the project refuse it, the file gets its old bytes back so
        // that a failed Finish leaves no trace.
        const std::string path = node->GetFilePath();
        struct stat info;
        const bool existed = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
        std::string oldBytes;
        if (existed)
            if (CResult read = wizsys::ReadWholeFile(path, oldBytes); !read)
                return read;
        if (CResult wrote = file.Write(path); !wrote)
            return wrote;
        if (!tree.UpdateInputNode(node)) {
            CResult failure = CResult::Fail("the project did not take the analysis: " + tree.GetLastError());
            CResult restored = existed ? wizsys::WriteWholeFile(path, oldBytes)
                                       : (::unlink(path.c_str()) == 0
                                              ? CResult::Ok()
                                              : CResult::FromErrno("cannot remove '" + path + "'"));
            if (!restored)
                return CResult::Fail(failure.GetMessage() + "; and undoing it failed: " + restored.GetMessage());
            return failure;
        }
        input = node;
    } else {
        input = tree.CreateInputNode(node, file, kSubFlow, m_nFlags);
        if (!input)
            return CResult::Fail("the project did not take the analysis: " + tree.GetLastError());
    }
    m_strOutputFile = input->GetFilePath();
    ZQ_PM_Node* result = input->GetFirstChild();
    if (result && result->GetFirstChild() && result->GetFirstChild()->GetType() == kNodeResult)
        result = result->GetFirstChild();
    SetResultNode(result);
    return CResult::Ok();
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

int CFlowWizard::RunAdvancedOptions() { return static_cast<int>(m_advanced.DoModal()); }
