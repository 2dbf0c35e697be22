#pragma once
// A read-only stand-in for the machine's registry: keys and string values kept
// in a text file (format in docs/registry.md) that the job manager or the
// administrator writes. The library only reads it.
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CRegistry {
public:
    // The environment variable naming the registry file.
    static constexpr const char* kFileVariable = "WIZ_REGISTRY";

    CRegistry() = default;

    // Parses registry text; lines that do not fit the format are skipped.
    void LoadText(const std::string& text);
    // False (and an empty registry) when the file cannot be read.
    bool LoadFile(const std::string& path);

    // Key paths are "\\"-separated and compared without regard to case, as
    // the system's registry does. "HKEY_LOCAL_MACHINE\\" may lead or not.
    bool HasKey(const std::string& key) const;
    // Names of the direct subkeys, in the order the file gives them.
    std::vector<std::string> EnumSubKeys(const std::string& key) const;
    // False when the key or the value is missing.
    bool QueryValue(const std::string& key, const std::string& name, std::string& value) const;

    // The process' registry: loaded on first use from the file that
    // WIZ_REGISTRY names (empty when unset or unreadable).
    static std::shared_ptr<const CRegistry> Machine();
    // Replaces the process' registry (tests, or a host that knows its file);
    // an empty path goes back to WIZ_REGISTRY on next use.
    static void SetMachineFile(const std::string& path);
    static void SetMachine(std::shared_ptr<const CRegistry> registry);
    // How many times a key was opened or enumerated since start, for tests
    // that must show an answer came from a cache.
    static std::size_t QueryCount();

private:
    struct Key {
        std::string name;
        std::vector<std::string> children; // lower-cased full paths, file order
        std::unordered_map<std::string, std::string> values; // lower-cased name -> value
    };
    static std::string Normalize(const std::string& key);
    Key& MakeKey(const std::string& normalized, const std::string& spelled);

    std::unordered_map<std::string, Key> m_keys; // lower-cased full path -> key
};
