#include "translator/TranslatorSheet.h"

#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "platform/system/FileIo.h"
#include "platform/system/WinApp.h"
#include "translator/TranslatorOutput.h"
#include "translator/TranslatorRules.h"
#include "wizard/WizardRegistry.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

CTranslatorSheet::GetCADUnitsFunc g_getCADUnits = nullptr;

constexpr const char* kProfileSection = "Defaults";
constexpr const char* kProfileTranslator = "Trans";

using Row = CBindingRow<CTranslatorSheet>;
using S = CTranslatorSheet;

// The binding tables, one per page, in the order of the pages' fields. The
// members' initial values are the pages' defaults (kBindPageDefault); the
// two fields a check box governs follow their keyword's presence instead.
constexpr unsigned kDefault = kBindPageDefault;

const Row kPage1Rows[] = {
    {.keyword = "ZQMESH3D_OUTPUT_FILETYPE", .control = IDC_TRANS_SURFACE_MESH, .member = &S::m_outputType},
    {.keyword = "ZQMESH3D_UNITS", .control = IDC_TRANS_MILLIMETRES, .member = &S::m_units},
    {.keyword = "TRANS_FILE_UNITS", .control = -1, .member = &S::m_fileUnits},
};

const Row kMeshDensityRows[] = {
    {.keyword = "ZQMESH3D_SURFACE_ELEMENT_AIM", .control = IDC_TRANS_ELEMENT_AIM, .companion = IDC_TRANS_BY_ELEMENTS,
     .member = &S::m_nSurfaceElementAim, .flags = kDefault},
    {.keyword = "ZQMESH3D_SURFACE_EDGE_LENGTH", .control = IDC_TRANS_EDGE_LENGTH, .companion = IDC_TRANS_BY_EDGE_LENGTH,
     .member = &S::m_dSurfaceEdgeLength, .quantity = kQuantityLength, .flags = kDefault},
    {.keyword = "ZQMESH3D_LAYERS_THROUGH_THICKNESS", .control = IDC_TRANS_LAYERS, .companion = IDC_TRANS_LAYERS_TEXT,
     .member = &S::m_nLayersThroughThickness, .flags = kDefault},
    {.keyword = "ZQMESH3D_MAXIMUM_ASPECT_RATIO", .control = IDC_TRANS_ASPECT_RATIO,
     .companion = IDC_TRANS_ASPECT_RATIO_TEXT,
     .member = &S::m_dMaximumAspectRatio, .flags = kDefault},
};

const Row kMDLRemeshRows[] = {
    {.keyword = "ZQPSI_REMESH_MIN_DIVISION", .control = IDC_TRANS_MIN_DIVISION,
     .companion = IDC_TRANS_MIN_DIVISION_TEXT,
     .member = &S::m_nRemeshMinDivision, .flags = kDefault},
    {.keyword = "ZQPSI_REMESH_MIN_ELEMENT_NUMBER", .control = IDC_TRANS_MIN_ELEMENTS,
     .companion = IDC_TRANS_MIN_ELEMENTS_TEXT,
     .member = &S::m_nRemeshMinElements, .flags = kDefault},
    {.keyword = "ZQPSI_REMESH_MAX_ELEMENT_NUMBER", .control = IDC_TRANS_MAX_ELEMENTS,
     .companion = IDC_TRANS_MAX_ELEMENTS_TEXT,
     .member = &S::m_nRemeshMaxElements, .flags = kDefault},
};

const Row kIgesRows[] = {
    {.keyword = "IGS_TRANS_MESH_DIV", .control = IDC_TRANS_MESH_DIVISIONS, .companion = IDC_TRANS_MESH_DIVISIONS_TEXT,
     .member = &S::m_nMeshDivisions, .flags = kDefault},
    {.keyword = "IGS_MODEL_LENGTH", .control = IDC_TRANS_MODEL_LENGTH, .companion = IDC_TRANS_MODEL_LENGTH_CHECK,
     .member = &S::m_dModelLength, .quantity = kQuantityLength},
    {.keyword = "IGS_NODAL_TOL", .control = IDC_TRANS_NODAL_TOLERANCE, .companion = IDC_TRANS_NODAL_TOLERANCE_TEXT,
     .member = &S::m_dNodalTolerance, .quantity = kQuantityLength, .flags = kDefault},
    {.keyword = "IGS_CURV_ANGLE", .control = IDC_TRANS_CURVATURE_ANGLE, .companion = IDC_TRANS_CURVATURE_ANGLE_TEXT,
     .member = &S::m_dCurvatureAngle, .quantity = kQuantityAngle, .flags = kDefault},
    {.keyword = "IGS_USE_CONNECTIVITY", .control = IDC_TRANS_USE_CONNECTIVITY,
     .member = &S::m_bUseConnectivity, .flags = kDefault},
    {.keyword = "IGS_USE_RIBS", .control = IDC_TRANS_USE_RIBS, .member = &S::m_bUseRibs, .flags = kDefault},
    {.keyword = "IGS_USE_FILTER", .control = IDC_TRANS_USE_FILTER, .member = &S::m_bUseFilter, .flags = kDefault},
    {.keyword = "IGS_FILTER_SELECTED", .control = IDC_TRANS_FILTER_LAYERS, .companion = IDC_TRANS_USE_FILTER,
     .member = &S::m_strFilterLayers},
    {.keyword = "IGS_USE_ATTRIB", .control = IDC_TRANS_USE_ATTRIBUTES,
     .member = &S::m_bUseAttributes, .flags = kDefault},
    {.keyword = "IGS_USE_READ_LINES", .control = IDC_TRANS_READ_LINES, .member = &S::m_bReadLines, .flags = kDefault},
};

