#pragma once
// What the failure tests put where a readable file belongs: a folder or a
// FIFO, the two things a reader must refuse instead of reading or waiting.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "support/FileTreeSnapshot.h"
#include "support/TestSupport.h"

enum class Unreadable { Folder, Fifo };

inline void MakeUnreadable(const std::string& path, Unreadable kind)
{
    std::filesystem::remove_all(path);
    if (kind == Unreadable::Folder)
        std::filesystem::create_directories(path);
    else
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}

// Runs `run` (a wizhost run returning its result) with `path` made
// unreadable, puts the file back as it was, and expects a refusal that
// changed nothing: exit 2, one line on stderr holding `named`, nothing on
// stdout, the project byte for byte as before. The file is put back before
// the project is compared: a snapshot cannot read a FIFO either.
template <class Run>
void ExpectRefusedWhileUnreadable(const std::string& project, const std::string& path, Unreadable kind,
                                  const std::string& named, Run run)
{
    using wiztest::FileTree;
    const FileTree before = FileTree::Read(project);
    const bool existed = std::filesystem::exists(path);
    const std::string bytes = existed ? wiztest::ReadBytes(path) : std::string();
    MakeUnreadable(path, kind);
    const wiztest::RunResult r = run();
    std::filesystem::remove_all(path);
    if (existed)
        wiztest::WriteBytes(path, bytes);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_TRUE(FileTree::Read(project) == before) << FileTree::Read(project).DiffFrom(before);
}
