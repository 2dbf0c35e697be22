#include "cool/BoundaryConditionFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

const MBoundaryRow& Row(const MBoundaryConditionFile& bc, std::size_t section, std::size_t row)
{
    return bc.GetSection(section).GetRow(row);
}

} // namespace

TEST(BoundaryConditionFile, RowFieldsFollowTheTabAndBlankRule)
{
    MBoundaryConditionFile bc;
    bc.LoadText("*ELEMENTAL VGGRP\n"
                "\t7\t20.5\t2\n"    // tabs: the second token runs to the end
                "7 20.5 2\n"        // blanks: three tokens
                "7\t20.5 3\n"       // tab after the first token, blank before the third
                "  9\n"             // one token
                "-4 x12 y\n"        // malformed: prefixes only
                "99999999999 -1e2\n");
    ASSERT_EQ(bc.GetSectionCount(), 1u);
    const MBoundaryRow& tabs = Row(bc, 0, 0);
    EXPECT_EQ(tabs.m_first, 7);
    EXPECT_EQ(tabs.m_second, 20);
    EXPECT_DOUBLE_EQ(tabs.m_value, 20.5);
    EXPECT_EQ(tabs.m_third, 1);
    EXPECT_EQ(tabs.GetText(), "\t7\t20.5\t2");
    EXPECT_EQ(Row(bc, 0, 1).m_third, 2);
    EXPECT_EQ(Row(bc, 0, 2).m_third, 3);
    EXPECT_DOUBLE_EQ(Row(bc, 0, 2).m_value, 20.5);
    const MBoundaryRow& single = Row(bc, 0, 3);
    EXPECT_EQ(single.m_first, 9);
    EXPECT_EQ(single.m_second, 0);
    EXPECT_EQ(single.m_value, 0.0);
    EXPECT_EQ(single.m_third, 1);
    const MBoundaryRow& junk = Row(bc, 0, 4);
    EXPECT_EQ(junk.m_first, -4);
    EXPECT_EQ(junk.m_second, 0);
    EXPECT_EQ(junk.m_third, 0);
    EXPECT_EQ(Row(bc, 0, 5).m_first, 2147483647);
    EXPECT_EQ(Row(bc, 0, 5).m_second, -1);
    EXPECT_DOUBLE_EQ(Row(bc, 0, 5).m_value, -100.0);
}

TEST(BoundaryConditionFile, HeadersSlotsAndDroppedRows)
{
    MBoundaryConditionFile bc;
    bc.LoadText("5 orphan row before any header\n"
                "\n   \t \n"
                "*NODAL     INJECT   \n 11\n 12\n 11\n"
                "*NODAL inject\n 99\n"
                "*NODAL INJECT\n 31\n"
                "*NODAL VPTRANS\r\n 44\r\n 45\r\n"
                "*LOCAL AXES\n\t1\t2\t3\t4\n"
                "*MODEL c:\\models\\part one.udm  \n\t1\t1\t1\n");
    ASSERT_EQ(bc.GetSectionCount(), 6u);
    // '*NODAL     INJECT' and '*NODAL INJECT' both fill the slot, the later wins.
    EXPECT_EQ(bc.GetSlot(kSlotNodalInject), &bc.GetSection(2));
    EXPECT_EQ(bc.FindSection("NODAL", "INJECT"), &bc.GetSection(0));
    EXPECT_EQ(bc.FindSection("NODAL"), &bc.GetSection(0));
    EXPECT_EQ(bc.GetSection(1).GetQualifier(), "inject"); // kept, but no slot
    EXPECT_EQ(bc.GetInjectionNodes(), std::vector<int>{31});
    EXPECT_EQ(bc.GetSwitchOverNode(), 44);
    EXPECT_EQ(bc.GetSection(4).GetKeyword(), "LOCAL");
    EXPECT_EQ(bc.GetSection(4).GetRowCount(), 0u);
    EXPECT_EQ(bc.GetModelFile(), "c:\\models\\part one.udm");
    EXPECT_EQ(bc.FindSection("NODAL", "GASINJ"), nullptr);

    bc.LoadText("*NODAL INJECT\n 3\n 1\n 3\n");
    EXPECT_EQ(bc.GetInjectionNodes(), (std::vector<int>{3, 1, 3}));
    EXPECT_EQ(bc.GetSwitchOverNode(), -1);
    EXPECT_EQ(bc.GetModelFile(), "");

    // Blank-only and empty input are files without sections, not failures.
    bc.LoadText(" \n\t\r\n\n");
    EXPECT_EQ(bc.GetSectionCount(), 0u);
    wiztest::ScratchDir dir;
    EXPECT_FALSE(bc.Load(dir / "missing.bf3"));
    wiztest::WriteBytes(dir / "empty.bf3", "");
    EXPECT_TRUE(bc.Load(dir / "empty.bf3"));
}

