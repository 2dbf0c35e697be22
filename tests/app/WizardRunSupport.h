#pragma once
// What the `wizhost run` session tests share: the scripts and golden files of
// the repository, a written file compared with its golden file (CR LF and the
// project folder normalised; WIZ_UPDATE_GOLDEN=1 rewrites the golden file),
// and a node found by its file or label rather than by its id.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "support/TestSupport.h"

namespace wizrun {

inline std::string Golden(const std::string& name) { return wiztest::SourcePath("tests/app/golden/" + name); }
inline std::string Script(const std::string& name) { return wiztest::SourcePath("data/scripts/" + name); }

inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
        text.replace(pos, from.size(), to);
    return text;
}

// A file of the project as the golden files hold it: LF line ends, the
// project folder written as $PROJECT.
inline std::string Normalised(const std::string& project, const std::string& file)
{
    return ReplaceAll(ReplaceAll(wiztest::ReadBytes(project + "/" + file), "\r\n", "\n"), project, "$PROJECT");
}

// The written file matches its golden file, and was written with CR LF.
inline void ExpectGolden(const std::string& project, const std::string& written, const std::string& golden)
{
    const std::string bytes = wiztest::ReadBytes(project + "/" + written);
    ASSERT_FALSE(bytes.empty()) << written;
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    const std::string text = Normalised(project, written);
    if (const char* update = std::getenv("WIZ_UPDATE_GOLDEN"); update && *update == '1')
        wiztest::WriteBytes(Golden(golden), text);
    EXPECT_EQ(text, wiztest::ReadBytes(Golden(golden))) << golden;
}

// The id of the node whose file (or, failing that, label) is `name`, as the
// project tree lists it, so that scenarios do not depend on node numbers.
inline std::string NodeId(const std::string& project, const std::string& name)
{
    std::istringstream tree(wiztest::RunWizhost({"project", "tree", project}).out);
    for (std::string line; std::getline(tree, line);) {
        const bool byFile = line.size() > name.size() && line.ends_with(" " + name);
        const bool byLabel = line.find("\"" + name + "\"") != std::string::npos;
        if (byFile || byLabel) {
            std::istringstream words(line);
            std::string id;
            words >> id;
            return id;
        }
    }
    ADD_FAILURE() << "no node " << name;
    return "-1";
}

} // namespace wizrun
