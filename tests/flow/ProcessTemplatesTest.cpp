// The templates of the process settings page and its dialogs: every control
// the code shows, hides, enables or reads is there with its kind and text,
// the frames the grids are made over exist, and the strings are in place.
#include "flow/FlowIds.h"
#include "platform/resources/Resources.h"
#include "platform/window/WinDef.h"

#include <gtest/gtest.h>

namespace {

struct SItem {
    int id;
    DlgItemClass kind;
    const char* text; // null: not checked
};

void ExpectItems(int dialogId, std::initializer_list<SItem> expected)
{
    const CDialogTemplate* dialog = FindDialogTemplate(dialogId);
    ASSERT_NE(dialog, nullptr) << dialogId;
    for (const SItem& want : expected) {
        const CDlgItemTemplate* item = dialog->FindItem(want.id);
        ASSERT_NE(item, nullptr) << dialogId << ": " << want.id;
        EXPECT_EQ(item->itemClass, want.kind) << dialogId << ": " << want.id;
        if (want.text)
            EXPECT_EQ(item->text, want.text) << dialogId << ": " << want.id;
    }
}

constexpr auto kButton = DlgItemClass::kButton;
constexpr auto kStatic = DlgItemClass::kStatic;
constexpr auto kCombo = DlgItemClass::kComboBox;
constexpr auto kEdit = DlgItemClass::kEdit;

} // namespace

TEST(ProcessTemplates, PageAndDialogControls)
{
    ExpectItems(IDD_FLOW_PAGE3, {{2221, kCombo, nullptr}, {2231, kStatic, ""}, {2224, kEdit, nullptr},
                                 {2223, kStatic, ""}, {2222, kEdit, nullptr}, {2626, kButton, "&Setup profile..."},
                                 {2143, kCombo, nullptr}, {2423, kStatic, ""}, {2422, kEdit, nullptr},
                                 {2427, kStatic, ""}, {2426, kEdit, nullptr}, {2425, kStatic, "&Pressure:"},
                                 {2424, kEdit, nullptr}, {2144, kCombo, nullptr}, {2030, kStatic, ""},
                                 {2029, kEdit, nullptr}, {2032, kStatic, ""}, {2031, kEdit, nullptr},
                                 {2436, kButton, "S&etup profile..."}, {13008, kButton, "&Gas Settings..."},
                                 {13009, kButton, "&Quality criteria..."}});
    ExpectItems(IDD_FLOW_PRESSURE_PROFILE,
                {{2396, kButton, "&Profile by"}, {2391, kButton, "&Specified pressure values"},
                 {2392, kButton, "&Factors of transition pressure"}, {2209, kStatic, nullptr},
                 {IDOK, kButton, "OK"}, {IDCANCEL, kButton, "Cancel"}, {IDHELP, kButton, "&Help"}});
    ExpectItems(IDD_FLOW_VELOCITY_PROFILE,
                {{2119, kCombo, nullptr}, {2124, kButton, "&Reference"}, {2120, kButton, "&Nominal flow rate:"},
                 {2123, kEdit, nullptr}, {2121, kButton, "Nominal &injection time:"}, {2126, kEdit, nullptr},
                 {2122, kButton, "R&escale to time:"}, {2125, kEdit, nullptr}, {2458, kButton, "Stroke &volume"},
                 {2456, kButton, "&Automatic"}, {2457, kButton, "&Specified"}, {2460, kStatic, "Ram &diameter:"},
                 {2459, kEdit, nullptr}, {2462, kStatic, "Stroke &length:"}, {2461, kEdit, nullptr},
                 {2209, kStatic, nullptr}, {IDHELP, kButton, "&Help"}});
    ExpectItems(IDD_FLOW_GAS_SETTINGS,
                {{13003, kButton, "Constant &Volume"}, {13004, kButton, "Constant &Pressure"}, {2225, kCombo, nullptr},
                 {2227, kStatic, nullptr}, {2228, kEdit, nullptr}, {2232, kStatic, nullptr}, {2226, kEdit, nullptr},
                 {1042, kStatic, "Gas cooling &time:"}, {1043, kEdit, nullptr}, {2209, kStatic, nullptr},
                 {IDHELP, kButton, "&Help"}});
    ExpectItems(IDD_FLOW_QUALITY_CRITERIA,
                {{13047, kStatic, "&Warpage:"}, {13048, kEdit, nullptr}, {13049, kStatic, "&Dimensional tolerance:"},
                 {13050, kEdit, nullptr}, {13051, kStatic, "&Sink marks:"}, {13052, kEdit, nullptr},
                 {IDHELP, kButton, "&Help"}});

    // The value fields a choice shows start hidden; the page shows them.
    const CDialogTemplate* page = FindDialogTemplate(IDD_FLOW_PAGE3);
    ASSERT_NE(page, nullptr);
    for (int id : {2224, 2222, 2626, 2422, 2426, 2424, 2029, 2031, 2436, 13008, 13009})
        EXPECT_FALSE(page->FindItem(id)->style & WS_VISIBLE) << id;
}

TEST(ProcessTemplates, Strings)
{
    const std::pair<int, const char*> strings[] = {
        {13033, "Please setup the velocity profile before continuing!"},
        {13032, "Please setup the pressure profile before continuing!"},
        {13041, "Please setup gas options before continuing!"},
        {13125, "Pressure"}, {13126, "Pressure factor"}, {13016, "Duration"},
        {13308, "Delay time"}, {13309, "Cylinder volume"}, {13310, "Compression ratio"},
        {13311, "Gas pipe volume"}, {13312, "Initial gas pressure"}, {13313, "Piston forward time"},
        {13314, "Gas release time"}, {13315, "Pressure profile"}, {13316, "Cylinder"}};
    for (const auto& [id, text] : strings)
        EXPECT_EQ(LoadString(id), text) << id;
}
