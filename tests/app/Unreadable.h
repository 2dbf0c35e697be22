#pragma once
// What the failure tests put where a readable file belongs: a folder or a
// FIFO, the two things a reader must refuse instead of reading or waiting.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

enum class Unreadable { Folder, Fifo };

inline void MakeUnreadable(const std::string& path, Unreadable kind)
{
    std::filesystem::remove_all(path);
    if (kind == Unreadable::Folder)
        std::filesystem::create_directories(path);
    else
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}
