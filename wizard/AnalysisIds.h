// Ids of the analysis preparation wizard: resources/prepare.rc includes this
// header, and so does the C++ that uses them.

// The two pages: the material, then the analysis.
#define IDD_ANALYSIS_PAGE1              13002
#define IDD_ANALYSIS_PAGE2              13003

// Page 1: the chosen material and the button that opens the selector (its
// picture is the material icon, IDI_ANALYSIS_MATERIAL).
#define IDC_ANALYSIS_MATERIAL_TEXT      2260
#define IDC_ANALYSIS_MATERIAL_NAME      2261
#define IDC_ANALYSIS_MATERIAL_BUTTON    2264
#define IDI_ANALYSIS_MATERIAL           13000

// Page 2: the analysis, then the options of a flow analysis.
#define IDC_ANALYSIS_FLOW               2171
#define IDC_ANALYSIS_COOL               2053
#define IDC_ANALYSIS_WARP               2636
#define IDC_ANALYSIS_STRESS             2582
#define IDC_ANALYSIS_FIBER              2110
#define IDC_ANALYSIS_GAS                2177
#define IDC_ANALYSIS_OPTIMUM            2038

#define IDS_ANALYSIS_MATERIAL_SELECTOR  13000
#define IDS_ANALYSIS_CAPTION            13001
#define IDS_ANALYSIS_NO_FURTHER         13002
#define IDS_ANALYSIS_THERMOSET_MESH     13307
// Followed by the project's own reason.
#define IDS_ANALYSIS_MATERIAL_FAILED    13330
