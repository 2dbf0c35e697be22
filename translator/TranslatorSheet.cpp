#include "translator/TranslatorSheet.h"

#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "platform/system/WinApp.h"
#include "translator/TranslatorOutput.h"
#include "translator/TranslatorRules.h"

using namespace TranslatorIds;

namespace {

CTranslatorSheet::GetCADUnitsFunc g_getCADUnits = nullptr;

constexpr UnitQuantity kQuantityLength = 0;
constexpr UnitQuantity kQuantityAngle = 20;

constexpr const char* kProfileSection = "Defaults";
constexpr const char* kProfileTranslator = "Trans";

} // namespace

CTranslatorSheet::CTranslatorSheet(ZQ_PM_Node* startNode, CWnd* parent)
    : CWizard(IDS_TRANSLATOR_CAPTION, startNode, parent)
{
    for (CPropertyPage* page : {static_cast<CPropertyPage*>(&m_page1), static_cast<CPropertyPage*>(&m_page2),
                                static_cast<CPropertyPage*>(&m_page2PS), static_cast<CPropertyPage*>(&m_page3),
                                static_cast<CPropertyPage*>(&m_page4)})
        AddPage(page);

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
    working.Write(m_strTempFile);

    if (CWinApp* app = AfxGetApp())
        m_nTranslator = app->GetProfileInt(kProfileSection, kProfileTranslator, 0);

    RegisterBindings();
    for (const std::string& path : GetTranslatorRangeFiles(dataPath))
        GetBindings().MergeRanges(path);
}

CTranslatorSheet::~CTranslatorSheet() = default;

void CTranslatorSheet::RegisterBindings()
{
    CKeywordBindings& b = GetBindings();
    b.SetCurrentPage(&m_page1);
    b.Bind("ZQMESH3D_OUTPUT_FILETYPE", kSurfaceMesh, -1, kBindChoice, &m_outputType);
    b.Bind("ZQMESH3D_UNITS", kMillimetres, -1, kBindChoice, &m_units);
    b.Bind("TRANS_FILE_UNITS", -1, -1, kBindChoice, &m_fileUnits);

    const int cadType = GetCADModelType();
    if (IsSurfaceRemeshType(cadType) || ::CanDoTetMesh(cadType)) {
        b.SetCurrentPage(&m_page2);
        b.Bind("ZQMESH3D_SURFACE_ELEMENT_AIM", kElementAim, kByElements, kBindWhole, &m_nSurfaceElementAim);
        b.Bind("ZQMESH3D_SURFACE_EDGE_LENGTH", kEdgeLength, kByEdgeLength, kBindDouble, &m_dSurfaceEdgeLength,
               kQuantityLength);
        b.Bind("ZQMESH3D_LAYERS_THROUGH_THICKNESS", kLayers, kLayersCaption, kBindWhole, &m_nLayersThroughThickness);
        b.Bind("ZQMESH3D_MAXIMUM_ASPECT_RATIO", kAspectRatio, kAspectRatioCaption, kBindDouble,
               &m_dMaximumAspectRatio, kDimensionless);
    }
    if (cadType == kCadTypeIges) {
        b.SetCurrentPage(&m_page3);
        b.Bind("IGS_TRANS_MESH_DIV", kMeshDivisions, kMeshDivisionsCaption, kBindWhole, &m_nMeshDivisions);
        b.Bind("IGS_MODEL_LENGTH", kModelLength, kModelLengthCheck, kBindDouble, &m_dModelLength, kQuantityLength);
        b.Bind("IGS_NODAL_TOL", kNodalTolerance, kNodalToleranceCaption, kBindDouble, &m_dNodalTolerance,
               kQuantityLength);
        b.Bind("IGS_CURV_ANGLE", kCurvatureAngle, kCurvatureAngleCaption, kBindDouble, &m_dCurvatureAngle,
               kQuantityAngle);
        b.Bind("IGS_USE_CONNECTIVITY", kUseConnectivity, -1, kBindSwitch, &m_bUseConnectivity);
        b.Bind("IGS_USE_RIBS", kUseRibs, -1, kBindSwitch, &m_bUseRibs);
        b.Bind("IGS_USE_FILTER", kUseFilter, -1, kBindSwitch, &m_bUseFilter);
        b.Bind("IGS_FILTER_SELECTED", kFilterLayers, kUseFilter, kBindText, &m_strFilterLayers);
        b.Bind("IGS_USE_ATTRIB", kUseAttributes, -1, kBindSwitch, &m_bUseAttributes);
        b.Bind("IGS_USE_READ_LINES", kReadLines, -1, kBindSwitch, &m_bReadLines);
    }
    if (cadType == kCadTypeIges || IsMDLOnlyType(cadType)) {
        b.SetCurrentPage(&m_page2PS);
        b.Bind("ZQPSI_REMESH_MIN_DIVISION", kMinDivision, kMinDivisionCaption, kBindWhole, &m_nRemeshMinDivision);
        b.Bind("ZQPSI_REMESH_MIN_ELEMENT_NUMBER", kMinElements, kMinElementsCaption, kBindWhole, &m_nRemeshMinElements);
        b.Bind("ZQPSI_REMESH_MAX_ELEMENT_NUMBER", kMaxElements, kMaxElementsCaption, kBindWhole, &m_nRemeshMaxElements);
    }
    b.SetCurrentPage(nullptr);
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

bool CTranslatorSheet::IsPageEnabled(UINT templateId)
{
    switch (templateId) {
    case IDD_TRANSLATOR_PAGE2: return UseZQMESH3D();
    case IDD_TRANSLATOR_PAGE2_PS: return m_nTranslator == kTranslatorMDL;
    case IDD_TRANSLATOR_PAGE3: return GetCADModelType() == kCadTypeIges && m_nTranslator == kTranslatorBuiltIn;
    default: return true;
    }
}

void CTranslatorSheet::OnWizardFinish()
{
    // IGES files carry their units; the page's units choice covers the rest,
    // and the translator reads it under its own keyword.
    m_fileUnits.m_index = m_units.m_index;
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
    if (m_pStartNode->GetType() != kNodeCadModel && !m_pStartNode->GetFirstChild()) {
        // Nothing was made from this mesh yet: translate it again in place.
        m_pStartNode->m_name = m_strDescription;
        m_pStartNode->WriteUserLabel();
        job.outputBase = m_pStartNode->GetFilePath();
        SetResultNode(m_pStartNode);
    } else {
        CFilePath base;
        base.MakeUniqueName(CFilePath::FileName(m_pStartNode->GetFilePath()), "", true);
        job.outputBase = base.GetPath();
        tree.WriteMeshLabel(job.outputBase, m_strDescription);
    }

    m_strOutputFile = CompleteTranslatorInput(file, job);
    m_bOutputWritten = static_cast<bool>(file.Write(m_strOutputFile));
    if (!GetResultNode())
        SetResultNode(tree.AddFile(m_strOutputFile));
}

void CTranslatorSheet::SetGetCADUnitsFunc(GetCADUnitsFunc function) { g_getCADUnits = function; }

int CTranslatorSheet::GetCADUnits(const char* path, int cadType, float extents[3])
{
    return g_getCADUnits ? g_getCADUnits(path, cadType, extents) : kUnitLengthUnknown;
}