TEST(BoundaryConditionFile, LongLinesAreReadInPiecesOf255)
{
    const std::string longRow = " 5 " + std::string(252, 'a') + "17 3";
    MBoundaryConditionFile bc;
    bc.LoadText("*NODAL INJECT\n" + longRow + "\n" + std::string(255, 'b') + "\n");
    const MBoundarySection& s = bc.GetSection(0);
    ASSERT_EQ(s.GetRowCount(), 3u); // 255 + 4 characters, then a full piece with its line end after it
    EXPECT_EQ(s.GetRow(0).GetText().size(), 255u);
    EXPECT_EQ(s.GetRow(1).GetText(), "17 3");
    EXPECT_EQ(s.GetRow(1).m_first, 17);
    EXPECT_EQ(s.GetRow(2).GetText(), std::string(255, 'b'));

    // A header split by the piece rule keeps only its first 255 characters.
    bc.LoadText("*OTHER " + std::string(300, 'q'));
    ASSERT_EQ(bc.GetSectionCount(), 1u);
    EXPECT_EQ(bc.GetSection(0).GetQualifier().size(), 248u);
    EXPECT_EQ(bc.GetSection(0).GetRowCount(), 1u);
}

TEST(BoundaryConditionFile, SavingDropsEmptySectionsAndRegeneratesLocalAxes)
{
    MBoundaryConditionFile bc;
    bc.LoadText("*BOUNDARY CONDITION\n"
                " 10 1\n 10 2\n 20 2\n 10 3\n 20 3\n 30 3\n"
                "*EMPTY SECTION\n"
                "*LOCAL AXES\n\t9\t9\t9\t9\n"
                "*SomethingLongerThanNine  q\nrow\n");
    int nodes[3];
    bc.GetLocalAxesNodes(nodes);
    EXPECT_EQ(nodes[0], 10);
    EXPECT_EQ(nodes[1], 20);
    EXPECT_EQ(nodes[2], 30);
    EXPECT_EQ(bc.ToText(),
              "*BOUNDARY  CONDITION\n"
              " 10 1\n 10 2\n 20 2\n 10 3\n 20 3\n 30 3\n"
              "*SomethingLongerThanNine q\nrow\n"
              "*LOCAL AXES\n"
              "\t10\t10\t20\t30\n\t20\t10\t20\t30\n\t30\t10\t20\t30\n");

    // Reading the saved text and saving again gives the same bytes: the block
    // is written once, at the end.
    const std::string once = bc.ToText();
    bc.LoadText(once);
    EXPECT_EQ(bc.ToText(), once);

    // Code-2 rows that all repeat node 1 leave node 2 unset: no block.
    bc.LoadText("*BOUNDARY CONDITION\n 10 1\n 10 2\n 30 3\n");
    bc.GetLocalAxesNodes(nodes);
    EXPECT_EQ(nodes[1], -1);
    EXPECT_EQ(bc.ToText(), "*BOUNDARY  CONDITION\n 10 1\n 10 2\n 30 3\n");
    // Node numbers must be positive.
    bc.LoadText("*BOUNDARY CONDITION\n 0 1\n 10 2\n 30 3\n");
    EXPECT_EQ(bc.ToText().find("LOCAL"), std::string::npos);
}

