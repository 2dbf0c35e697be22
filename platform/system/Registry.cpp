#include "platform/system/Registry.h"
#include "platform/system/WholeFile.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <sstream>

namespace {

std::mutex g_machineLock;
std::shared_ptr<const CRegistry> g_machine;
std::string g_machineFile; // "" : take WIZ_REGISTRY
std::atomic<std::size_t> g_queries{0};

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Trim(const std::string& s)
{
    const std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return "";
    const std::size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// A name or value, quoted ("a \"b\" c:\\d", with \\ and \" escapes, as the
// system's export files write them) or bare (taken as it stands, so Windows
// paths need no doubling).
std::string Unquote(const std::string& text)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return text;
    std::string out;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '\\' && i + 2 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// The "=" that separates name and value: outside a quoted name.
std::size_t FindEquals(const std::string& line)
{
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && quoted)
            ++i;
        else if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == '=' && !quoted)
            return i;
    }
    return std::string::npos;
}

} // namespace

// The key path with "/" taken as "\\", runs of separators as one, no
// trailing separator and no leading root name; case kept.
static std::string CleanKeyPath(const std::string& key)
{
    std::string k;
    k.reserve(key.size());
    for (char c : key) {
        if (c == '/')
            c = '\\';
        if (c == '\\' && (k.empty() || k.back() == '\\'))
            continue;
        k += c;
    }
    while (!k.empty() && k.back() == '\\')
        k.pop_back();
    static const std::string kRoot = "hkey_local_machine";
    if (Lower(k.substr(0, kRoot.size())) == kRoot && (k.size() == kRoot.size() || k[kRoot.size()] == '\\'))
        k.erase(0, k.size() == kRoot.size() ? kRoot.size() : kRoot.size() + 1);
    return k;
}

std::string CRegistry::Normalize(const std::string& key)
{
    return Lower(CleanKeyPath(key));
}

CRegistry::Key& CRegistry::MakeKey(const std::string& normalized, const std::string& spelled)
{
    auto found = m_keys.find(normalized);
    if (found != m_keys.end())
        return found->second;
    const std::size_t sep = spelled.rfind('\\');
    if (!normalized.empty()) {
        // Parents exist implicitly, as in the system's registry.
        Key& up = MakeKey(sep == std::string::npos ? std::string() : normalized.substr(0, sep),
                          sep == std::string::npos ? std::string() : spelled.substr(0, sep));
        up.children.push_back(normalized);
    }
    Key& key = m_keys[normalized];
    key.name = sep == std::string::npos ? spelled : spelled.substr(sep + 1);
    return key;
}

void CRegistry::LoadText(const std::string& text)
{
    m_keys.clear();
    std::istringstream in(text);
    std::string line;
    Key* current = nullptr;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            // The spelling is kept for EnumSubKeys; lookups ignore case.
            const std::string spelled = CleanKeyPath(Trim(line.substr(1, line.size() - 2)));
            current = &MakeKey(Lower(spelled), spelled);
            continue;
        }
        const std::size_t eq = FindEquals(line);
        if (!current || eq == std::string::npos)
            continue;
        const std::string name = Unquote(Trim(line.substr(0, eq)));
        current->values[Lower(name)] = Unquote(Trim(line.substr(eq + 1)));
    }
}

bool CRegistry::LoadFile(const std::string& path)
{
    std::string text;
    if (!ReadWholeFile(path, text)) {
        m_keys.clear();
        return false;
    }
    LoadText(text);
    return true;
}

bool CRegistry::HasKey(const std::string& key) const
{
    ++g_queries;
    return m_keys.count(Normalize(key)) != 0;
}

std::vector<std::string> CRegistry::EnumSubKeys(const std::string& key) const
{
    ++g_queries;
    std::vector<std::string> names;
    auto found = m_keys.find(Normalize(key));
    if (found == m_keys.end())
        return names;
    for (const std::string& child : found->second.children)
        names.push_back(m_keys.at(child).name);
    return names;
}

bool CRegistry::QueryValue(const std::string& key, const std::string& name, std::string& value) const
{
    ++g_queries;
    auto found = m_keys.find(Normalize(key));
    if (found == m_keys.end())
        return false;
    auto v = found->second.values.find(Lower(name));
    if (v == found->second.values.end())
        return false;
    value = v->second;
    return true;
}

std::shared_ptr<const CRegistry> CRegistry::Machine()
{
    std::lock_guard<std::mutex> lock(g_machineLock);
    if (!g_machine) {
        auto registry = std::make_shared<CRegistry>();
        std::string path = g_machineFile;
        if (path.empty()) {
            const char* env = std::getenv(kFileVariable);
            path = env ? env : "";
        }
        if (!path.empty())
            registry->LoadFile(path);
        g_machine = registry;
    }
    return g_machine;
}

void CRegistry::SetMachineFile(const std::string& path)
{
    std::lock_guard<std::mutex> lock(g_machineLock);
    g_machineFile = path;
    g_machine.reset();
}

void CRegistry::SetMachine(std::shared_ptr<const CRegistry> registry)
{
    std::lock_guard<std::mutex> lock(g_machineLock);
    g_machine = std::move(registry);
}

std::size_t CRegistry::QueryCount()
{
    return g_queries.load();
}
