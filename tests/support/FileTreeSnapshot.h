#pragma once
// The files of a folder, read whole (path, permission bits and bytes), to
// assert that a command left a folder exactly as it was, and to put it back.
// Lock files (".lock") are left out: taking a lock is not a change.
#include "support/TestSupport.h"

#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>

namespace wiztest {

class FileTree {
public:
    struct Entry {
        bool directory = false;
        unsigned mode = 0;
        std::string bytes;
        bool operator==(const Entry&) const = default;
    };

    static FileTree Read(const std::filesystem::path& root)
    {
        FileTree tree;
        std::error_code ec;
        if (!std::filesystem::exists(root, ec))
            return tree;
        for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            const std::filesystem::path& p = it->path();
            if (p.extension() == ".lock")
                continue;
            struct stat st;
            if (::lstat(p.c_str(), &st) != 0)
                continue;
            Entry e;
            e.directory = S_ISDIR(st.st_mode);
            e.mode = st.st_mode & 07777;
            if (!e.directory)
                e.bytes = ReadBytes(p.string());
            tree.m_entries[std::filesystem::relative(p, root).string()] = std::move(e);
        }
        return tree;
    }

    // Makes `root` hold exactly these files.
    void WriteTo(const std::filesystem::path& root) const
    {
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        for (const auto& [name, e] : m_entries) {
            const std::filesystem::path p = root / name;
            if (e.directory)
                std::filesystem::create_directories(p);
            else
                WriteBytes(p.string(), e.bytes);
            ::chmod(p.c_str(), e.mode);
        }
    }

    bool operator==(const FileTree& other) const { return m_entries == other.m_entries; }
    std::size_t size() const { return m_entries.size(); }

    // The names that differ, one a line, for a failure message.
    std::string DiffFrom(const FileTree& other) const
    {
        std::string out;
        for (const auto& [name, e] : m_entries) {
            auto it = other.m_entries.find(name);
            if (it == other.m_entries.end())
                out += "  added " + name + "\n";
            else if (!(it->second == e))
                out += "  changed " + name + "\n";
        }
        for (const auto& [name, e] : other.m_entries)
            if (!m_entries.count(name))
                out += "  missing " + name + "\n";
        return out;
    }

private:
    std::map<std::string, Entry> m_entries;
};

} // namespace wiztest