TEST(BoundaryConditionFile, UnknownSectionsSurviveARoundTripByteForByte)
{
    // The file as the suite writes it: CR LF, headers in "*%-9s %s" form.
    const std::string original = "*MODEL     d:\\work\\cover.udm\r\n\t1\t1\t1\r\n"
                                 "*CUSTOM    THING  with  blanks\r\n 1  2\t 3 x\r\n\t\tfree text, 1.5e3\r\n"
                                 "*NODAL     INJECT\r\n\t101\t1\t1\r\n"
                                 "*ELEMENTAL MAXDIM\r\n\t1\t0.25\t1\r\n"
                                 "*DATA      PUMP Standard pump\r\nFLOWMAX 20\r\n";
    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "in.bc3", original);
    MBoundaryConditionFile bc(dir / "in.bc3");
    ASSERT_EQ(bc.GetSectionCount(), 5u);
    ASSERT_TRUE(bc.Save(dir / "out.bc3"));
    EXPECT_EQ(wiztest::ReadBytes(dir / "out.bc3"), original);
    const CResult saved = bc.Save(dir.Path().string() + "/no/such/dir/out.bc3");
    EXPECT_EQ(saved.GetMessage(), "cannot write '" + dir.Path().string() + "/no/such/dir/out.bc3': No such file or directory");

    // A NUL inside a header word is kept: "LOCAL\0x" is not LOCAL.
    const std::string damaged("*LOCAL\0x   Q\n 5\n", 16);
    bc.LoadText(damaged);
    EXPECT_EQ(bc.ToText(), damaged);
}

TEST(BoundaryConditionFile, CoolingQueriesAndConversions)
{
    MBoundaryConditionFile bc;
    bc.LoadText("*NODAL INLET\n"
                "\t201\t1\t1\t  Front inlet  \n"
                "\t202\t2\t1\n"       // no name
                "\t203 2\n"           // too few tokens
                "\t204\t1\t1\t \t\n"   // only white space after the third: an empty name
                "*ELEMENTAL COOLANT\n 1 1\n 2 2\n 3 3\n 4 5\n 5 4 2\n 5 3\n"
                "*ELEMENTAL FLOWRATE\n\t1\t6\n\t2\t7 2\n"
                "*ELEMENTAL INLETTMP\n\t1\t25\n"
                "*ELEMENTAL REYNOLDS\n\t1\t10000\n"
                "*DATA COOLANT  Water 20C \nTHCOND 0.6\nCP\t4180\nDENSITY 998\nDYNVISC 0.001\nOTHER 5\n"
                "*DATA COOLANTX\nCP 2000\n"
                "*DATA PUMP P1\n*DATA PUMPNONAME\n");
    EXPECT_EQ(bc.GetInletCount(), 4);
    std::string name = "unchanged";
    EXPECT_EQ(bc.GetInletName(0, name), 1);
    EXPECT_EQ(name, "Front inlet");
    name = "unchanged";
    EXPECT_EQ(bc.GetInletName(1, name), 0);
    EXPECT_EQ(bc.GetInletName(2, name), 0);
    EXPECT_EQ(bc.GetInletName(4, name), 0);
    EXPECT_EQ(bc.GetInletName(-1, name), 0);
    EXPECT_EQ(name, "unchanged");
    EXPECT_EQ(bc.GetInletName(3, name), 1);
    EXPECT_EQ(name, "");

    // Element 5's first row has third field 2 and is passed over.
    const char* expected[] = {"WATER", "OIL", "GLYCOL", "COOLANT2", "GLYCOL"};
    for (int e = 1; e <= 5; ++e) {
        ASSERT_EQ(bc.GetCircuitCoolant(e, name), 1) << e;
        EXPECT_EQ(name, expected[e - 1]);
    }
    EXPECT_EQ(bc.GetCircuitCoolant(6, name), 0);

    double v = -1;
    ASSERT_EQ(bc.GetCircuitFlowRate(1, v), 1);
    EXPECT_NEAR(v, 6 * 1.6666667e-05, 1e-12);
    EXPECT_EQ(bc.GetCircuitFlowRate(2, v), 0); // its third field is 2
    ASSERT_EQ(bc.GetCircuitInletTemperature(1, v), 1);
    EXPECT_DOUBLE_EQ(v, 25.0);
    ASSERT_EQ(bc.GetCircuitReynolds(1, v), 1);
    EXPECT_DOUBLE_EQ(v, 10000.0);
    EXPECT_EQ(bc.GetCircuitReynolds(2, v), 0);

    ASSERT_EQ(bc.GetCoolantDefinitionCount(), 2);
    double k = 0, cp = 0, rho = 0, mu = 0;
    ASSERT_EQ(bc.GetCoolantDefinition(0, name, k, cp, rho, mu), 1);
    EXPECT_EQ(name, "Water 20C");
    EXPECT_DOUBLE_EQ(k, 0.6);
    EXPECT_DOUBLE_EQ(cp, 4180);
    EXPECT_DOUBLE_EQ(rho, 998);
    EXPECT_DOUBLE_EQ(mu, 0.001);
    name = "kept";
    ASSERT_EQ(bc.GetCoolantDefinition(1, name, k, cp, rho, mu), 1);
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(k, 0.0);
    EXPECT_DOUBLE_EQ(cp, 2000);
    EXPECT_EQ(bc.GetCoolantDefinition(2, name, k, cp, rho, mu), 0);

    ASSERT_EQ(bc.GetPumpCount(), 2);
    EXPECT_EQ(bc.GetPumpName(0, name), 1);
    EXPECT_EQ(name, "P1");
    EXPECT_EQ(bc.GetPumpName(1, name), 1);
    EXPECT_EQ(name, "P1");
    EXPECT_EQ(bc.GetPumpName(2, name), 0);
}