std::unique_ptr<CWizard> CreateTranslator(ZQ_PM_Node* node)
{
    CTranslatorSheet::SetGetCADUnitsFunc(HostGetCADUnits);
    auto sheet = std::make_unique<CTranslatorSheet>(node);
    // New translation inputs belong with their CAD model, as the host files them.
    CWizard::GetProjectTree().SetEditNode(sheet->GetCADNode());
    return sheet;
}

const SWizardFactory kTranslatorFactory{"translate", "a CAD model or a mesh made from one",
                                        CTranslatorSheet::CanStartFrom, CreateTranslator};
const CWizardRegistration kRegistration(kTranslatorFactory);

} // namespace

CTranslatorSheet::CTranslatorSheet(ZQ_PM_Node* startNode, CWnd* parent)
    : CWizard(IDS_TRANSLATOR_CAPTION, startNode, parent)
{
    // The pages in showing order, each with when it applies: `forModel` (the
    // CAD type) also decides whether its bindings exist at all.
    const auto cadType = [this] { return GetCADModelType(); };
    AddWizardPage({&m_page1, {}, {}, BindingTable(*this, kPage1Rows)});
    AddWizardPage({&m_page2, [cadType] { return IsSurfaceRemeshType(cadType()) || ::CanDoTetMesh(cadType()); },
                   [this] { return UseZQMESH3D(); }, BindingTable(*this, kMeshDensityRows)});
    AddWizardPage({&m_page2PS, [cadType] { return cadType() == kCadTypeIges || IsMDLOnlyType(cadType()); },
                   [this] { return m_nTranslator == kTranslatorMDL; }, BindingTable(*this, kMDLRemeshRows)});
    AddWizardPage({&m_page3, [cadType] { return cadType() == kCadTypeIges; },
                   [this] { return m_nTranslator == kTranslatorBuiltIn; }, BindingTable(*this, kIgesRows)});
    AddWizardPage({&m_page4, {}, {}, {}});
}

CTranslatorSheet::~CTranslatorSheet() = default;

bool CTranslatorSheet::CanStartFrom(const ZQ_PM_Node* node)
{
    if (node->GetType() == kNodeCadModel)
        return true;
    const ZQ_PM_Node* parent = node->GetParent();
    return (node->GetType() == kNodeMesh || node->GetType() == kNodeTranslation) && parent &&
           parent->GetType() == kNodeCadModel;
}

CResult CTranslatorSheet::Prepare()
{
    if (CResult base = CWizard::Prepare(); !base)
        return base;
    // The working file: the programs' defaults, with the settings of an
    // earlier translation of this mesh over them.
    const std::string dataPath = GetProjectTree().GetDataPath();
    MKeywordFile working;
    if (CResult loaded = LoadIfPresent(working, m_strTempFile); !loaded)
        return loaded;
    std::string nodeFile;
    if (m_pStartNode->GetType() != kNodeCadModel) {
        if (!m_pStartNode->GetKeywordFile(nodeFile))
            nodeFile.clear();
        m_strDescription = m_pStartNode->GetDisplayLabel();
    } else {
        m_strDescription = GetProjectTree().GetNewMeshLabel();
    }
    if (CResult merged = MergeTranslatorDefaults(working, dataPath, nodeFile); !merged)
        return merged;
    if (CResult written = WriteWorkingFile(working); !written)
        return written;

    if (CWinApp* app = AfxGetApp())
        m_nTranslator = app->GetProfileInt(kProfileSection, kProfileTranslator, 0);

    RegisterPageBindings();
    for (const std::string& path : GetTranslatorRangeFiles(dataPath))
        if (CResult merged = GetBindings().MergeRanges(path); !merged)
            return merged;
    return CResult::Ok();
}

ZQ_PM_Node* CTranslatorSheet::GetCADNode() const
{
    if (!m_pStartNode || m_pStartNode->GetType() == kNodeCadModel)
        return m_pStartNode;
    return m_pStartNode->GetParent();
}

int CTranslatorSheet::GetCADModelType() const
{
    const ZQ_PM_Node* cad = GetCADNode();
    return cad ? cad->GetSubType() : kSubNone;
}

