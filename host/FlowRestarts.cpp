#include "host/FlowRestarts.h"

#include "host/HostPaths.h"
#include "keyword/KeywordFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

bool ParseReal(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && errno == 0;
}

std::string Trim(const std::string& s)
{
    std::size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

} // namespace

MFlowRestarts::MFlowRestarts(const std::string& file)
{
    if (file.empty())
        return;
    std::string base = hostpath::WithoutExtension(file);
    Read(base + ".fr0");
}

MFlowRestarts::~MFlowRestarts() = default;

MFlow3DRestarts::MFlow3DRestarts(const std::string& file)
{
    if (!file.empty())
        Read(file);
}

void MFlowRestarts::Read(const std::string& indexFile)
{
    m_indexFile = indexFile;
    m_folder = hostpath::DirName(indexFile);
    std::string bytes;
    if (!hostpath::ReadWholeFile(indexFile, bytes))
        return;
    std::vector<Point> points;
    Point* current = nullptr;
    std::string pendingKey; // a value continued on the next line ("\" at its end)
    int lineNo = 0;
    bool header = false;
    auto fail = [&](const std::string& why) {
        m_error = indexFile + ": line " + std::to_string(lineNo) + ": " + why;
        m_points.clear();
    };
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        if (nl == std::string::npos)
            nl = bytes.size();
        std::string line = bytes.substr(pos, nl - pos);
        pos = nl + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!pendingKey.empty()) {
            std::string& value = current->keywords.back().second;
            value += "\n" + line;
            if (line.empty() || line.back() != '\\')
                pendingKey.clear();
            continue;
        }
        std::string t = Trim(line);
        if (t.empty() || t[0] == '#')
            continue;
        if (t == "[POINT]") {
            if (!header)
                return fail("no FLOW_RESTART_INDEX line before the first point");
            points.emplace_back();
            current = &points.back();
            continue;
        }
        std::size_t colon = t.find(':');
        if (colon == std::string::npos)
            return fail("expected 'KEYWORD: value'");
        const std::string key = Trim(t.substr(0, colon));
        const std::string value = Trim(t.substr(colon + 1));
        if (!current) {
            if (key == "FLOW_RESTART_INDEX") {
                if (value != "1")
                    return fail("restart index version " + value + " is not supported");
                header = true;
            } else if (key == "THERMOSET") {
                m_curing = value == "ON";
            } else {
                return fail("unknown header keyword '" + key + "'");
            }
            continue;
        }
        double number = 0;
        if (key == "TYPE") {
            if (!ParseReal(value, number))
                return fail("TYPE is not a number");
            current->info.type = number < 0 ? -1 : number > 0 ? 1 : 0;
        } else if (key == "TIME") {
            if (!ParseReal(value, current->info.time))
                return fail("TIME is not a number");
        } else if (key == "FILLED") {
            if (!ParseReal(value, current->info.filled))
                return fail("FILLED is not a number");
        } else if (key == "FILE") {
            current->info.filename = value;
        } else if (key == "DESCRIPTION") {
            current->info.description = value;
        } else {
            current->keywords.emplace_back(key, value);
            if (!value.empty() && value.back() == '\\')
                pendingKey = key;
        }
    }
    for (const Point& p : points) {
        if (p.info.filename.empty()) {
            lineNo = 0;
            return fail("a point has no FILE");
        }
    }
    m_points = std::move(points);
}

std::string MFlowRestarts::FormatRestartInfo(const MRestartInfo& info) const
{
    char text[160];
    if (info.type < 0)
        std::snprintf(text, sizeof text, "Filling: %g s, %g%% filled", info.time, info.filled);
    else if (info.type == 0)
        std::snprintf(text, sizeof text, "End of filling: %g s", info.time);
    else if (m_curing)
        std::snprintf(text, sizeof text, "Curing: %g s, %g%% cured", info.time, info.filled);
    else
        std::snprintf(text, sizeof text, "Packing: %g s", info.time);
    std::string out = text;
    if (!info.description.empty())
        out += " - " + info.description;
    return out;
}

bool MFlowRestarts::GetRestartInfo(int index, MRestartInfo& info) const
{
    if (index < 0 || index >= GetCount())
        return false;
    info = m_points[static_cast<std::size_t>(index)].info;
    return true;
}

std::string MFlowRestarts::GetDescription(int index) const
{
    MRestartInfo info;
    return GetRestartInfo(index, info) ? FormatRestartInfo(info) : std::string();
}

int MFlowRestarts::GetType(int index) const
{
    MRestartInfo info;
    return GetRestartInfo(index, info) ? info.type : 0;
}

std::string MFlowRestarts::GetFilename(int index) const
{
    MRestartInfo info;
    if (!GetRestartInfo(index, info))
        return "";
    return hostpath::IsAbsolute(info.filename) ? info.filename : m_folder + info.filename;
}

int MFlowRestarts::GetIndexByFilename(const std::string& file) const
{
    const std::string key = hostpath::PathKey(hostpath::BaseName(file));
    for (int i = 0; i < GetCount(); ++i)
        if (hostpath::PathKey(hostpath::BaseName(m_points[static_cast<std::size_t>(i)].info.filename)) == key)
            return i;
    return -1;
}

bool MFlowRestarts::GenerateKeywordFile(int index, const std::string& path) const
{
    if (index < 0 || index >= GetCount())
        return false;
    MKeywordFile out;
    for (const auto& [key, value] : m_points[static_cast<std::size_t>(index)].keywords)
        out.SetValue(key, value);
    return out.Write(path).IsOk();
}
