#include "platform/resources/ResourceScript.h"
#include "platform/window/WinDef.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace {

std::vector<CResourceError> ParseErrors(const std::string& text, CResourceSet* out = nullptr)
{
    CResourceSet set;
    std::vector<CResourceError> errors;
    ParseResourceScript(text, "t.rc", set, errors);
    if (out)
        *out = set;
    return errors;
}

std::string Joined(const std::vector<CResourceError>& errors)
{
    std::string all;
    for (const CResourceError& e : errors)
        all += e.ToString() + "\n";
    return all;
}

} // namespace

TEST(ResourceScript, ReadsDialogsStylesAndStrings)
{
    const std::string script = R"(// header comment
#define IDD_ONE 0x64   /* 100 */
#define IDC_NAME (IDD_ONE + 1)
IDD_ONE DIALOGEX 10, 20, 200, 0x50, 77
STYLE DS_MODALFRAME | WS_POPUP
EXSTYLE WS_EX_CONTEXTHELP
CAPTION "Say ""hi""\tnow"
FONT 8, "Sans", 700, 1, 0x1
{
    LTEXT "&Name:", IDC_STATIC, 1, 2, 3, 4
    EDITTEXT IDC_NAME, 5, 6, 7, 8, ES_READONLY | NOT WS_TABSTOP
    CONTROL "R", 102, "button", BS_AUTORADIOBUTTON | NOT WS_VISIBLE | WS_GROUP, 1, 1, 1, 1, WS_EX_RIGHT, 55
    CONTROL "", 103, "GXWND", WS_TABSTOP, -5, 0, 9, 9
    CONTROL "", 104, SysListView32, LVS_REPORT, 0, 0, 9, 9
    COMBOBOX 105, 0, 0, 9, 9, CBS_DROPDOWNLIST | CBS_SORT
}
200 DIALOG 0, 0, 10, 10
BEGIN
END
STRINGTABLE
BEGIN
    1, "one"
    2  "two \\ "
       "and more\n"
END
)";
    CResourceSet set;
    std::vector<CResourceError> errors;
    ASSERT_TRUE(ParseResourceScript(script, "t.rc", set, errors)) << Joined(errors);

    const CDialogTemplate* d = set.FindDialog(100);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->symbol, "IDD_ONE");
    EXPECT_TRUE(d->extended);
    EXPECT_EQ(d->line, 4);
    EXPECT_EQ(d->helpId, 77u);
    EXPECT_EQ(d->caption, "Say \"hi\"\tnow");
    // STYLE replaces the default; a caption and a font add their own bits.
    EXPECT_EQ(d->style, DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_SETFONT);
    EXPECT_EQ(d->exStyle, WS_EX_CONTEXTHELP);
    EXPECT_EQ(d->font.face, "Sans");
    EXPECT_EQ(d->font.weight, 700);
    EXPECT_TRUE(d->font.italic);
    EXPECT_EQ(d->font.charset, 1);
    EXPECT_EQ(d->rect.cy, 0x50);

    ASSERT_EQ(d->items.size(), 6u);
    const CDlgItemTemplate& label = d->items[0];
    EXPECT_EQ(label.id, -1);
    EXPECT_EQ(label.itemClass, DlgItemClass::kStatic);
    EXPECT_EQ(label.text, "&Name:");
    EXPECT_EQ(label.style, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT);
    EXPECT_EQ(label.line, 10);

    const CDlgItemTemplate& edit = d->items[1];
    EXPECT_EQ(edit.id, 101);
    EXPECT_EQ(edit.style, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY);

    const CDlgItemTemplate& radio = d->items[2];
    EXPECT_EQ(radio.className, "Button");
    EXPECT_EQ(radio.style, WS_CHILD | WS_GROUP | BS_AUTORADIOBUTTON);
    EXPECT_EQ(radio.exStyle, WS_EX_RIGHT);
    EXPECT_EQ(radio.helpId, 55u);

    EXPECT_EQ(d->items[3].itemClass, DlgItemClass::kCustom);
    EXPECT_EQ(d->items[3].className, "GXWND");
    EXPECT_EQ(d->items[3].rect.x, -5);
    EXPECT_EQ(d->items[4].itemClass, DlgItemClass::kListView);
    EXPECT_EQ(d->items[5].style, WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_SORT);
    EXPECT_EQ(d->FindItem(105), &d->items[5]);
    EXPECT_EQ(d->FindItem(999), nullptr);

    const CDialogTemplate* plain = set.FindDialog(200);
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(plain->extended);
    EXPECT_EQ(plain->style, WS_POPUP | WS_BORDER | WS_SYSMENU);
    EXPECT_TRUE(plain->items.empty());

    ASSERT_NE(set.FindString(2), nullptr);
    EXPECT_EQ(*set.FindString(1), "one");
    EXPECT_EQ(*set.FindString(2), "two \\ and more\n");
    ASSERT_NE(set.FindSymbol("IDC_NAME"), nullptr);
    EXPECT_EQ(*set.FindSymbol("IDC_NAME"), 101);
}

