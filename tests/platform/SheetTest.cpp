// Property sheets as the wizards use them: lazy pages, posted button states,
// modal dialogs and message boxes opened from a page, tabbed sheets.
#include "platform/window/CommonDialogs.h"
#include "platform/window/Controls.h"
#include "platform/window/DataExchange.h"
#include "platform/window/PropertySheet.h"
#include "StepAgent.h"
#include "TestSheet.h"

#include <gtest/gtest.h>

namespace {

// Counts what the sheet did to it, and posts the button states a wizard page sets.
class CountingPage : public CPropertyPage {
public:
    CountingPage(UINT id, DWORD buttons) : CPropertyPage(id), m_buttons(buttons) {}
    int inits = 0, arrivals = 0, departures = 0;
    std::string text = "part";
    std::vector<std::string> events;
    OptionsDialog options;
    intptr_t optionsResult = 0;
    DWORD backStateDuringArrival = 0;

    BOOL OnSetActive() override
    {
        ++arrivals;
        auto* sheet = GetSheet();
        sheet->SetWizardButtons(m_buttons);
        CWnd* back = sheet->GetDlgItem(ID_WIZBACK);
        backStateDuringArrival = back && back->IsWindowEnabled() ? 1 : 0;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        ++departures;
        return CPropertyPage::OnKillActive();
    }
    intptr_t OnWizardNext() override
    {
        events.push_back("next");
        return 0;
    }

protected:
    BOOL OnInitDialog() override
    {
        ++inits;
        return CPropertyPage::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (GetDlgItem(kName))
            DDX_Text(pDX, kName, text);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kName && HIWORD(wParam) == EN_KILLFOCUS)
            events.push_back("killfocus");
        if (LOWORD(wParam) == kOptions && HIWORD(wParam) == BN_CLICKED) {
            optionsResult = options.DoModal();
            return TRUE;
        }
        return CPropertyPage::OnCommand(wParam, lParam);
    }

private:
    DWORD m_buttons;
};

struct Buttons {
    bool backEnabled, nextShown, nextEnabled, finishShown;
};

Buttons Read(CPropertySheet& sheet)
{
    CWnd* back = sheet.GetDlgItem(ID_WIZBACK);
    CWnd* next = sheet.GetDlgItem(ID_WIZNEXT);
    CWnd* finish = sheet.GetDlgItem(ID_WIZFINISH);
    return {back->IsWindowEnabled(), next->IsWindowVisible(), next->IsWindowEnabled(), finish->IsWindowVisible()};
}

} // namespace

TEST(PropertySheet, WizardCreatesPagesOnceAndPostsButtonStates)
{
    StepAgent agent;
    CountingPage first(kPartPage, PSWIZB_NEXT), second(kResultsPage, PSWIZB_BACK | PSWIZB_FINISH);
    second.m_psp.dwFlags |= PSP_USETITLE;
    second.m_psp.pszTitle = "Step two";
    CPropertySheet sheet(30001u);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.SetWizardMode();

    agent.Then([&](CWnd* modal) {
        EXPECT_EQ(modal, &sheet);
        EXPECT_EQ(UserInput::ActiveTemplateId(modal), kPartPage);
        EXPECT_EQ(UserInput::Title(modal), "Test Sheet");
        // The page asked for Next alone while the sheet was still setting
        // up; the request was posted, so it won over the sheet's start state.
        EXPECT_EQ(first.backStateDuringArrival, 1u); // not yet applied while arriving
        Buttons b = Read(sheet);
        EXPECT_FALSE(b.backEnabled);
        EXPECT_TRUE(b.nextShown && b.nextEnabled);
        EXPECT_FALSE(b.finishShown);
        EXPECT_FALSE(second.IsWindow()); // not created before it is shown
        EXPECT_INPUT(UserInput::Type(UserInput::FindControl(modal, "30101"), "lid"));
        EXPECT_INPUT(UserInput::Next(modal));
        // The edit lost the focus before the page heard of Next.
        EXPECT_EQ(first.events, (std::vector<std::string>{"killfocus", "next"}));
        EXPECT_EQ(first.text, "lid");
    });
    agent.Then([&](CWnd* modal) {
        EXPECT_EQ(UserInput::ActiveTemplateId(modal), kResultsPage);
        EXPECT_EQ(UserInput::Title(modal), "Step two");
        Buttons b = Read(sheet);
        EXPECT_TRUE(b.backEnabled);
        EXPECT_FALSE(b.nextShown);
        EXPECT_TRUE(b.finishShown);
        EXPECT_FALSE(first.IsWindowVisible());
        EXPECT_INPUT(UserInput::Back(modal));
    });
    agent.Then([&](CWnd* modal) { EXPECT_INPUT(UserInput::Next(modal)); });
    agent.Then([&](CWnd* modal) {
        EXPECT_INPUT(UserInput::Type(UserInput::FindControl(modal, "30161"), "12"));
        EXPECT_FALSE(UserInput::Type(UserInput::FindControl(modal, "30181"), "x").ok); // hidden
        EXPECT_INPUT(UserInput::Finish(modal));
    });

    EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(first.inits, 1);
    EXPECT_EQ(second.inits, 1);
    EXPECT_EQ(first.arrivals, 2);
    EXPECT_EQ(second.arrivals, 2);
    EXPECT_EQ(first.departures, 2);
    EXPECT_EQ(second.departures, 1); // Finish does not leave the page
    EXPECT_FALSE(sheet.IsWindow());
    EXPECT_FALSE(first.IsWindow());
    EXPECT_EQ(agent.StepsLeft(), 0u);

    // Run again: pages are made afresh, once each.
    agent.Then([&](CWnd* modal) { EXPECT_INPUT(UserInput::Cancel(modal)); });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(first.inits, 2);
    EXPECT_EQ(second.inits, 1);
    EXPECT_EQ(first.text, "lid");
}

