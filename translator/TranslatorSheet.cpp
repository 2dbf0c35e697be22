#include "translator/TranslatorSheet.h"

#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "platform/system/WinApp.h"
#include "translator/TranslatorOutput.h"
#include "translator/TranslatorRules.h"
#include "wizard/WizardRegistry.h"

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
    {"ZQMESH3D_OUTPUT_FILETYPE", IDC_TRANS_SURFACE_MESH, -1, &S::m_outputType},
    {"ZQMESH3D_UNITS", IDC_TRANS_MILLIMETRES, -1, &S::m_units},
    {"TRANS_FILE_UNITS", -1, -1, &S::m_fileUnits},
};

const Row kMeshDensityRows[] = {
    {"ZQMESH3D_SURFACE_ELEMENT_AIM", IDC_TRANS_ELEMENT_AIM, IDC_TRANS_BY_ELEMENTS, &S::m_nSurfaceElementAim,
     kQuantityDimensionless, kQuantityDimensionless, kDefault},
    {"ZQMESH3D_SURFACE_EDGE_LENGTH", IDC_TRANS_EDGE_LENGTH, IDC_TRANS_BY_EDGE_LENGTH, &S::m_dSurfaceEdgeLength,
     kQuantityLength, kQuantityDimensionless, kDefault},
    {"ZQMESH3D_LAYERS_THROUGH_THICKNESS", IDC_TRANS_LAYERS, IDC_TRANS_LAYERS_TEXT, &S::m_nLayersThroughThickness,
     kQuantityDimensionless, kQuantityDimensionless, kDefault},
    {"ZQMESH3D_MAXIMUM_ASPECT_RATIO", IDC_TRANS_ASPECT_RATIO, IDC_TRANS_ASPECT_RATIO_TEXT, &S::m_dMaximumAspectRatio,
     kQuantityDimensionless, kQuantityDimensionless, kDefault},
};

const Row kMDLRemeshRows[] = {
    {"ZQPSI_REMESH_MIN_DIVISION", IDC_TRANS_MIN_DIVISION, IDC_TRANS_MIN_DIVISION_TEXT, &S::m_nRemeshMinDivision,
     kQuantityDimensionless, kQuantityDimensionless, kDefault},
    {"ZQPSI_REMESH_MIN_ELEMENT_NUMBER", IDC_TRANS_MIN_ELEMENTS, IDC_TRANS_MIN_ELEMENTS_TEXT, &S::m_nRemeshMinElements,
     kQuantityDimensionless, kQuantityDimensionless, kDefault},
    {"ZQPSI_REMESH_MAX_ELEMENT_NUMBER", IDC_TRANS_MAX_ELEMENTS, IDC_TRANS_MAX_ELEMENTS_TEXT, &S::m_nRemeshMaxElements,
     kQuantityDimensionless, kQuantityDimensionless, kDefault},
};