TEST(ResourceScript, ErrorsCarryTheirLinesAndParsingGoesOn)
{
    CResourceSet set;
    const auto errors = ParseErrors(R"(1 DIALOGEX 0, 0, 10, 10
BEGIN
    LTEXT "ok", 1, 0, 0, 5, 5
    LTEXT "missing", 2, 0, 0, 5
    EDITTEXT IDC_NOPE, 0, 0, 5, 5
    SCROLLBAR 3, 0, 0, 5, 5
    CONTROL "x", 4, Widget, 0, 0, 0, 5, 5
    LTEXT "bad \q escape", 5, 0, 0, 5, 5
    PUSHBUTTON "open
END
2 DIALOGEX 0, 0, 10, 10
STYLE WS_CHILD | BOGUS
BEGIN
END
3 DIALOGEX 0, 0, 10, 10
BEGIN
    LTEXT "fine", 7, 0, 0, 5, 5
END
#if 0
3 DIALOG 0, 0, 1, 1 BEGIN END
STRINGTABLE BEGIN 70000 "big" END
4 BITMAP "x.bmp"
/* never closed
)",
                                  &set);
    const std::string expected = "t.rc:4: expected ',' before the height, found the end of the line\n"
                                 "t.rc:5: undefined symbol 'IDC_NOPE'\n"
                                 "t.rc:6: unsupported control statement 'SCROLLBAR'\n"
                                 "t.rc:7: unknown window class 'Widget' (custom classes are quoted)\n"
                                 "t.rc:8: unknown escape '\\q' in string\n"
                                 "t.rc:9: unterminated string\n"
                                 "t.rc:12: undefined symbol 'BOGUS'\n"
                                 "t.rc:19: unsupported directive '#if'\n"
                                 "t.rc:20: dialog 3 is already defined at t.rc:15\n"
                                 "t.rc:21: a string id 70000 is out of range 0..65535\n"
                                 "t.rc:22: unsupported resource type 'BITMAP'\n"
                                 "t.rc:23: unterminated comment\n";
    EXPECT_EQ(Joined(errors), expected);
    // A dialog with an error is left out; the good one after it is kept.
    EXPECT_EQ(set.FindDialog(1), nullptr);
    ASSERT_NE(set.FindDialog(3), nullptr);
    EXPECT_EQ(set.FindDialog(3)->items.size(), 1u);

    EXPECT_EQ(Joined(ParseErrors("#include \"ids.h\"\n")), "t.rc:1: cannot include 'ids.h' here\n");
    EXPECT_EQ(Joined(ParseErrors("\n\n1 DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1\n")),
              "t.rc:3: dialog 1 is not closed by END\n");
    EXPECT_EQ(Joined(ParseErrors("STRINGTABLE\nBEGIN\n 5 \"a\"\n 5 \"b\"\n 0x12G \"c\"\nEND\n")),
              "t.rc:4: string 5 is already defined\nt.rc:5: malformed number '0x12G'\n");
    EXPECT_EQ(Joined(ParseErrors("1 DIALOG 0, 0, 99999, 1\nBEGIN\nEND\n")),
              "t.rc:1: the dialog's width 99999 is out of range -32768..32767\n");
}

TEST(ResourceScript, IncludesResolveAgainstTheIncludingFile)
{
    wiztest::ScratchDir dir;
    std::filesystem::create_directories(dir.Path() / "sub");
    wiztest::WriteBytes(dir / "sub/ids.h", "#define IDD_X 42\r\n#define IDS_X 43 // note\r\n");
    wiztest::WriteBytes(dir / "main.rc", "#include \"sub\\ids.h\"\r\nIDD_X DIALOG 0,0,1,1\r\nBEGIN\r\nEND\r\n"
                                         "STRINGTABLE { IDS_X \"x\" }\r\n#include \"missing.h\"\r\n");
    CResourceSet set;
    std::vector<CResourceError> errors;
    std::vector<std::string> files;
    EXPECT_FALSE(ParseResourceFile(dir / "main.rc", set, errors, &files));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].line, 6);
    EXPECT_EQ(errors[0].message, "cannot read included file 'missing.h'");
    ASSERT_NE(set.FindDialog(42), nullptr);
    EXPECT_EQ(set.FindDialog(42)->symbol, "IDD_X");
    EXPECT_EQ(*set.FindString(43), "x");
    EXPECT_EQ(files.size(), 2u);

    errors.clear();
    EXPECT_FALSE(ParseResourceFile(dir / "none.rc", set, errors));
    EXPECT_EQ(errors.at(0).ToString(), (dir / "none.rc") + ":0: cannot read the file");
}

// The parser's names must mean what the windows built from the templates test.
TEST(ResourceScript, NamedConstantsMatchThePlatform)
{
    const std::pair<const char*, DWORD> pairs[] = {
        {"WS_VISIBLE", WS_VISIBLE}, {"WS_DISABLED", WS_DISABLED}, {"WS_GROUP", WS_GROUP},
        {"WS_TABSTOP", WS_TABSTOP}, {"WS_CHILD", WS_CHILD}, {"WS_CAPTION", WS_CAPTION},
        {"WS_EX_CONTEXTHELP", WS_EX_CONTEXTHELP}, {"DS_SETFONT", DS_SETFONT}, {"DS_CONTROL", DS_CONTROL},
        {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON}, {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX},
        {"BS_GROUPBOX", BS_GROUPBOX}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON}, {"ES_READONLY", ES_READONLY},
        {"ES_NUMBER", ES_NUMBER}, {"SS_SIMPLE", SS_SIMPLE}, {"SS_LEFTNOWORDWRAP", SS_LEFTNOWORDWRAP},
        {"SS_NOPREFIX", SS_NOPREFIX}, {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST}, {"CBS_SORT", CBS_SORT},
        {"LBS_MULTIPLESEL", LBS_MULTIPLESEL}, {"LBS_EXTENDEDSEL", LBS_EXTENDEDSEL}, {"LBS_STANDARD", LBS_STANDARD},
    };
    for (const auto& [name, value] : pairs) {
        uint32_t parsed = 0;
        EXPECT_TRUE(LookupResourceConstant(name, parsed)) << name;
        EXPECT_EQ(parsed, value) << name;
    }
}

TEST(ResourceScript, CompiledResourcesAreInTheLibrary)
{
    const CDialogTemplate* page = FindDialogTemplate(30001);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->caption, "Part");
    EXPECT_EQ(page->file, "tests/platform/TestSheet.rc");
    ASSERT_NE(page->FindItem(30131), nullptr);
    EXPECT_EQ(page->FindItem(30131)->itemClass, DlgItemClass::kComboBox);
    EXPECT_EQ(LoadString(30001), "Test Sheet");
    std::string text = "stale";
    EXPECT_FALSE(LoadString(65000, text));
    EXPECT_EQ(text, "");
    const auto all = AllDialogTemplates();
    ASSERT_FALSE(all.empty());
    for (size_t i = 1; i < all.size(); ++i)
        EXPECT_LT(all[i - 1]->id, all[i]->id);
    ASSERT_NE(AppResources().FindSymbol("IDC_TEST_NAME"), nullptr);
}

TEST(ResourceScript, CompilerStopsOnAnErrorWithFileAndLine)
{
    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "bad.rc", "1 DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"x\" 1, 0, 0, 1, 1\nEND\n");
    const std::string out = dir / "out.cpp";
    const std::string command = std::string(WIZ_BINARY_DIR) + "/wiz_rcc -o " + out + " " + (dir / "bad.rc") + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buf[256];
    while (size_t n = fread(buf, 1, sizeof buf, pipe))
        output.append(buf, n);
    const int status = pclose(pipe);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(output, (dir / "bad.rc") + ":3: expected ',' before the control's id, found '1'\n");
    EXPECT_TRUE(wiztest::ReadBytes(out).empty());
}