TEST(BoundaryConditionFile, GroupQueriesAreDistinctAndAscending)
{
    MBoundaryConditionFile bc;
    EXPECT_FALSE(bc.HasValveGateGroups());
    std::vector<int> groups{42};
    bc.GetValveGateGroups(groups);
    EXPECT_TRUE(groups.empty());

    bc.LoadText("*ELEMENTAL VGGRP\n 1 3\n 2 1\n 3 3\n 4 -2\n 5 1\n"
                "*NODAL GASVGG\n 7 2\n"
                "*NODAL GASINJ\n 8 4\n 9 4\n"
                "*ELEMENTAL WELLVGG\n"
                "*ELEMENTAL VGGRP\n 1 9\n");
    EXPECT_TRUE(bc.HasValveGateGroups());
    EXPECT_TRUE(bc.HasGasValveGates());
    EXPECT_TRUE(bc.HasWellValveGates()); // present even without rows
    bc.GetValveGateGroups(groups);
    EXPECT_EQ(groups, std::vector<int>{9}); // the later section holds the slot
    bc.LoadText("*ELEMENTAL VGGRP\n 1 3\n 2 1\n 3 3\n 4 -2\n 5 1\n*NODAL GASINJ\n 8 4\n 9 4\n");
    bc.GetValveGateGroups(groups);
    EXPECT_EQ(groups, (std::vector<int>{-2, 1, 3}));
    bc.GetGasInjectionGroups(groups);
    EXPECT_EQ(groups, std::vector<int>{4});
    bc.GetWellValveGateGroups(groups);
    EXPECT_TRUE(groups.empty());
}

