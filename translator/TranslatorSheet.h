#pragma once
// CTranslatorSheet: the wizard that prepares the translation of a CAD model
// into an analysis mesh. It writes the input keyword file of the 3D mesher
// (".092") or of the translator (".081") and adds it to the project tree; the
// host runs the program.
#include <string>

#include "host/CadUnits.h"
#include "keyword/ChoiceField.h"
#include "platform/system/Result.h"
#include "translator/TranslatorIds.h"
#include "translator/TranslatorPages.h"
#include "wizard/Wizard.h"

class CTranslatorSheet : public CWizard {
public:
    // The host's answer to "which units and size has this CAD file?".
    using GetCADUnitsFunc = MUnitLengthType (*)(const char* path, int cadType, float extents[3]);

    // `startNode`: a CAD model node, or a mesh node made from one.
    explicit CTranslatorSheet(ZQ_PM_Node* startNode, CWnd* parent = nullptr);
    ~CTranslatorSheet() override;

    // Whether the wizard starts from `node`: a CAD model, or a mesh (or a
    // translation input still waiting for its mesh) made from one.
    static bool CanStartFrom(const ZQ_PM_Node* node);

    // Builds the working file from the programs' defaults and any earlier
    // translation of the mesh, registers the bindings and reads the ranges.
    CResult Prepare() override;

    // The CAD model node (the start node or its parent), its sub-type and file.
    ZQ_PM_Node* GetCADNode() const;
    int GetCADModelType() const;
    std::string GetCADFilePath() const;
    bool CanDoTetMesh() const;
    bool UseZQMESH3D() const;

    void OnWizardFinish() override;

    static void SetGetCADUnitsFunc(GetCADUnitsFunc function);
    // The host callback's answer; kUnitLengthUnknown (6) without a callback.
    static int GetCADUnits(const char* path, int cadType, float extents[3]);

    // The path Finish wrote to ("" before Finish). Finish is whole or
    // nothing: on failure (GetFinishResult) the output file, the counter of
    // numbered names, the labels and the nodes are as they were. Failing to
    // remember the translator choice in the settings, the last step, does
    // not undo the translation: it is a warning (GetFinishWarnings).
    std::string GetOutputFile() const override { return m_strOutputFile; }

    // Settings the pages show; values in SI. The initial values are the
    // pages' defaults, shown when no defaults file gives a value.
    CChoiceField m_outputType{{"TESSARIN_ZQL", "TESSARIN_FLOW3D_INPUT"}, 0};
    CChoiceField m_units{{"MILLIMETERS", "CENTIMETERS", "METERS", "INCHES"}, -1};
    CChoiceField m_fileUnits{{"MODEL_UNITS_MM", "MODEL_UNITS_CM", "MODEL_UNITS_M", "MODEL_UNITS_IN"}, -1};
    int m_nSurfaceElementAim = 5000;
    double m_dSurfaceEdgeLength = 0.001; // 1 mm
    int m_nLayersThroughThickness = 6;
    double m_dMaximumAspectRatio = 15;
    int m_nRemeshMinDivision = 25;
    int m_nRemeshMinElements = 5000;
    int m_nRemeshMaxElements = 15000;
    int m_nMeshDivisions = 15;
    double m_dModelLength = 0;
    double m_dNodalTolerance = 0;
    double m_dCurvatureAngle = 0.349066; // 20 degrees
    bool m_bUseConnectivity = false;
    bool m_bUseRibs = false;
    bool m_bUseFilter = false;
    std::string m_strFilterLayers;
    bool m_bUseAttributes = true;
    bool m_bReadLines = true;

    int m_nTranslator = 0; // 0 built-in IGES, 1 MDL, -1 none
    int m_nRemeshMode = 0; // 0 number of elements, 1 edge length
    std::string m_strDescription;

private:
    // Finish after the bound values are saved: the input file and its node.
    CResult MakeTranslatorInput();

    CTranslatorPage1 m_page1;
    CTranslatorPage2 m_page2;
    CTranslatorPage2_PS m_page2PS;
    CTranslatorPage3 m_page3;
    CTranslatorPage4 m_page4;
    std::string m_strOutputFile;
};
