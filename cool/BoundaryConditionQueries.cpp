// The typed questions the wizards ask of a boundary-condition file, and the
// two setters they use.
#include "cool/BoundaryConditionFile.h"

#include "cool/BoundaryRowText.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <cstdio>

void MBoundaryConditionFile::SetModelFile(const std::string& path)
{
    MBoundarySection* model = m_slots[kSlotModel];
    if (!model) {
        model = &AddSection("MODEL", "");
        model->AddRow(1, 1, 1.0, 1, "\t1\t1\t1");
    }
    model->SetQualifier(path);
}

std::string MBoundaryConditionFile::GetModelFile() const
{
    const MBoundarySection* model = m_slots[kSlotModel];
    return model ? model->GetQualifier() : std::string();
}

void MBoundaryConditionFile::GetDistinctSeconds(BoundarySlot slot, std::vector<int>& groups) const
{
    groups.clear();
    const MBoundarySection* section = m_slots[slot];
    if (!section)
        return;
    // A hash set first, so a million rows of a few groups cost one pass and a
    // sort of the few distinct values.
    CBoundaryRowIndex seen;
    for (const MBoundaryRow& row : section->GetRows())
        if (seen.Insert(row.m_second, 0))
            groups.push_back(row.m_second);
    std::sort(groups.begin(), groups.end());
}

void MBoundaryConditionFile::GetValveGateGroups(std::vector<int>& groups) const
{
    GetDistinctSeconds(kSlotElementalVgGrp, groups);
}

void MBoundaryConditionFile::GetGasValveGateGroups(std::vector<int>& groups) const
{
    GetDistinctSeconds(kSlotNodalGasVgg, groups);
}

void MBoundaryConditionFile::GetWellValveGateGroups(std::vector<int>& groups) const
{
    GetDistinctSeconds(kSlotElementalWellVgg, groups);
}

void MBoundaryConditionFile::GetGasInjectionGroups(std::vector<int>& groups) const
{
    GetDistinctSeconds(kSlotNodalGasInj, groups);
}

int MBoundaryConditionFile::GetSwitchOverNode() const
{
    const MBoundarySection* vp = m_slots[kSlotNodalVpTrans];
    if (!vp || vp->GetRowCount() == 0)
        return -1;
    return vp->GetRow(0).m_first;
}

int MBoundaryConditionFile::GetInletCount() const
{
    const MBoundarySection* inlets = FindSection("NODAL", "INLET");
    return inlets ? static_cast<int>(inlets->GetRowCount()) : 0;
}

int MBoundaryConditionFile::GetInletName(int i, std::string& name) const
{
    const MBoundarySection* inlets = FindSection("NODAL", "INLET");
    if (!inlets || i < 0 || static_cast<std::size_t>(i) >= inlets->GetRowCount())
        return 0;
    bcrow::CRowTokenizer tokens(inlets->GetRow(static_cast<std::size_t>(i)).GetText());
    for (int k = 0; k < 3; ++k)
        if (tokens.Next().empty())
            return 0;
    std::string_view rest;
    if (!tokens.Rest(rest))
        return 0;
    name = bcrow::Trim(rest);
    return 1;
}

// The name of a DATA definition: its qualifier after the first blank
// ("COOLANT Water" names "Water"); false when there is no blank.
static bool DefinitionName(const MBoundarySection& section, std::string& name)
{
    const std::string& qualifier = section.GetQualifier();
    const std::size_t blank = qualifier.find(' ');
    if (blank == std::string::npos)
        return false;
    name = bcrow::Trim(std::string_view(qualifier).substr(blank + 1));
    return true;
}

