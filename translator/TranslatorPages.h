#pragma once
// The five pages of the translator wizard: mesh type, units and translator;
// the mesher's remesh aim and tetrahedral refinement; the MDL translator's
// remesh aim; the IGES options; description and job submission.
#include <initializer_list>

#include "wizard/PropertyPageExt.h"

class CTranslatorSheet;

// Control ids of the pages (resources/translator.rc).
namespace TranslatorIds {
constexpr int kSurfaceMesh = 2376, kTetMesh = 2377;
constexpr int kMillimetres = 2608, kCentimetres = 2609, kMetres = 2610, kInches = 2611, kUnitsGroup = 2613;
constexpr int kTranslatorGroup = 1035, kBuiltIn = 2378, kMDL = 2379, kPartDimensions = 13319;
constexpr int kRemeshGroup = 2471, kByElements = 2469, kByEdgeLength = 2470, kElementAim = 2098, kEdgeLength = 2083;
constexpr int kTetGroup = 2587, kLayers = 2248, kLayersCaption = 2249, kAspectRatio = 2267, kAspectRatioCaption = 2268;
constexpr int kMinDivision = 1038, kMinDivisionCaption = 1037, kMinElements = 1040, kMinElementsCaption = 1039;
constexpr int kMaxElements = 1042, kMaxElementsCaption = 1041;
constexpr int kMeshDivisions = 2286, kMeshDivisionsCaption = 2288, kModelLength = 2295, kModelLengthCheck = 2296;
constexpr int kNodalTolerance = 2353, kNodalToleranceCaption = 2356, kCurvatureAngle = 2068, kCurvatureAngleCaption = 2069;
constexpr int kUseConnectivity = 2616, kUseRibs = 2619, kUseFilter = 2617, kFilterLayers = 2166;
constexpr int kUseAttributes = 2615, kReadLines = 2618;
constexpr int kDescription = 2075, kTranslateNow = 2239, kBatchQueue = 2240, kSubmitLater = 2241;
} // namespace TranslatorIds

// The translator's pages all belong to a CTranslatorSheet.
class CTranslatorPage : public CPropertyPageExt {
public:
    using CPropertyPageExt::CPropertyPageExt;
    CTranslatorSheet* GetTranslatorSheet() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The page's own exchanges, between the base's and the bindings'.
    virtual void ExchangeOwnControls(CDataExchange* pDX) {}
    void EnableControls(std::initializer_list<int> ids, bool enable);
};

class CTranslatorPage1 : public CTranslatorPage {
public:
    CTranslatorPage1();

protected:
    BOOL OnInitDialog() override;
    void ExchangeOwnControls(CDataExchange* pDX) override;

private:
    void ShowPartDimensions();
};

class CTranslatorPage2 : public CTranslatorPage {
public:
    CTranslatorPage2();
    BOOL OnSetActive() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateControls();
    void FocusAimField();
};

class CTranslatorPage2_PS : public CTranslatorPage {
public:
    CTranslatorPage2_PS();
};

class CTranslatorPage3 : public CTranslatorPage {
public:
    CTranslatorPage3();
    BOOL OnSetActive() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateDependentControls();
    void SuggestNodalTolerance();
};

class CTranslatorPage4 : public CTranslatorPage {
public:
    CTranslatorPage4();

protected:
    void ExchangeOwnControls(CDataExchange* pDX) override;
};
