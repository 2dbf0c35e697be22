// Reading and writing the project file, one tab-separated record per line.
#include "host/ProjectTree.h"

#include "host/HostPaths.h"
#include "keyword/Location.h"
#include "platform/system/FileIo.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kMagic[] = "ZQPROJECT";
const int kFormatVersion = 1;
// Far below INT_MAX, so adding nodes can never overflow the ids. The reader
// and the writer both hold to it: a project is never written that cannot be read.
const int kMaxNextId = 1000000000;

std::uint32_t Crc32(const std::string& data, std::size_t size)
{
    static std::uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<unsigned char>(data[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// Labels and paths may hold any character; tabs and line ends would break
// the one-record-per-line layout.
std::string Escape(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

bool Unescape(const std::string& s, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size())
            return false;
        switch (s[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return false;
        }
    }
    return true;
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

bool ToInt(const std::string& s, int& value)
{
    if (s.empty() || s.size() > 11)
        return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || v < -2147483647L || v > 2147483647L)
        return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

struct MProjectTree::Record {
    int id = 0, parent = -1, type = 0, subType = 0, state = 0, image = 0, flags = 0, aim = 0;
    std::string label, file;
};

bool MProjectTree::ReadFile(std::vector<Record>& records, std::string& name, int& nextId,
                            std::map<std::string, std::string>& labels)
{
    const std::string file = m_projectPath + ProjectFileName();
    std::string bytes;
    if (CResult read = wizsys::ReadWholeFile(file, bytes); !read)
        return Fail(read.GetMessage());
    const std::string what = "project file '" + file + "' ";

    // The END record carries the node count and a checksum of everything
    // before it, so a file cut short or changed by hand is never mistaken for
    // a smaller good tree and written back.
    std::size_t endAt = bytes.rfind("END\t");
    if (endAt == std::string::npos || (endAt > 0 && bytes[endAt - 1] != '\n'))
        return Fail(what + "is cut short (no END record); it was left as it is");
    {
        std::string endLine = bytes.substr(endAt);
        while (!endLine.empty() && (endLine.back() == '\n' || endLine.back() == '\r'))
            endLine.pop_back();
        std::vector<std::string> f = SplitTabs(endLine);
        int count = 0;
        unsigned long crc = 0;
        char* end = nullptr;
        if (f.size() == 3)
            crc = std::strtoul(f[2].c_str(), &end, 16);
        if (f.size() != 3 || !ToInt(f[1], count) || !end || *end != '\0' || f[2].size() != 8)
            return Fail(what + "is damaged: bad END record");
        if (crc != Crc32(bytes, endAt))
            return Fail(what + "is damaged: its checksum does not match its content");
        records.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    }

    std::size_t pos = 0;
    int lineNo = 0;
    bool sawHeader = false;
    std::map<int, std::size_t> seen;
    while (pos < endAt) {
        std::size_t nl = bytes.find('\n', pos);
        std::string line = bytes.substr(pos, nl - pos);
        pos = nl + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        auto bad = [&](const std::string& why) {
            return Fail(what + "is damaged: line " + std::to_string(lineNo) + ": " + why);
        };
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> f = SplitTabs(line);
        if (!sawHeader) {
            int version = 0;
            if (f.size() != 2 || f[0] != kMagic || !ToInt(f[1], version))
                return bad("not a project file");
            if (version != kFormatVersion)
                return bad("format version " + f[1] + " is not supported");
            sawHeader = true;
        } else if (f[0] == "NAME" && f.size() == 2) {
            if (!Unescape(f[1], name))
                return bad("bad escape in the name");
        } else if (f[0] == "NEXTID" && f.size() == 2) {
            if (!ToInt(f[1], nextId) || nextId < 1 || nextId > kMaxNextId)
                return bad("bad next id");
        } else if (f[0] == "NODE" && f.size() == 11) {
            Record r;
            int* ints[] = {&r.id, &r.parent, &r.type, &r.subType, &r.state, &r.image, &r.flags, &r.aim};
            for (int i = 0; i < 8; ++i)
                if (!ToInt(f[static_cast<std::size_t>(i) + 1], *ints[i]))
                    return bad("'" + f[static_cast<std::size_t>(i) + 1] + "' is not a whole number");
            if (!Unescape(f[9], r.label) || !Unescape(f[10], r.file))
                return bad("bad escape in a label or path");
            if (r.id < 0 || seen.count(r.id))
                return bad("node id " + std::to_string(r.id) + " is negative or repeated");
            if (records.empty() ? (r.id != 0 || r.parent != -1) : !seen.count(r.parent))
                return bad("node " + std::to_string(r.id) + " comes before its parent");
            seen[r.id] = records.size();
            records.push_back(std::move(r));
        } else if (f[0] == "MESHLABEL" && f.size() == 3) {
            std::string base, label;
            if (!Unescape(f[1], base) || !Unescape(f[2], label))
                return bad("bad escape in a mesh label");
            labels[base] = label;
        } else {
            return bad("unknown record '" + f[0] + "'");
        }
    }
    if (!sawHeader || records.empty())
        return Fail(what + "is damaged: no project root");
    int count = 0;
    ToInt(SplitTabs(bytes.substr(endAt, bytes.find_first_of("\r\n", endAt) - endAt))[1], count);
    if (count != static_cast<int>(records.size()))
        return Fail(what + "is damaged: it lists " + std::to_string(records.size()) + " nodes, not " +
                    std::to_string(count));
    for (const Record& r : records)
        if (r.id >= nextId)
            return Fail(what + "is damaged: node id " + std::to_string(r.id) + " is not below the next id");
    return true;
}

void MProjectTree::Apply(const std::vector<Record>& records, const std::string& name, int nextId,
                         std::map<std::string, std::string>&& labels)
{
    std::map<int, std::unique_ptr<ZQ_PM_Node>> nodes;
    for (const Record& r : records) {
        auto it = m_nodes.find(r.id);
        std::unique_ptr<ZQ_PM_Node> node;
        if (it != m_nodes.end()) {
            node = std::move(it->second);
            m_nodes.erase(it);
        } else {
            node = std::make_unique<ZQ_PM_Node>();
        }
        node->m_id = r.id;
        node->m_type = r.type;
        node->m_subType = static_cast<Node_SubType>(r.subType);
        node->m_state = r.state;
        node->m_imageId = r.image;
        node->m_flags = r.flags;
        node->m_flowAim = r.aim;
        node->m_name = r.label;
        node->m_filePath = AbsolutePath(r.file);
        node->m_tree = this;
        node->m_parent = node->m_firstChild = node->m_nextSibling = nullptr;
        nodes[r.id] = std::move(node);
    }
    // Nodes another process removed stay allocated for pointers callers hold.
    for (auto& [id, node] : m_nodes) {
        if (node.get() == m_editNode)
            m_editNode = nullptr;
        node->m_type = -1;
        node->m_parent = node->m_firstChild = node->m_nextSibling = nullptr;
        m_removed.push_back(std::move(node));
    }
    m_nodes = std::move(nodes);
    // Children keep the order of the file; link each after its last sibling.
    std::map<int, ZQ_PM_Node*> lastChild;
    for (const Record& r : records) {
        if (r.parent < 0)
            continue;
        ZQ_PM_Node* node = m_nodes[r.id].get();
        ZQ_PM_Node* parent = m_nodes[r.parent].get();
        node->m_parent = parent;
        ZQ_PM_Node*& last = lastChild[r.parent];
        (last ? last->m_nextSibling : parent->m_firstChild) = node;
        last = node;
    }
    m_root = m_nodes[0].get();
    m_projectName = name;
    m_nextId = nextId;
    m_meshLabels = std::move(labels);
    m_pathIndex.clear();
    for (auto& [id, node] : m_nodes)
        if (!node->m_filePath.empty())
            m_pathIndex[hostpath::PathKey(node->m_filePath)] = node.get();
}

CResult MProjectTree::Reload()
{
    if (m_projectPath.empty())
        return Failure("no project is open");
    std::vector<Record> records;
    std::string name;
    int nextId = 1;
    std::map<std::string, std::string> labels;
    if (!ReadFile(records, name, nextId, labels))
        return CResult::Fail(m_lastError);
    Apply(records, name, nextId, std::move(labels));
    return CResult::Ok();
}

bool MProjectTree::WriteFile()
{
    const std::string file = m_projectPath + ProjectFileName();
    // Projects on a UNIX-served share are written with the line ends its users expect.
    const char* eol = IsDosLocation(file) ? "\r\n" : "\n";
    std::string text;
    text.reserve(128 + 96 * m_nodes.size());
    text += std::string(kMagic) + "\t" + std::to_string(kFormatVersion) + eol;
    text += std::string("# wizlib project: one NODE record per node, parents before children") + eol;
    text += "NAME\t" + Escape(m_projectName) + eol;
    text += "NEXTID\t" + std::to_string(m_nextId) + eol;
    std::vector<ZQ_PM_Node*> nodes = GetNodes();
    for (const ZQ_PM_Node* n : nodes) {
        char numbers[128];
        std::snprintf(numbers, sizeof numbers, "%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d", n->m_id,
                      n->m_parent ? n->m_parent->m_id : -1, n->m_type, static_cast<int>(n->m_subType),
                      n->m_state, n->m_imageId, n->m_flags, n->m_flowAim);
        text += "NODE\t";
        text += numbers;
        text += "\t" + Escape(n->m_name) + "\t" + Escape(RelativePath(n->m_filePath)) + eol;
    }
    for (const auto& [base, label] : m_meshLabels)
        text += "MESHLABEL\t" + Escape(base) + "\t" + Escape(label) + eol;
    char end[64];
    std::snprintf(end, sizeof end, "END\t%zu\t%08X%s", nodes.size(), Crc32(text, text.size()), eol);
    text += end;

    if (m_nextId > kMaxNextId)
        return Fail("the project has used all its node ids (" + std::to_string(kMaxNextId) + ")");
    if (CResult written = wizsys::WriteWholeFile(file, text); !written)
        return Fail(written.GetMessage());
    return true;
}