const Row kIgesRows[] = {
    {"IGS_TRANS_MESH_DIV", IDC_TRANS_MESH_DIVISIONS, IDC_TRANS_MESH_DIVISIONS_TEXT, &S::m_nMeshDivisions,
     kQuantityDimensionless, kQuantityDimensionless, kDefault},
    {"IGS_MODEL_LENGTH", IDC_TRANS_MODEL_LENGTH, IDC_TRANS_MODEL_LENGTH_CHECK, &S::m_dModelLength, kQuantityLength},
    {"IGS_NODAL_TOL", IDC_TRANS_NODAL_TOLERANCE, IDC_TRANS_NODAL_TOLERANCE_TEXT, &S::m_dNodalTolerance,
     kQuantityLength, kQuantityDimensionless, kDefault},
    {"IGS_CURV_ANGLE", IDC_TRANS_CURVATURE_ANGLE, IDC_TRANS_CURVATURE_ANGLE_TEXT, &S::m_dCurvatureAngle,
     kQuantityAngle, kQuantityDimensionless, kDefault},
    {"IGS_USE_CONNECTIVITY", IDC_TRANS_USE_CONNECTIVITY, -1, &S::m_bUseConnectivity, kQuantityDimensionless,
     kQuantityDimensionless, kDefault},
    {"IGS_USE_RIBS", IDC_TRANS_USE_RIBS, -1, &S::m_bUseRibs, kQuantityDimensionless, kQuantityDimensionless,
     kDefault},
    {"IGS_USE_FILTER", IDC_TRANS_USE_FILTER, -1, &S::m_bUseFilter, kQuantityDimensionless, kQuantityDimensionless,
     kDefault},
    {"IGS_FILTER_SELECTED", IDC_TRANS_FILTER_LAYERS, IDC_TRANS_USE_FILTER, &S::m_strFilterLayers},
    {"IGS_USE_ATTRIB", IDC_TRANS_USE_ATTRIBUTES, -1, &S::m_bUseAttributes, kQuantityDimensionless,
     kQuantityDimensionless, kDefault},
    {"IGS_USE_READ_LINES", IDC_TRANS_READ_LINES, -1, &S::m_bReadLines, kQuantityDimensionless,
     kQuantityDimensionless, kDefault},
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
    working.Load(m_strTempFile);
    std::string nodeFile;
    if (m_pStartNode->GetType() != kNodeCadModel) {
        if (!m_pStartNode->GetKeywordFile(nodeFile))
            nodeFile.clear();
        m_strDescription = m_pStartNode->GetDisplayLabel();
    } else {
        m_strDescription = GetProjectTree().GetNewMeshLabel();
    }
    MergeTranslatorDefaults(working, dataPath, nodeFile);
    if (!working.Write(m_strTempFile))
        return CResult::FromErrno("cannot write " + m_strTempFile);

    if (CWinApp* app = AfxGetApp())
        m_nTranslator = app->GetProfileInt(kProfileSection, kProfileTranslator, 0);

    RegisterPageBindings();
    for (const std::string& path : GetTranslatorRangeFiles(dataPath))
        GetBindings().MergeRanges(path);
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
    // The working file is only a means to the output file: its failure shows
    // as that file's.
    CWizard::OnWizardFinish();
    MKeywordFile file;
    file.Load(m_strTempFile);
    CFilePath(m_strTempFile).Delete(true);

    const int cadType = GetCADModelType();
    if (cadType == kCadTypeIges)
        if (CWinApp* app = AfxGetApp())
            app->WriteProfileInt(kProfileSection, kProfileTranslator, m_nTranslator);

    CTranslatorJob job;
    job.cadType = cadType;
    job.outputChoice = m_outputType.m_index;
    job.translatorChoice = m_nTranslator;
    job.remeshMode = m_nRemeshMode;
    job.unitSystem = ::GetUnitSystem();
    job.cadFile = GetCADFilePath();
    MProjectTree& tree = GetProjectTree();
    // Nothing was made from this mesh yet: translate it again in place.
    const bool inPlace = m_pStartNode->GetType() != kNodeCadModel && !m_pStartNode->GetFirstChild();
    if (inPlace) {
        job.outputBase = m_pStartNode->GetFilePath();
    } else {
        CFilePath base;
        base.MakeUniqueName(CFilePath::FileName(m_pStartNode->GetFilePath()), "", true);
        job.outputBase = base.GetPath();
    }

    m_strOutputFile = CompleteTranslatorInput(file, job);
    // The labels and the node follow the file: a failed write leaves the
    // project as it was.
    m_bOutputWritten = static_cast<bool>(file.Write(m_strOutputFile));
    if (!m_bOutputWritten) {
        m_outputResult = CResult::FromErrno("could not write " + m_strOutputFile);
        return;
    }
    if (inPlace) {
        m_pStartNode->m_name = m_strDescription;
        m_pStartNode->WriteUserLabel();
        SetResultNode(m_pStartNode);
    } else {
        tree.WriteMeshLabel(job.outputBase, m_strDescription);
        SetResultNode(tree.AddFile(m_strOutputFile));
    }
}

void CTranslatorSheet::SetGetCADUnitsFunc(GetCADUnitsFunc function) { g_getCADUnits = function; }

int CTranslatorSheet::GetCADUnits(const char* path, int cadType, float extents[3])
{
    return g_getCADUnits ? g_getCADUnits(path, cadType, extents) : kUnitLengthUnknown;
}
