#pragma once
// Boundary-condition files (".bf3" for flow, ".bc3" for cooling): a list of
// "*KEYWORD qualifier" sections, each with data rows. The wizards read them to
// learn what a model offers (injection locations, gas injection points,
// valve-gate groups, coolant circuits) and the cooling wizard writes mold
// materials into them. Every section and row is kept as text, so a file read
// and saved again keeps what the program does not understand.
#include "platform/system/Result.h"
#include "cool/BoundaryRowIndex.h"
#include "cool/BoundaryTextStore.h"
#include "units/Units.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One data line. The numeric fields are what the queries use; the text is
// what Save writes back. The text lives in the storage of the file the row
// belongs to and is valid until that file is cleared, reloaded or destroyed.
// 32 bytes, so a million rows stay within what a line scan touches.
struct MBoundaryRow {
    int m_first = 0;
    int m_second = 0;
    double m_value = 0.0;
    int m_third = 1;
    std::string_view GetText() const { return std::string_view(m_textData, m_textLength); }

private:
    friend class MBoundarySection;
    friend class MBoundaryConditionFile;
    void SetText(std::string_view text)
    {
        m_textData = text.data();
        m_textLength = static_cast<uint32_t>(text.size());
    }
    uint32_t m_textLength = 0;
    const char* m_textData = nullptr;
};

// The named sections the wizards look up directly. When a header occurs twice
// the slot refers to the later section.
enum BoundarySlot {
    kSlotModel,
    kSlotNodalInject,
    kSlotNodalGasInj,
    kSlotNodalGasVgg,
    kSlotNodalVpTrans,
    kSlotElementalVgGrp,
    kSlotElementalWellVgg,
    kSlotElementalMaxDim,
    kSlotElementalMinDim,
    kSlotElementalMoldMat,
    kSlotBoundaryCondition,
    kSlotCount
};

// "NODAL INJECT" style name of a slot, for listings.
const char* GetBoundarySlotName(BoundarySlot slot);

class MBoundarySection {
public:
    MBoundarySection(const MBoundarySection&) = delete;
    MBoundarySection& operator=(const MBoundarySection&) = delete;

    // The header word without its asterisk, and the rest of the header line, trimmed.
    const std::string& GetKeyword() const { return m_keyword; }
    const std::string& GetQualifier() const { return m_qualifier; }
    void SetQualifier(std::string_view qualifier) { m_qualifier = qualifier; }

    std::size_t GetRowCount() const { return m_rows.size(); }
    const MBoundaryRow& GetRow(std::size_t i) const { return m_rows[i]; }
    const std::deque<MBoundaryRow>& GetRows() const { return m_rows; }

    // Appends a row; the text is copied into the file's storage.
    const MBoundaryRow& AddRow(int first, int second, double value, int third, std::string_view text);
    // Replaces row i's fields and text (text copied).
    void SetRow(std::size_t i, int first, int second, double value, int third, std::string_view text);

    // Index of the first row whose first field is `element` and whose third
    // field is 1, or -1. Hashed, so a cooling wizard setting a material on every
    // element of a mold stays linear.
    long FindElementRow(int element) const;

private:
    friend class MBoundaryConditionFile;
    MBoundarySection(CBoundaryTextStore* store, std::string keyword, std::string qualifier);
    static MBoundaryRow MakeRow(int first, int second, double value, int third, std::string_view text);

    CBoundaryTextStore* m_store; // owned by the file
    std::string m_keyword;
    bool m_readsNoRows;          // LOCAL: its rows are regenerated on writing
    std::string m_qualifier;
    // A deque: rows never move, so a million appends copy nothing and keep
    // references valid.
    std::deque<MBoundaryRow> m_rows;
    mutable CBoundaryRowIndex m_elementIndex; // built on the first look-up
    mutable bool m_indexed = false;
};

class MBoundaryConditionFile {
public:
    MBoundaryConditionFile();
    // Loads `path` when it is not empty.
    explicit MBoundaryConditionFile(const std::string& path);
    ~MBoundaryConditionFile();
    MBoundaryConditionFile(const MBoundaryConditionFile&) = delete;
    MBoundaryConditionFile& operator=(const MBoundaryConditionFile&) = delete;