int MBoundaryConditionFile::GetCoolantDefinition(int i, std::string& name, double& conductivity,
                                                 double& specificHeat, double& density, double& viscosity) const
{
    if (i < 0 || static_cast<std::size_t>(i) >= m_coolants.size())
        return 0;
    const MBoundarySection& section = *m_coolants[static_cast<std::size_t>(i)];
    DefinitionName(section, name);
    conductivity = specificHeat = density = viscosity = 0.0;
    for (const MBoundaryRow& row : section.GetRows()) {
        bcrow::CRowTokenizer tokens(row.GetText());
        const std::string_view property = tokens.Next();
        double* target = property == "THCOND"  ? &conductivity
                         : property == "CP"      ? &specificHeat
                         : property == "DENSITY" ? &density
                         : property == "DYNVISC" ? &viscosity
                                                 : nullptr;
        if (target)
            *target = bcrow::ParseDouble(tokens.Next());
    }
    return 1;
}

int MBoundaryConditionFile::GetPumpName(int i, std::string& name) const
{
    if (i < 0 || static_cast<std::size_t>(i) >= m_pumps.size())
        return 0;
    DefinitionName(*m_pumps[static_cast<std::size_t>(i)], name);
    return 1;
}

const MBoundaryRow* MBoundaryConditionFile::FindCircuitRow(std::string_view qualifier, int element) const
{
    const MBoundarySection* section = FindSection("ELEMENTAL", qualifier);
    if (!section)
        return nullptr;
    const long row = section->FindElementRow(element);
    return row < 0 ? nullptr : &section->GetRow(static_cast<std::size_t>(row));
}

int MBoundaryConditionFile::GetCircuitCoolant(int element, std::string& name) const
{
    const MBoundaryRow* row = FindCircuitRow("COOLANT", element);
    if (!row)
        return 0;
    switch (row->m_second) {
    case 1: name = "WATER"; break;
    case 2: name = "OIL"; break;
    case 3: name = "GLYCOL"; break;
    default: {
        // Codes past the three built-in coolants count the file's own definitions.
        char text[32];
        std::snprintf(text, sizeof text, "COOLANT%lld", static_cast<long long>(row->m_second) - 3);
        name = text;
    }
    }
    return 1;
}

int MBoundaryConditionFile::GetCircuitInletTemperature(int element, double& value) const
{
    const MBoundaryRow* row = FindCircuitRow("INLETTMP", element);
    if (!row)
        return 0;
    ConvertToSI(2, kFileUnits, row->m_value, &value);
    return 1;
}

int MBoundaryConditionFile::GetCircuitFlowRate(int element, double& value) const
{
    const MBoundaryRow* row = FindCircuitRow("FLOWRATE", element);
    if (!row)
        return 0;
    ConvertToSI(3, kFileUnits, row->m_value, &value);
    return 1;
}

int MBoundaryConditionFile::GetCircuitReynolds(int element, double& value) const
{
    const MBoundaryRow* row = FindCircuitRow("REYNOLDS", element);
    if (!row)
        return 0;
    value = row->m_value;
    return 1;
}

void MBoundaryConditionFile::SetMoldMaterial(int element, int material)
{
    MBoundarySection* moldMat = m_slots[kSlotElementalMoldMat];
    if (!moldMat)
        moldMat = &AddSection("ELEMENTAL", "MOLDMAT");
    // The text is "\t%d\t%f\t%d" of element, material and third; the material
    // is whole, so "%f" only appends ".000000". Formatting it directly keeps
    // a million calls from the cost of printf's floating-point path.
    const double value = material;
    const int third = 1;
    char text[64];
    char* p = text;
    *p++ = '\t';
    p = std::to_chars(p, p + 11, element).ptr; // 11: "-2147483648"
    *p++ = '\t';
    p = std::to_chars(p, p + 11, material).ptr;
    std::memcpy(p, ".000000\t1", 9);
    const std::string_view formatted(text, static_cast<std::size_t>(p + 9 - text));
    const long row = moldMat->FindElementRow(element);
    if (row >= 0) {
        const int second = moldMat->GetRow(static_cast<std::size_t>(row)).m_second;
        moldMat->SetRow(static_cast<std::size_t>(row), element, second, value, third, formatted);
    } else {
        moldMat->AddRow(element, 1, value, third, formatted);
    }
}
