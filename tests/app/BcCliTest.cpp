#include "support/TestSupport.h"

#include <gtest/gtest.h>

using wiztest::RunWizhost;
using wiztest::SourcePath;

namespace {

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(BcCli, ShowAnswersEveryQueryOfTheSampleSets)
{
    auto r = RunWizhost({"bc", "show", SourcePath("data/sample-project/valvegates.bf3")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "*ELEMENTAL VGGRP")) << r.out;
    EXPECT_TRUE(Has(r.out, "injection nodes: 3 8 13")) << r.out;
    EXPECT_TRUE(Has(r.out, "switch-over node: 10")) << r.out;
    EXPECT_TRUE(Has(r.out, "valve-gate groups: 1 2 3")) << r.out;

    r = RunWizhost({"bc", "show", SourcePath("data/sample-project/gas.bf3")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "gas injection groups: 1 2")) << r.out;
    EXPECT_TRUE(Has(r.out, "overflow-well groups: 1 2")) << r.out;

    r = RunWizhost({"bc", "show", SourcePath("data/sample-project/cooling.bc3")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "inlet 2: Inlet circuit 2")) << r.out;
    EXPECT_TRUE(Has(r.out, "element 49: coolant COOLANT1")) << r.out;
    EXPECT_TRUE(Has(r.out, "flow rate 0.0001 m^3/s")) << r.out;
    EXPECT_TRUE(Has(r.out, "pump 1: Standard pump 20 l/min")) << r.out;
    EXPECT_TRUE(Has(r.out, "local axes nodes: 57 58 59")) << r.out;
}

TEST(BcCli, NormalizeAndSetMoldMaterialRewriteTheFile)
{
    wiztest::ScratchDir dir;
    for (const char* name : {"flow.bf3", "valvegates.bf3", "gas.bf3", "cooling.bc3"}) {
        const std::string in = SourcePath(std::string("data/sample-project/") + name);
        auto r = RunWizhost({"bc", "normalize", in, dir / name});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(wiztest::ReadBytes(dir / name), wiztest::ReadBytes(in)) << name;
    }
    const std::string file = dir / "cooling.bc3";
    ASSERT_EQ(RunWizhost({"bc", "set-mold-material", file, "33", "101"}).exitCode, 0);
    ASSERT_EQ(RunWizhost({"bc", "set-mold-material", file, "99", "103"}).exitCode, 0);
    const std::string bytes = wiztest::ReadBytes(file);
    EXPECT_TRUE(Has(bytes, "*ELEMENTAL MOLDMAT\r\n\t33\t101.000000\t1\r\n\t34\t102.000000\t1\r\n\t99\t103.000000\t1\r\n"))
        << bytes;

    wiztest::WriteBytes(dir / "messy.bf3", "junk\n*NODAL   INJECT \n 5\n*LOCAL AXES\n 1 2 3 4\n*EMPTY\n");
    ASSERT_EQ(RunWizhost({"bc", "normalize", dir / "messy.bf3", dir / "clean.bf3"}).exitCode, 0);
    EXPECT_EQ(wiztest::ReadBytes(dir / "clean.bf3"), "*NODAL     INJECT\r\n 5\r\n");
}

TEST(BcCli, BadArgumentsAndFilesExitTwo)
{
    wiztest::ScratchDir dir;
    const std::string flow = SourcePath("data/sample-project/flow.bf3");
    const std::vector<std::vector<std::string>> bad = {
        {"bc"},
        {"bc", "show"},
        {"bc", "frobnicate", flow},
        {"bc", "show", dir / "missing.bf3"},
        {"bc", "show", dir.Path().string()},
        {"bc", "normalize", flow, dir / "no/such/dir/out.bf3"},
        {"bc", "set-mold-material", flow, "x", "101"},
        {"bc", "set-mold-material", flow, "-3", "101"},
        {"bc", "set-mold-material", flow, "5", "99999999999"},
        {"bc", "set-mold-material", dir / "missing.bc3", "5", "101"},
        {"model", "show"},
        {"model", "show", dir / "missing.m3i"},
        {"model", "parts", dir / "missing"},
        {"model", "list", flow},
    };
    for (const auto& args : bad) {
        auto r = RunWizhost(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(r.err.rfind("wizhost: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    wiztest::WriteBytes(dir / "old.m3i", std::string(396, '\0'));
    auto r = RunWizhost({"model", "show", dir / "old.m3i"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Has(r.err, "M3R Read Error: File is incorrect M3I version format")) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

TEST(ModelCli, ShowAndPartsOfTheSampleMold)
{
    for (const char* name : {"mold.m3i", "mold.ain"}) {
        auto r = RunWizhost({"model", "show", SourcePath(std::string("data/sample-project/") + name)});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(Has(r.out, "has mold boundary: yes")) << r.out;
        EXPECT_TRUE(Has(r.out, "circuit 2: element 49\n  circuit 1: element 41")) << r.out;
        EXPECT_TRUE(Has(r.out, "has insert data: yes")) << r.out;
    }
    auto r = RunWizhost({"model", "parts", SourcePath("data/sample-project/mold")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "1\tCavity plate\n2\tCore plate\n3\tCore insert\n");
    // The binary file names no parts: a negative answer.
    r = RunWizhost({"model", "parts", SourcePath("data/sample-project/mold.m3i")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
}