TEST(PropertySheet, PageOpensDialogThatAsksTheUser)
{
    StepAgent agent;
    CountingPage page(kPartPage, PSWIZB_FINISH);
    CPropertySheet sheet(std::string("Nested"));
    sheet.AddPage(&page);
    sheet.SetWizardMode();
    std::vector<CWnd*> tops;
    agent.Then([&](CWnd* modal) {
        tops.push_back(modal);
        EXPECT_INPUT(UserInput::Click(UserInput::FindControl(modal, "Options...")));
        // Back from the nested dialog, which the steps below ran.
        EXPECT_EQ(page.optionsResult, IDOK);
        EXPECT_EQ(page.options.answer, IDYES);
        EXPECT_EQ(page.options.limit, 9);
    });
    agent.Then([&](CWnd* modal) {
        tops.push_back(modal);
        EXPECT_EQ(UserInput::ActiveTemplateId(modal), kOptionsDialog);
        EXPECT_EQ(WndMessages::ModalStack().size(), 2u);
        EXPECT_EQ(modal->GetDlgItemText(kLimit), "5");
        EXPECT_INPUT(UserInput::Type(UserInput::FindControl(modal, "30201"), "9"));
        EXPECT_INPUT(UserInput::Click(UserInput::FindControl(modal, "Ask")));
    });
    agent.Then([&](CWnd* modal) { EXPECT_INPUT(UserInput::Ok(modal)); });
    agent.Then([&](CWnd* modal) {
        tops.push_back(modal);
        EXPECT_INPUT(UserInput::Finish(modal));
    });
    agent.Answer(IDYES);

    EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_EQ(tops[0], &sheet);
    EXPECT_EQ(tops[1], &page.options);
    EXPECT_EQ(tops[2], &sheet);
    ASSERT_EQ(GetUiLog().size(), 1u);
    const CUiLogRecord& box = GetUiLog()[0];
    EXPECT_EQ(box.text, "Keep the limit?");
    EXPECT_EQ(box.result, IDYES);
    EXPECT_EQ(box.helpId, static_cast<unsigned>(kAskString));
    EXPECT_EQ(box.type, MB_YESNO | MB_ICONQUESTION);
}

TEST(PropertySheet, AbortAndAbsentAgentCancelEverything)
{
    // An agent that gives up inside a nested dialog cancels every window;
    // a message box asked meanwhile gets its default button.
    StepAgent agent;
    CountingPage page(kPartPage, PSWIZB_FINISH);
    CPropertySheet sheet(std::string("Nested"));
    sheet.AddPage(&page);
    sheet.SetWizardMode();
    agent.Then([&](CWnd* modal) { UserInput::Click(UserInput::FindControl(modal, "Options...")); });
    agent.Then([&](CWnd*) {
        UserInput::AbortModals();
        EXPECT_EQ(AfxMessageBox("Sure?", MB_YESNO | MB_DEFBUTTON2), IDNO);
    });
    agent.Then([&](CWnd*) { ADD_FAILURE() << "no step runs after an abort"; });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(page.optionsResult, IDCANCEL);
    EXPECT_FALSE(UserInput::IsAborting());

    // Nobody at all: the sheet cancels itself, and a box answers by default.
    SetUserAgent(nullptr);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("Go on?", MB_OKCANCEL), IDOK);
}