std::string CTranslatorSheet::GetCADFilePath() const
{
    const ZQ_PM_Node* cad = GetCADNode();
    return cad ? cad->GetFilePath() : std::string();
}

bool CTranslatorSheet::CanDoTetMesh() const { return ::CanDoTetMesh(GetCADModelType()); }

bool CTranslatorSheet::UseZQMESH3D() const { return ::UseZQMESH3D(GetCADModelType(), m_outputType.m_index); }

void CTranslatorSheet::OnWizardFinish()
{
    // IGES files carry their units; the page's units choice covers the rest,
    // and the translator reads it under its own keyword.
    m_fileUnits.m_index = m_units.m_index;
    CWizard::OnWizardFinish();
    if (!m_finishResult) {
        CFilePath(m_strTempFile).Delete(true);
        return;
    }
    m_finishResult = MakeTranslatorInput();
    if (!m_finishResult)
        return;

    // Remembered for the next IGES model only once the input is made; the
    // translation stands without it, so a failure here is only a warning.
    if (GetCADModelType() == kCadTypeIges)
        if (CWinApp* app = AfxGetApp(); app && !app->WriteProfileInt(kProfileSection, kProfileTranslator, m_nTranslator))
            m_finishWarnings.push_back("the translator choice was not remembered: cannot write the settings file '" +
                                       app->GetProfileFile() + "'");
}

CResult CTranslatorSheet::MakeTranslatorInput()
{
    MKeywordFile file;
    CResult loaded = file.Load(m_strTempFile);
    CFilePath(m_strTempFile).Delete(true);
    if (!loaded)
        return loaded;

    CTranslatorJob job;
    job.cadType = GetCADModelType();
    job.outputChoice = m_outputType.m_index;
    job.translatorChoice = m_nTranslator;
    job.remeshMode = m_nRemeshMode;
    job.unitSystem = ::GetUnitSystem();
    job.cadFile = GetCADFilePath();
    MProjectTree& tree = GetProjectTree();
    // Nothing was made from this mesh yet: translate it again in place.
    const bool inPlace = m_pStartNode->GetType() != kNodeCadModel && !m_pStartNode->GetFirstChild();
    CFilePath numbered;
    if (inPlace) {
        job.outputBase = m_pStartNode->GetFilePath();
    } else {
        if (CResult named = numbered.MakeUniqueName(CFilePath::FileName(m_pStartNode->GetFilePath()), "", true);
            !named)
            return named;
        job.outputBase = numbered.GetPath();
    }
    m_strOutputFile = CompleteTranslatorInput(file, job);

    // Each step below is undone when a later one fails, so that a failed
    // Finish leaves no trace: the counter gets its number back, and the
    // output file goes, or gets its old bytes back when it was rewritten.
    // Only a regular file can be rewritten; the write refuses anything else
    // with its own message.
    struct stat info;
    const bool existed = ::stat(m_strOutputFile.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    std::string oldBytes;
    bool written = false;
    const auto undo = [&](CResult failure) {
        CResult restored;
        if (written)
            restored = existed ? wizsys::WriteWholeFile(m_strOutputFile, oldBytes)
                               : (::unlink(m_strOutputFile.c_str()) == 0
                                      ? CResult::Ok()
                                      : CResult::FromErrno("cannot remove '" + m_strOutputFile + "'"));
        CResult released = numbered.ReleaseUniqueName();
        for (const CResult* also : {&restored, &released})
            if (!*also)
                return CResult::Fail(failure.GetMessage() + "; and undoing it failed: " + also->GetMessage());
        return failure;
    };
    if (existed)
        if (CResult read = wizsys::ReadWholeFile(m_strOutputFile, oldBytes); !read)
            return undo(std::move(read));
    if (CResult wrote = file.Write(m_strOutputFile); !wrote)
        return undo(std::move(wrote));
    written = true;

    // The labels and the node in one change of the project file, made last:
    // the project changes only when everything before it held.
    ZQ_PM_Node* result = nullptr;
    if (inPlace) {
        const std::string previous = m_pStartNode->m_name;
        m_pStartNode->m_name = m_strDescription;
        if (m_pStartNode->WriteUserLabel())
            result = m_pStartNode;
        else
            m_pStartNode->m_name = previous;
    } else {
        result = tree.AddLabeledFile(m_strOutputFile, m_strDescription);
    }
    if (!result)
        return undo(CResult::Fail(tree.GetLastError()));
    SetResultNode(result);
    return CResult::Ok();
}

void CTranslatorSheet::SetGetCADUnitsFunc(GetCADUnitsFunc function) { g_getCADUnits = function; }

int CTranslatorSheet::GetCADUnits(const char* path, int cadType, float extents[3])
{
    return g_getCADUnits ? g_getCADUnits(path, cadType, extents) : kUnitLengthUnknown;
}
