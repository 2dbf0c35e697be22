// The templates of the curing, valve-gate and description pages and of the
// transfer pot dialog: the kinds and texts the pages' code and the bindings
// rely on (a check box before an edit switches it), the tab order, and the
// strings of the timing grid.
#include "flow/FlowIds.h"
#include "platform/resources/Resources.h"
#include "platform/window/WinDef.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr auto kButton = DlgItemClass::kButton;
constexpr auto kStatic = DlgItemClass::kStatic;
constexpr auto kEdit = DlgItemClass::kEdit;

bool IsCheckBox(const CDlgItemTemplate& item)
{
    return item.itemClass == kButton && (item.style & 0xF) == BS_AUTOCHECKBOX;
}

// The ids of `dialogId`'s controls in tab order, those without an id left out.
std::vector<int> TabOrder(int dialogId)
{
    std::vector<int> ids;
    for (const auto& item : FindDialogTemplate(dialogId)->items)
        if (item.id != -1)
            ids.push_back(item.id);
    return ids;
}

} // namespace

TEST(FlowLastTemplates, CuringPageAndItsMaterialDialog)
{
    const CDialogTemplate* page = FindDialogTemplate(IDD_FLOW_PAGE_TSET);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(TabOrder(IDD_FLOW_PAGE_TSET),
              (std::vector<int>{13013, 13014, 13015, 13016, 13017, 13019, 13018, 13020, 13021, 13022, 13023, 13024,
                                13025, 13026}));
    // Check boxes govern the optional edits; captions name the others.
    for (int id : {13015, 13019, 13020, 13024})
        EXPECT_TRUE(IsCheckBox(*page->FindItem(id))) << id;
    for (int id : {13013, 13016, 13022})
        EXPECT_EQ(page->FindItem(id)->itemClass, kStatic) << id;
    EXPECT_EQ(page->FindItem(13013)->text, "&Curing time:");
    EXPECT_EQ(page->FindItem(13019)->text, "&Distance from pot edge to heating line:");
    EXPECT_EQ(page->FindItem(13026)->text, "&Material properties...");

    const CDialogTemplate* dialog = FindDialogTemplate(IDD_FLOW_TRANSFER_POT);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->caption, "Transfer pot material properties");
    EXPECT_EQ(TabOrder(IDD_FLOW_TRANSFER_POT),
              (std::vector<int>{13027, 13028, 13029, 13030, 13031, 2000, 13032, 2303, 13033, 2305, 13034, 2309, IDOK,
                                IDCANCEL, IDHELP}));
    for (int id : {13027, 13029, 13031})
        EXPECT_EQ(dialog->FindItem(id)->itemClass, kStatic) << id;
    for (int id : {13032, 13033, 13034})
        EXPECT_TRUE(IsCheckBox(*dialog->FindItem(id))) << id;
    for (int id : {13028, 13030, 2000, 2303, 2305, 2309})
        EXPECT_EQ(dialog->FindItem(id)->itemClass, kEdit) << id;
    EXPECT_EQ(dialog->FindItem(13032)->text, "C&onductivity:");
}

TEST(FlowLastTemplates, ValveGateAndDescriptionPages)
{
    const CDialogTemplate* valves = FindDialogTemplate(IDD_FLOW_PAGE4);
    ASSERT_NE(valves, nullptr);
    // One text or the other shows; the frame only marks where the grid goes.
    EXPECT_NE(valves->FindItem(13009)->style & WS_VISIBLE, 0u);
    EXPECT_EQ(valves->FindItem(13008)->style & WS_VISIBLE, 0u);
    EXPECT_EQ(valves->FindItem(2209)->style & WS_VISIBLE, 0u);

    const CDialogTemplate* last = FindDialogTemplate(IDD_FLOW_PAGE5);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->FindItem(2000)->text, "&Advanced...");
    const int radios[] = {1301, 1302, 1303, 1304};
    for (int id : radios) {
        const CDlgItemTemplate* radio = last->FindItem(id);
        EXPECT_EQ(radio->style & 0xF, BS_AUTORADIOBUTTON) << id;
        EXPECT_EQ((radio->style & WS_GROUP) != 0, id == 1301) << id;
    }
    EXPECT_EQ(last->FindItem(1304)->text, "&Prepare a subsequent analysis");

    EXPECT_EQ(LoadString(IDS_FLOW_VG_GROUP), "Group");
    EXPECT_EQ(LoadString(IDS_FLOW_VG_INITIAL_STATE), "Initial State");
    EXPECT_EQ(LoadString(IDS_FLOW_VG_STATES), "Open\nClosed\nFlow front");
}