TEST(PropertySheet, TabbedSheetAppliesCreatedPagesOnOk)
{
    StepAgent agent;
    struct ApplyPage : CountingPage {
        using CountingPage::CountingPage;
        int applied = 0;
        BOOL OnApply() override
        {
            ++applied;
            return TRUE;
        }
    } first(kPartPage, 0), second(kResultsPage, 0);
    CPropertySheet sheet(std::string("Options"));
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    agent.Then([&](CWnd* modal) {
        EXPECT_EQ(modal->GetDlgItem(ID_WIZNEXT), nullptr);
        EXPECT_FALSE(modal->GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
        first.SetModified();
        EXPECT_TRUE(modal->GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
        EXPECT_INPUT(UserInput::Ok(modal));
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.applied, 1);
    EXPECT_EQ(second.applied, 0); // never shown, never created
    EXPECT_EQ(first.departures, 1);
}

TEST(PropertySheet, PressedButtonsAndRemovedPagesActLater)
{
    StepAgent agent;
    CountingPage first(kPartPage, PSWIZB_NEXT), second(kResultsPage, PSWIZB_BACK | PSWIZB_NEXT),
        third(kOptionsDialog, PSWIZB_BACK | PSWIZB_FINISH);
    CPropertySheet sheet(std::string("Three"));
    for (CPropertyPage* p : {&first, &second, &third})
        sheet.AddPage(p);
    sheet.SetWizardMode();
    sheet.SetActivePage(1); // before the sheet exists: where it starts
    agent.Then([&](CWnd*) {
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_EQ(first.inits, 0);
        sheet.PressButton(PSBTN_NEXT);
        EXPECT_EQ(sheet.GetActiveIndex(), 1); // posted: nothing yet
    });
    agent.Then([&](CWnd*) {
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        // Removing the active page shows the nearest one that remains.
        sheet.RemovePage(&third);
        EXPECT_EQ(sheet.GetPageCount(), 2);
        EXPECT_EQ(sheet.GetActivePage(), &second);
        EXPECT_FALSE(third.IsWindow());
        sheet.SetFinishText("Close");
        EXPECT_TRUE(sheet.GetDlgItem(ID_WIZFINISH)->IsWindowVisible());
        EXPECT_FALSE(sheet.GetDlgItem(ID_WIZBACK)->IsWindowVisible());
        EXPECT_EQ(sheet.GetDlgItem(ID_WIZFINISH)->GetWindowText(), "Close");
        sheet.PressButton(PSBTN_FINISH);
    });
    EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(first.inits, 0); // never shown
}

// The tab row follows the pages while the sheet is open; a click on a tab
// asks the owner before and tells it after, and a page that refuses to come
// to front leaves the old one in front of its own tab.
TEST(PropertySheet, TabRowFollowsThePagesAndTheirConsent)
{
    StepAgent agent;
    struct ShyPage : CountingPage {
        using CountingPage::CountingPage;
        bool shy = true;
        BOOL OnSetActive() override
        {
            ++arrivals;
            return shy ? FALSE : CPropertyPage::OnSetActive();
        }
    } first(kPartPage, 0), second(kResultsPage, 0), third(kOptionsDialog, 0);
    first.shy = third.shy = false;
    first.m_psp.dwFlags |= PSP_USETITLE;
    first.m_psp.pszTitle = "&Part";
    CPropertySheet sheet(std::string("Options"));
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    auto tabTexts = [&] {
        std::vector<std::string> out;
        for (int i = 0; i < sheet.GetTabControl()->GetItemCount(); ++i)
            out.push_back(sheet.GetTabControl()->GetItemText(i));
        return out;
    };
    agent.Then([&](CWnd* modal) {
        CTabCtrl* tabs = sheet.GetTabControl();
        ASSERT_NE(tabs, nullptr);
        EXPECT_EQ(tabs->GetDlgCtrlID(), AFX_IDC_TAB_CONTROL);
        EXPECT_EQ(tabTexts(), (std::vector<std::string>{"&Part", "Results"}));
        EXPECT_EQ(tabs->GetCurSel(), 0);
        // The second page refuses to come to front: the first stays, and so does its tab.
        EXPECT_INPUT(UserInput::SelectPage(modal, 1));
        EXPECT_EQ(second.arrivals, 1);
        EXPECT_EQ(first.departures, 1);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(tabs->GetCurSel(), 0);
        EXPECT_EQ(CWnd::GetFocus(), tabs); // the click left the focus on the tab
        second.shy = false;
        EXPECT_INPUT(UserInput::SelectPage(modal, "Results"));
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        // Pages added and removed while it shows have their tabs added and removed.
        sheet.AddPage(&third);
        EXPECT_EQ(tabTexts(), (std::vector<std::string>{"&Part", "Results", "Options"}));
        sheet.RemovePage(&first);
        EXPECT_EQ(tabTexts(), (std::vector<std::string>{"Results", "Options"}));
        EXPECT_EQ(tabs->GetCurSel(), 0);
        sheet.SetActivePage(&third);
        EXPECT_EQ(tabs->GetCurSel(), 1);
        EXPECT_EQ(UserInput::SelectPage(modal, 2).reason, "there is no tab #2 (there are 2)");
        EXPECT_INPUT(UserInput::Cancel(modal));
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);

    // A wizard has no tabs.
    CountingPage only(kPartPage, PSWIZB_NEXT);
    CPropertySheet wizard(std::string("Wizard"));
    wizard.AddPage(&only);
    wizard.SetWizardMode();
    agent.Then([&](CWnd* modal) {
        EXPECT_EQ(wizard.GetTabControl(), nullptr);
        EXPECT_EQ(UserInput::SelectPage(modal, 0).reason, "the window has no tabs");
    });
    EXPECT_EQ(wizard.DoModal(), IDCANCEL);
}
