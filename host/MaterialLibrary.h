#pragma once
// The material library: a folder of material files in keyword format (the
// installation's "materials" folder), searched by text, and the "Material
// Selector" sheet that lets the user pick one.
#include <string>
#include <vector>

class CWnd;

// One material of the library, as listed.
struct MMatData {
    std::string file;         // path of the material file
    std::string name;         // "MATERIAL_NAME"
    std::string manufacturer; // "MATERIAL_MANUFACTURER"
    std::string family;       // "MATERIAL_FAMILY" (PP, ABS, PA66-GF30, ...)
    bool fiberFilled = false; // has "MATERIAL_AVERAGE_FIBER_LENGTH"
    bool thermoset = false;   // has "MATERIAL_THERMOSET_DATA"
};

// The search state: the library folder, the search text, the materials that
// match it and the one chosen. It is kept between uses of the selector, so
// the user finds the last search and choice again.
class MMatSearch {
public:
    MMatSearch();
    // The library folder; reading it again on the next search.
    void SetLibraryPath(const std::string& folder);
    const std::string& GetLibraryPath() const { return m_library; }

    // Lists the materials whose name, manufacturer or family contain every
    // blank-separated word of `text` (any case); "" lists all. Keeps the
    // chosen material when it still matches. Returns the number found.
    int Search(const std::string& text);
    const std::string& GetSearchText() const { return m_text; }
    const std::vector<MMatData>& GetMatches() const { return m_matches; }
    int GetMatchCount() const { return static_cast<int>(m_matches.size()); }

    // Chooses match `index` (-1 clears); false for a bad index.
    bool Select(int index);
    int GetSelectedIndex() const { return m_selected; }
    bool HasSelection() const { return m_selected >= 0; }
    // The chosen material; null when none is chosen.
    const MMatData* GetSelection() const;
    // Every material of the library (read once per library path).
    const std::vector<MMatData>& GetAll();

    // Reads one material file's listing data; false when it is no material.
    static bool ReadMaterial(const std::string& file, MMatData& data);

private:
    void Load();

    std::string m_library;
    bool m_loaded = false;
    std::vector<MMatData> m_all;
    std::string m_text;
    std::vector<MMatData> m_matches;
    int m_selected = -1;
};
