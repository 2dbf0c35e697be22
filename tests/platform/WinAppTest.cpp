#include "platform/system/WinApp.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(WinApp, ProfileSurvivesReopenAndKeepsDefaults)
{
    wiztest::ScratchDir dir;
    const std::string file = dir / "new/folder/settings.ini"; // folders made on first write
    {
        CWinApp app;
        app.SetProfileFile(file);
        EXPECT_EQ(app.GetProfileInt("Defaults", "Trans", 7), 7);
        EXPECT_TRUE(app.WriteProfileInt("Defaults", "Trans", 3));
        EXPECT_TRUE(app.WriteProfileString("Defaults", "AbaqusInterface", "ON"));
        EXPECT_EQ(AfxGetApp(), &app);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    CWinApp app;
    app.SetProfileFile(file);
    EXPECT_EQ(app.GetProfileInt("Defaults", "Trans", 7), 3);
    EXPECT_EQ(app.GetProfileString("Defaults", "AbaqusInterface"), "ON");
    EXPECT_EQ(app.GetProfileString("Other", "AbaqusInterface", "x"), "x");
}