    // Clears, then reads the file. Success for an empty file too; a file that
    // cannot be read (or is not a regular file) leaves the object empty.
    CResult Load(const std::string& path);
    // The same reading over bytes already in memory, which cannot fail.
    void LoadText(std::string_view bytes);
    void Clear();
    // Replaces the file whole (line ends by the location's rule); on failure
    // the file is as it was, and the result names the cause.
    CResult Save(const std::string& path) const;
    // The bytes Save writes, with "\n" or "\r\n" line ends.
    std::string ToText(bool crlf = false) const;

    // Sections in file order; sections the program creates come last.
    std::size_t GetSectionCount() const { return m_sections.size(); }
    const MBoundarySection& GetSection(std::size_t i) const { return *m_sections[i]; }
    MBoundarySection& GetSection(std::size_t i) { return *m_sections[i]; }
    // Appends a section and files it in its slot or definition list as reading would.
    MBoundarySection& AddSection(std::string_view keyword, std::string_view qualifier);
    // The first section with this keyword (and qualifier), or null.
    const MBoundarySection* FindSection(std::string_view keyword) const;
    const MBoundarySection* FindSection(std::string_view keyword, std::string_view qualifier) const;
    const MBoundarySection* GetSlot(BoundarySlot slot) const { return m_slots[slot]; }

    void SetModelFile(const std::string& path);
    std::string GetModelFile() const;

    // First fields of the NODAL INJECT rows in row order, duplicates kept.
    const std::vector<int>& GetInjectionNodes() const { return m_injectionNodes; }

    bool HasValveGateGroups() const { return m_slots[kSlotElementalVgGrp] != nullptr; }
    bool HasGasValveGates() const { return m_slots[kSlotNodalGasVgg] != nullptr; }
    bool HasWellValveGates() const { return m_slots[kSlotElementalWellVgg] != nullptr; }
    // Distinct second fields of the section, ascending; empty when it is absent.
    void GetValveGateGroups(std::vector<int>& groups) const;
    void GetGasValveGateGroups(std::vector<int>& groups) const;
    void GetWellValveGateGroups(std::vector<int>& groups) const;
    void GetGasInjectionGroups(std::vector<int>& groups) const;

    // First field of the first NODAL VPTRANS row, or -1.
    int GetSwitchOverNode() const;

    int GetInletCount() const;
    // The text after the third token of inlet row i, trimmed. 0 (name untouched)
    // when i is out of range or the row names nothing.
    int GetInletName(int i, std::string& name) const;

    int GetCoolantDefinitionCount() const { return static_cast<int>(m_coolants.size()); }
    int GetCoolantDefinition(int i, std::string& name, double& conductivity, double& specificHeat,
                             double& density, double& viscosity) const;
    int GetPumpCount() const { return static_cast<int>(m_pumps.size()); }
    int GetPumpName(int i, std::string& name) const;

    // Per-element circuit settings; 0 when the element has no row. Temperatures
    // and flow rates come back in SI.
    int GetCircuitCoolant(int element, std::string& name) const;
    int GetCircuitInletTemperature(int element, double& value) const;
    int GetCircuitFlowRate(int element, double& value) const;
    int GetCircuitReynolds(int element, double& value) const;

    // Sets the mold material of an element in ELEMENTAL MOLDMAT, creating the
    // section or the row as needed.
    void SetMoldMaterial(int element, int material);

    // The three BOUNDARY CONDITION nodes that span the local axes; -1 where none.
    void GetLocalAxesNodes(int nodes[3]) const;

    // Values of the file are metric whatever the host's choice.
    static constexpr UnitSystem kFileUnits = kUnitsMetric;

private:
    void ParseBuffer(std::string_view bytes);
    void FileSection(MBoundarySection* section);
    void GetDistinctSeconds(BoundarySlot slot, std::vector<int>& groups) const;
    const MBoundaryRow* FindCircuitRow(std::string_view qualifier, int element) const;

    std::unique_ptr<CBoundaryTextStore> m_store;
    std::vector<std::unique_ptr<MBoundarySection>> m_sections;
    MBoundarySection* m_slots[kSlotCount] = {};
    std::vector<const MBoundarySection*> m_coolants;
    std::vector<const MBoundarySection*> m_pumps;
    std::vector<int> m_injectionNodes;
};
