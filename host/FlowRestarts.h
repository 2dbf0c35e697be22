#pragma once
// The restart points a flow analysis saved: the solver writes one restart
// index file per analysis (midplane and fusion meshes: "<base>.fr0"; 3D
// meshes: the file "MOLD3D_RESTART_FILE_NAME" names) listing its points, each
// with the keyword settings in force at that moment. The format is described
// in docs/project.md.
#include <string>
#include <vector>

// What is known of one restart point.
struct MRestartInfo {
    int type = 0;          // < 0 during filling, 0 end of filling, > 0 packing or curing
    double time = 0;       // s after the start of injection
    double filled = 0;     // % of the cavity volume filled (or cured, when curing)
    std::string filename;  // the point's own file ("<base>.fr3")
    std::string description; // the solver's note, may be empty
};

class MFlowRestarts {
public:
    // Reads the index of `file`: `file` with its extension replaced by
    // ".fr0" (or ".fr0" appended when it has none). An unreadable or
    // garbled index gives an empty list.
    explicit MFlowRestarts(const std::string& file);
    virtual ~MFlowRestarts();

    int GetCount() const { return static_cast<int>(m_points.size()); }
    int GetSize() const { return GetCount(); }
    // The text listed for a point (FormatRestartInfo); "" for a bad index.
    std::string GetDescription(int index) const;
    // < 0 filling, 0 end of filling, > 0 packing or curing; 0 for a bad index.
    int GetType(int index) const;
    // The point's file, with the index file's folder; "" for a bad index.
    std::string GetFilename(int index) const;
    // The point whose file (with or without folder, any case) is `file`; -1 when none.
    int GetIndexByFilename(const std::string& file) const;
    bool GetRestartInfo(int index, MRestartInfo& info) const;
    std::string FormatRestartInfo(const MRestartInfo& info) const;
    // Writes the point's keyword settings as a keyword file at `path`;
    // false for a bad index or a failed write.
    bool GenerateKeywordFile(int index, const std::string& path) const;

    const std::string& GetIndexFile() const { return m_indexFile; }
    // Errors met while reading the index ("" when it read cleanly or was absent).
    const std::string& GetReadError() const { return m_error; }

protected:
    MFlowRestarts() = default;
    void Read(const std::string& indexFile);

    struct Point {
        MRestartInfo info;
        std::vector<std::pair<std::string, std::string>> keywords;
    };
    std::string m_indexFile;
    std::string m_folder; // of the index file, ending with a separator or empty
    std::vector<Point> m_points;
    std::string m_error;
    bool m_curing = false; // a thermoset analysis: positive points are curing
};

// The same list for a 3D analysis: the file named is the index itself.
class MFlow3DRestarts : public MFlowRestarts {
public:
    explicit MFlow3DRestarts(const std::string& file);
};
