// wizhost bc ...: looking into boundary-condition files (".bf3", ".bc3") the
// way the wizards see them, rewriting them in the form the library writes,
// and setting mold materials as the cooling wizard does.
#include "app/Command.h"
#include "cool/BoundaryConditionFile.h"

#include <climits>
#include <cstdio>
#include <set>

using namespace wizhost;

namespace {

extern const WizCommand g_bcCommand;

int Usage(const std::string& problem)
{
    return Fail(problem + " (see wizhost bc --help)");
}

std::string JoinInts(const std::vector<int>& values)
{
    if (values.empty())
        return "(none)";
    std::string out;
    for (int v : values)
        out += (out.empty() ? "" : " ") + std::to_string(v);
    return out;
}

// The slot or definition list a section fills, "-" for none.
std::string SlotOf(const MBoundaryConditionFile& bc, const MBoundarySection& section)
{
    for (int s = 0; s < kSlotCount; ++s)
        if (bc.GetSlot(static_cast<BoundarySlot>(s)) == &section)
            return GetBoundarySlotName(static_cast<BoundarySlot>(s));
    if (section.GetKeyword() == "DATA" && section.GetQualifier().compare(0, 7, "COOLANT") == 0)
        return "coolant definition";
    if (section.GetKeyword() == "DATA" && section.GetQualifier().compare(0, 4, "PUMP") == 0)
        return "pump definition";
    return "-";
}

void PrintSections(const MBoundaryConditionFile& bc)
{
    std::printf("sections: %zu\n", bc.GetSectionCount());
    for (std::size_t i = 0; i < bc.GetSectionCount(); ++i) {
        const MBoundarySection& s = bc.GetSection(i);
        const std::string header = "*" + s.GetKeyword() + (s.GetQualifier().empty() ? "" : " " + s.GetQualifier());
        std::printf("  %-34s rows %-7zu slot %s\n", header.c_str(), s.GetRowCount(), SlotOf(bc, s).c_str());
    }
}

void PrintGroups(const MBoundaryConditionFile& bc)
{
    std::vector<int> groups;
    bc.GetValveGateGroups(groups);
    std::printf("valve-gate groups: %s\n", bc.HasValveGateGroups() ? JoinInts(groups).c_str() : "(no section)");
    bc.GetGasValveGateGroups(groups);
    std::printf("gas valve-gate groups: %s\n", bc.HasGasValveGates() ? JoinInts(groups).c_str() : "(no section)");
    bc.GetWellValveGateGroups(groups);
    std::printf("overflow-well groups: %s\n", bc.HasWellValveGates() ? JoinInts(groups).c_str() : "(no section)");
    bc.GetGasInjectionGroups(groups);
    std::printf("gas injection groups: %s\n", JoinInts(groups).c_str());
}

void PrintCoolingDefinitions(const MBoundaryConditionFile& bc)
{
    std::printf("inlets: %d\n", bc.GetInletCount());
    for (int i = 0; i < bc.GetInletCount(); ++i) {
        std::string name;
        if (bc.GetInletName(i, name))
            std::printf("  inlet %d: %s\n", i + 1, name.c_str());
        else
            std::printf("  inlet %d: (no name)\n", i + 1);
    }
    std::printf("coolant definitions: %d\n", bc.GetCoolantDefinitionCount());
    for (int i = 0; i < bc.GetCoolantDefinitionCount(); ++i) {
        std::string name = "(no name)";
        double k = 0, cp = 0, rho = 0, mu = 0;
        bc.GetCoolantDefinition(i, name, k, cp, rho, mu);
        std::printf("  COOLANT%d %s: conductivity %g, specific heat %g, density %g, viscosity %g\n", i + 1,
                    name.c_str(), k, cp, rho, mu);
    }
    std::printf("pumps: %d\n", bc.GetPumpCount());
    for (int i = 0; i < bc.GetPumpCount(); ++i) {
        std::string name = "(no name)";
        bc.GetPumpName(i, name);
        std::printf("  pump %d: %s\n", i + 1, name.c_str());
    }
}

// Every element that has circuit settings, with what the cooling wizard reads for it.
void PrintCircuits(const MBoundaryConditionFile& bc)
{
    std::set<int> elements;
    for (const char* qualifier : {"COOLANT", "INLETTMP", "FLOWRATE", "REYNOLDS"})
        if (const MBoundarySection* s = bc.FindSection("ELEMENTAL", qualifier))
            for (const MBoundaryRow& row : s->GetRows())
                if (row.m_third == 1)
                    elements.insert(row.m_first);
    std::printf("circuit elements: %zu\n", elements.size());
    for (int e : elements) {
        std::string coolant = "-";
        double temperature = 0, flow = 0, reynolds = 0;
        const bool hasTemperature = bc.GetCircuitInletTemperature(e, temperature);
        const bool hasFlow = bc.GetCircuitFlowRate(e, flow);
        const bool hasReynolds = bc.GetCircuitReynolds(e, reynolds);
        bc.GetCircuitCoolant(e, coolant);
        std::printf("  element %d: coolant %s", e, coolant.c_str());
        if (hasTemperature)
            std::printf(", inlet temperature %g deg.C", temperature);
        if (hasFlow)
            std::printf(", flow rate %g m^3/s", flow);
        if (hasReynolds)
            std::printf(", Reynolds number %g", reynolds);
        std::printf("\n");
    }
}

int Show(const Args& args)
{
    if (args.size() != 2)
        return Usage("bc show needs FILE");
    MBoundaryConditionFile bc;
    if (CResult loaded = bc.Load(args[1]); !loaded)
        return ExitWith(loaded);
    PrintSections(bc);
    const std::string model = bc.GetModelFile();
    std::printf("model file: %s\n", model.empty() ? "(none)" : model.c_str());
    std::printf("injection nodes: %s\n", JoinInts(bc.GetInjectionNodes()).c_str());
    std::printf("switch-over node: %d\n", bc.GetSwitchOverNode());
    PrintGroups(bc);
    PrintCoolingDefinitions(bc);
    PrintCircuits(bc);
    int nodes[3];
    bc.GetLocalAxesNodes(nodes);
    std::printf("local axes nodes: %d %d %d\n", nodes[0], nodes[1], nodes[2]);
    return kExitOk;
}

int Normalize(const Args& args)
{
    if (args.size() != 3)
        return Usage("bc normalize needs IN OUT");
    MBoundaryConditionFile bc;
    if (CResult loaded = bc.Load(args[1]); !loaded)
        return ExitWith(loaded);
    return ExitWith(bc.Save(args[2]));
}

int SetMoldMaterial(const Args& args)
{
    if (args.size() != 4)
        return Usage("bc set-mold-material needs FILE ELEMENT MATERIAL");
    long element = 0, material = 0;
    if (!ParseInt(args[2], element) || element <= 0 || element > INT_MAX)
        return Fail("ELEMENT must be a whole number from 1 to " + std::to_string(INT_MAX) + ", not '" + args[2] + "'");
    if (!ParseInt(args[3], material) || material < INT_MIN || material > INT_MAX)
        return Fail("MATERIAL must be a 32-bit whole number, not '" + args[3] + "'");
    MBoundaryConditionFile bc;
    if (CResult loaded = bc.Load(args[1]); !loaded)
        return ExitWith(loaded);
    bc.SetMoldMaterial(static_cast<int>(element), static_cast<int>(material));
    return ExitWith(bc.Save(args[1]));
}

int RunBc(const Args& args)
{
    if (WantsHelp(args))
        return PrintUsage(g_bcCommand);
    if (args.empty())
        return Usage("bc needs a command");
    if (args[0] == "show")
        return Show(args);
    if (args[0] == "normalize")
        return Normalize(args);
    if (args[0] == "set-mold-material")
        return SetMoldMaterial(args);
    return Usage("unknown bc command '" + args[0] + "'");
}

const WizCommand g_bcCommand(
    "bc",
    "wizhost bc show FILE                          sections with their slots and row counts, then every query's answer\n"
    "wizhost bc normalize IN OUT                   reads IN and writes it as the library writes boundary conditions\n"
    "wizhost bc set-mold-material FILE ELEMENT MATERIAL\n"
    "                                              sets an element's mold material in FILE (ELEMENTAL MOLDMAT)\n",
    RunBc);

} // namespace