TEST(BoundaryConditionFile, SettersCreateAndUpdateRows)
{
    MBoundaryConditionFile bc;
    bc.LoadText("*ELEMENTAL MOLDMAT\n\t12\t5 2\n\t12 7\n\t30 8\n");
    bc.SetMoldMaterial(12, 101); // the row with third 1 is the second one
    const MBoundarySection* moldMat = bc.GetSlot(kSlotElementalMoldMat);
    ASSERT_NE(moldMat, nullptr);
    ASSERT_EQ(moldMat->GetRowCount(), 3u);
    EXPECT_EQ(moldMat->GetRow(0).GetText(), "\t12\t5 2");
    EXPECT_EQ(moldMat->GetRow(1).GetText(), "\t12\t101.000000\t1");
    EXPECT_EQ(moldMat->GetRow(1).m_second, 7); // an existing row keeps its second field
    EXPECT_DOUBLE_EQ(moldMat->GetRow(1).m_value, 101.0);
    bc.SetMoldMaterial(40, 102);
    ASSERT_EQ(moldMat->GetRowCount(), 4u);
    EXPECT_EQ(moldMat->GetRow(3).m_second, 1);
    EXPECT_EQ(moldMat->GetRow(3).GetText(), "\t40\t102.000000\t1");
    bc.SetMoldMaterial(40, 103);
    EXPECT_EQ(moldMat->GetRowCount(), 4u);
    EXPECT_EQ(moldMat->GetRow(3).GetText(), "\t40\t103.000000\t1");

    MBoundaryConditionFile fresh;
    fresh.SetMoldMaterial(12, 101);
    fresh.SetModelFile("mold.m3i");
    fresh.SetModelFile("mold2.m3i");
    EXPECT_EQ(fresh.GetModelFile(), "mold2.m3i");
    EXPECT_EQ(fresh.ToText(),
              "*ELEMENTAL MOLDMAT\n\t12\t101.000000\t1\n"
              "*MODEL     mold2.m3i\n\t1\t1\t1\n");
    EXPECT_DOUBLE_EQ(fresh.GetSlot(kSlotModel)->GetRow(0).m_value, 1.0);
}

TEST(BoundaryConditionFile, ElementLookupsStayRightAsTheIndexGrows)
{
    // Dense element numbers first, then numbers far apart and negative ones,
    // which move the index from an array to a hash table mid-way.
    MBoundaryConditionFile bc;
    std::vector<int> elements;
    for (int e = 1; e <= 3000; ++e)
        elements.push_back(e);
    for (int e : {5000000, -7, 2147483647, -2147483647 - 1, 2048})
        elements.push_back(e);
    for (int e : elements)
        bc.SetMoldMaterial(e, 101);
    for (int e : elements)
        bc.SetMoldMaterial(e, e % 2 ? 102 : -5); // every one an update now
    const MBoundarySection& moldMat = *bc.GetSlot(kSlotElementalMoldMat);
    ASSERT_EQ(moldMat.GetRowCount(), elements.size() - 1); // 2048 was already there
    for (int e : elements) {
        const long row = moldMat.FindElementRow(e);
        ASSERT_GE(row, 0) << e;
        EXPECT_EQ(moldMat.GetRow(static_cast<std::size_t>(row)).m_first, e);
        EXPECT_EQ(moldMat.GetRow(static_cast<std::size_t>(row)).m_value, e % 2 ? 102.0 : -5.0);
    }
    EXPECT_EQ(moldMat.FindElementRow(3001), -1);
    EXPECT_EQ(moldMat.GetRow(moldMat.GetRowCount() - 3).GetText(), "\t-7\t102.000000\t1");
    EXPECT_EQ(moldMat.GetRow(moldMat.GetRowCount() - 1).GetText(), "\t-2147483648\t-5.000000\t1");

    // Rows whose third field is not 1 are never found; the first match wins.
    bc.LoadText("*ELEMENTAL FLOWRATE\n\t8\t1 2\n\t8\t2\n\t8\t3\n");
    double v = 0;
    ASSERT_EQ(bc.GetCircuitFlowRate(8, v), 1);
    EXPECT_NEAR(v, 2 * 1.6666667e-05, 1e-12);
}
