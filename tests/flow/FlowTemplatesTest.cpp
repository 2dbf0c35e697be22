// The dialog templates of the analysis type page, the boundary conditions
// page and the machine dialog, against the numbers, kinds, texts, groups and
// first visibility that the pages' code and the scripts rely on.
#include "platform/resources/Resources.h"
#include "platform/window/WinDef.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct SExpectedItem {
    int id;
    DlgItemClass kind;
    const char* text; // null: not checked
    bool visible;
};

void ExpectItems(int dialogId, std::initializer_list<SExpectedItem> expected)
{
    const CDialogTemplate* dialog = FindDialogTemplate(dialogId);
    ASSERT_NE(dialog, nullptr) << dialogId;
    for (const SExpectedItem& want : expected) {
        const CDlgItemTemplate* item = dialog->FindItem(want.id);
        ASSERT_NE(item, nullptr) << dialogId << ": " << want.id;
        EXPECT_EQ(item->itemClass, want.kind) << want.id;
        if (want.text)
            EXPECT_EQ(item->text, want.text) << want.id;
        EXPECT_EQ((item->style & WS_VISIBLE) != 0, want.visible) << want.id;
    }
}

// Where `id` comes in the template's tab order.
std::ptrdiff_t TabPosition(const CDialogTemplate& dialog, int id)
{
    const auto found =
        std::find_if(dialog.items.begin(), dialog.items.end(), [&](const auto& item) { return item.id == id; });
    return found - dialog.items.begin();
}

constexpr auto kButton = DlgItemClass::kButton;
constexpr auto kStatic = DlgItemClass::kStatic;
constexpr auto kCombo = DlgItemClass::kComboBox;
constexpr auto kEdit = DlgItemClass::kEdit;

} // namespace

TEST(FlowTemplates, AnalysisTypePage)
{
    const char* fullFlow = "&Full flow  -  simulate both the filling and packing stages";
    ExpectItems(13022, {{2513, kStatic, "&Restart from:", false},
                        {2512, kCombo, nullptr, false},
                        {2234, kStatic, "Select the type of flow analysis you wish to run:", true},
                        {2002, kButton, fullFlow, true},
                        {2003, kButton, fullFlow, false},
                        {2009, kButton, "&Curing - simulate both the filling and curing stages", false},
                        {2004, kButton, "Filling &only  -  simulate just the filling stage", true},
                        {2005, kButton,
                         "&Runner balance  -  determine the best dimensions\n                               for "
                         "your runner system",
                         true},
                        {2006, kButton, "&Standalone packing - simulate just the packing stage", false},
                        {2007, kButton, "&Molding window - determine optimum processing conditions", true},
                        {2008, kButton, "&Gate location - determine optimum injection location", true},
                        {2010, kButton, "&Optimum injection profile", false},
                        {2011, kButton, "&Optimum packing profile", false},
                        {2514, kStatic, "&Machine:", false},
                        {2515, kCombo, nullptr, false},
                        {13046, kButton, "...", false}});
    const CDialogTemplate& page = *FindDialogTemplate(13022);
    // The aim is the position in one radio group, in the keyword's token order.
    const int radios[] = {2002, 2003, 2009, 2004, 2005, 2006, 2007, 2008, 2010, 2011};
    for (std::size_t i = 0; i < std::size(radios); ++i) {
        const CDlgItemTemplate* radio = page.FindItem(radios[i]);
        EXPECT_EQ(radio->style & 0xF, BS_AUTORADIOBUTTON) << radios[i];
        EXPECT_EQ((radio->style & WS_GROUP) != 0, i == 0) << radios[i];
        if (i > 0)
            EXPECT_EQ(TabPosition(page, radios[i]), TabPosition(page, radios[i - 1]) + 1) << radios[i];
    }
    // The group ends before the machine controls; the machine list is sorted.
    EXPECT_NE(page.FindItem(2514)->style & WS_GROUP, 0u);
    EXPECT_NE(page.FindItem(2515)->style & CBS_SORT, 0u);
    EXPECT_EQ(page.FindItem(2512)->style & 0x3, CBS_DROPDOWNLIST);
}

TEST(FlowTemplates, BoundaryConditionsPage)
{
    ExpectItems(13023, {{2016, kStatic, "&Please select a &boundary conditions set:", true},
                        {2017, DlgItemClass::kListView, nullptr, true},
                        {2116, kStatic, "Filename:", false},
                        {2019, kStatic, nullptr, false},
                        {2314, kStatic, "Mold &temperature:", true},
                        {2313, kEdit, nullptr, true},
                        {2285, kStatic, "Me&lt temperature:", true},
                        {2283, kEdit, nullptr, true},
                        {2551, kStatic, "Runner balance &pressure:", true},
                        {2550, kEdit, nullptr, true},
                        {2315, kStatic, "&Mold temperature lower limit:", true},
                        {2316, kEdit, nullptr, true},
                        {2317, kStatic, "M&old temperature upper limit:", true},
                        {2318, kEdit, nullptr, true},
                        {2319, kStatic, "Me&lt temperature lower limit:", true},
                        {2320, kEdit, nullptr, true},
                        {2321, kStatic, "Mel&t temperature upper limit:", true},
                        {2322, kEdit, nullptr, true}});
    EXPECT_NE(FindDialogTemplate(13023)->FindItem(2017)->style & LVS_SINGLESEL, 0u);
}

TEST(FlowTemplates, MachineDialog)
{
    ExpectItems(13251, {{57671, kButton, "&Edit", true},
                        {1, kButton, "&Save", true},
                        {2, kButton, "Close", true},
                        {13040, kEdit, nullptr, true},
                        {13078, kButton, "Supports pressure vs &time profile", true},
                        {13075, kButton, "Supports &zone vs velocity profile", true}});
    const CDialogTemplate& dialog = *FindDialogTemplate(13251);
    EXPECT_EQ(dialog.caption, "Machine parameters");
    EXPECT_NE(dialog.FindItem(1)->style & WS_DISABLED, 0u);
    EXPECT_EQ(dialog.FindItem(57671)->style & WS_DISABLED, 0u);
    // The views change every field before "&Edit" in tab order, and only those.
    const std::ptrdiff_t edit = TabPosition(dialog, 57671);
    for (int field : {13040, 13041, 13065, 13067, 13071, 13069, 13078, 13076, 13077, 13074, 13079, 13045, 13073,
                      13075, 13043, 13057, 13050, 13061, 13047, 13063})
        EXPECT_LT(TabPosition(dialog, field), edit) << field;
    EXPECT_NE(dialog.FindItem(13078)->style & BS_AUTOCHECKBOX, 0u);
}
