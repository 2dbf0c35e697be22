#include "cool/CoolingCircuits.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <strings.h>

#include "cool/BoundaryConditionFile.h"
#include "cool/CoolRules.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "model/ModelAttributeStore.h"

namespace {

constexpr const char* kCoolantPropertyFile = "moldprop.cmt";
constexpr const char* kNetworkFlowRate = "FLOWRATE";
constexpr const char* kNetworkReynolds = "MINIMUM_REYNOLDS_NUMBER";

std::string CircuitPrefix(int number)
{
    char prefix[40];
    std::snprintf(prefix, sizeof prefix, "3DCOOL_CIRCUIT%02d_", number);
    return prefix;
}

std::string CoolantPrefix(int number)
{
    char prefix[40];
    std::snprintf(prefix, sizeof prefix, "3DCOOL_COOLANT%02d_", number);
    return prefix;
}

double ReadDouble(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// Sets `value` from the keyword when the file holds it; says whether it did.
bool TakeDouble(const MKeywordFile& file, const std::string& keyword, double& value)
{
    if (!file.HasKeyword(keyword))
        return false;
    value = ReadDouble(file.GetValue(keyword));
    return true;
}

} // namespace

MCoolingCircuits::MCoolingCircuits() { AddBuiltInCoolants(); }

void MCoolingCircuits::Clear()
{
    m_circuits.clear();
    m_coolants.clear();
    m_pumps.clear();
    m_bParametersDefined = false;
}

void MCoolingCircuits::AddBuiltInCoolants()
{
    for (const char* name : {"WATER", "OIL", "GLYCOL"})
        m_coolants.push_back(MCoolant{.name = name});
}

void MCoolingCircuits::Load(const std::string& keywordFile, const std::string& boundaryFile,
                            const MModelAttributeStore& mold)
{
    // The network page starts from whatever can be read: an unreadable
    // keyword file or set shows as no circuits rather than stopping the wizard.
    MKeywordFile keywords;
    (void)keywords.Load(keywordFile);
    MBoundaryConditionFile boundary;
    if (!boundaryFile.empty())
        (void)boundary.Load(boundaryFile);
    Load(keywords, boundaryFile, boundary, mold);
}

void MCoolingCircuits::Load(const MKeywordFile& keywords, const std::string& boundaryPath,
                            const MBoundaryConditionFile& boundary, const MModelAttributeStore& mold)
{
    Clear();
    AddBuiltInCoolants();
    // The set's own coolants give 0 for a property they leave out.
    for (int i = 0; i < boundary.GetCoolantDefinitionCount(); ++i) {
        MCoolant coolant{.name = {}, .conductivity = 0, .specificHeat = 0, .density = 0, .viscosity = 0};
        boundary.GetCoolantDefinition(i, coolant.name, coolant.conductivity, coolant.specificHeat, coolant.density,
                                      coolant.viscosity);
        m_coolants.push_back(coolant);
    }
    ReadCoolantPropertyFile(kCoolantPropertyFile);
    for (int i = 0; i < boundary.GetPumpCount(); ++i) {
        std::string name;
        boundary.GetPumpName(i, name);
        m_pumps.push_back(name);
    }

    if (const int inlets = boundary.GetInletCount(); inlets > 0) {
        for (int i = 0; i < inlets; ++i) {
            MCoolingCircuit circuit{.number = i + 1, .name = {}};
            boundary.GetInletName(i, circuit.name);
            m_circuits.push_back(circuit);
        }
    } else {
        AddCircuitsFromMold(boundary, mold);
    }
    ApplyCircuitKeywords(keywords);
    ApplyCoolantKeywords(keywords);

    // Settings made for other conditions may no longer fit these circuits;
    // only a different mold model can have renumbered them.
    if (strcasecmp(keywords.GetValue("3DCOOL_BOUNDARY_CONDITION").c_str(), boundaryPath.c_str()) != 0)
        m_bNewMoldModel = strcasecmp(keywords.GetValue("3DCOOL_MOLD_MODEL_FILE").c_str(),
                                     boundary.GetModelFile().c_str()) != 0;
}

void MCoolingCircuits::ReadCoolantPropertyFile(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return;
    char line[512];
    while (std::fgets(line, sizeof line, file)) {
        const char* blanks = " \t\r\n";
        const char* first = std::strtok(line, blanks);
        if (!first || std::strncmp(first, "COOLANT", 7) != 0)
            continue;
        bool known = false;
        for (const MCoolant& coolant : m_coolants)
            known = known || coolant.name == first;
        if (known)
            continue;
        MCoolant coolant{.name = first};
        for (double* property : {&coolant.conductivity, &coolant.specificHeat, &coolant.density, &coolant.viscosity})
            if (const char* token = std::strtok(nullptr, blanks))
                *property = std::strtod(token, nullptr);
        m_coolants.push_back(coolant);
    }
    std::fclose(file);
}

void MCoolingCircuits::AddCircuitsFromMold(const MBoundaryConditionFile& boundary, const MModelAttributeStore& mold)
{
    std::vector<std::pair<int, int>> pairs;
    mold.GetCircuitPairs(pairs);
    for (const auto& [number, element] : pairs) {
        MCoolingCircuit circuit{.number = number, .name = "CIRCUIT" + std::to_string(number)};
        std::string coolant;
        if (boundary.GetCircuitCoolant(element, coolant))
            circuit.coolant = FindOrAddCoolant(coolant);
        boundary.GetCircuitInletTemperature(element, circuit.inletTemperature);
        boundary.GetCircuitFlowRate(element, circuit.flowRate);
        if (boundary.GetCircuitReynolds(element, circuit.reynolds))
            circuit.control = kControlReynolds;
        m_circuits.push_back(circuit);
    }
}

void MCoolingCircuits::ApplyCircuitKeywords(const MKeywordFile& keywords)
{
    for (MCoolingCircuit& circuit : m_circuits) {
        const std::string prefix = CircuitPrefix(circuit.number);
        bool defined = false;
        if (keywords.HasKeyword(prefix + "NAME")) {
            circuit.name = keywords.GetValue(prefix + "NAME");
            defined = true;
        }
        defined |= TakeDouble(keywords, prefix + "INLET_TEMPERATURE", circuit.inletTemperature);
        if (keywords.HasKeyword(prefix + "COOLANT")) {
            circuit.coolant = FindOrAddCoolant(keywords.GetValue(prefix + "COOLANT"));
            defined = true;
        }
        defined |= TakeDouble(keywords, prefix + "COOLANT_GLYCOL", circuit.glycol);
        const std::string network = prefix + "NETWORK_ANALYSIS";
        if (keywords.HasKeyword(network)) {
            defined = true;
            const std::string control = keywords.GetValue(network);
            if (control == kNetworkFlowRate) {
                circuit.control = kControlFlowRate;
            } else if (control == kNetworkReynolds) {
                circuit.control = kControlReynolds;
            } else {
                // A pump the set no longer has keeps the control read before.
                for (std::size_t k = 0; k < m_pumps.size(); ++k)
                    if (m_pumps[k] == control)
                        circuit.control = kControlFirstPump + static_cast<int>(k);
            }
        }
        defined |= TakeDouble(keywords, network + "_" + kNetworkFlowRate, circuit.flowRate);
        defined |= TakeDouble(keywords, network + "_" + kNetworkReynolds, circuit.reynolds);
        m_bParametersDefined |= defined;
    }
}

void MCoolingCircuits::ApplyCoolantKeywords(const MKeywordFile& keywords)
{
    for (int n = 0; n <= 99; ++n) {
        const std::string prefix = CoolantPrefix(n);
        const std::string name = keywords.GetValue(prefix + "COOLANT");
        if (name.empty())
            continue;
        MCoolant& coolant = m_coolants[static_cast<std::size_t>(FindOrAddCoolant(name))];
        TakeDouble(keywords, prefix + "THERMAL_CONDUCTIVITY", coolant.conductivity);
        TakeDouble(keywords, prefix + "SPECIFIC_HEAT", coolant.specificHeat);
        TakeDouble(keywords, prefix + "DENSITY", coolant.density);
        TakeDouble(keywords, prefix + "VISCOSITY", coolant.viscosity);
    }
}

int MCoolingCircuits::FindOrAddCoolant(const std::string& name)
{
    // The built-in names always mean the built-in coolants.
    if (name == "WATER")
        return kCoolantWater;
    if (name == "OIL")
        return kCoolantOil;
    if (name == "GLYCOL")
        return kCoolantGlycol;
    for (std::size_t i = 0; i < m_coolants.size(); ++i)
        if (m_coolants[i].name == name)
            return static_cast<int>(i);
    m_coolants.push_back(MCoolant{.name = name});
    return static_cast<int>(m_coolants.size()) - 1;
}

bool MCoolingCircuits::Save(const std::string& path, bool byCircuit, wizsys::Durability durability) const
{
    // The file's other keywords are kept; one that exists and cannot be read
    // is not overwritten with the circuits alone.
    MKeywordFile file;
    if (!LoadIfPresent(file, path))
        return false;
    Save(file, byCircuit);
    return static_cast<bool>(file.Write(path, durability));
}

void MCoolingCircuits::Save(MKeywordFile& file, bool byCircuit) const
{
    for (const MCoolingCircuit& circuit : m_circuits) {
        const std::string prefix = CircuitPrefix(circuit.number);
        file.SetValue(prefix + "NAME", circuit.name);
        file.SetDouble(prefix + "INLET_TEMPERATURE", circuit.inletTemperature);
        file.SetValue(prefix + "COOLANT", m_coolants[static_cast<std::size_t>(circuit.coolant)].name);
        file.SetDouble(prefix + "COOLANT_GLYCOL", circuit.glycol);
        const std::string network = prefix + "NETWORK_ANALYSIS";
        if (byCircuit) {
            const int control = circuit.control;
            file.SetValue(network, control == kControlFlowRate   ? std::string(kNetworkFlowRate)
                                   : control == kControlReynolds ? std::string(kNetworkReynolds)
                                                                 : m_pumps[static_cast<std::size_t>(control - kControlFirstPump)]);
        } else {
            file.RemoveKeyword(network);
        }
        if (circuit.flowRate != kCircuitUnset)
            file.SetDouble(network + "_" + kNetworkFlowRate, circuit.flowRate);
        if (circuit.reynolds != kCircuitUnset)
            file.SetDouble(network + "_" + kNetworkReynolds, circuit.reynolds);
    }
    for (std::size_t i = kBuiltInCoolantCount; i < m_coolants.size(); ++i) {
        const MCoolant& coolant = m_coolants[i];
        const std::string prefix = CoolantPrefix(static_cast<int>(i) - 2);
        file.SetValue(prefix + "COOLANT", coolant.name);
        file.SetDouble(prefix + "THERMAL_CONDUCTIVITY", coolant.conductivity);
        file.SetDouble(prefix + "SPECIFIC_HEAT", coolant.specificHeat);
        file.SetDouble(prefix + "DENSITY", coolant.density);
        file.SetDouble(prefix + "VISCOSITY", coolant.viscosity);
    }
}

bool MCoolingCircuits::IsComplete(bool byCircuit) const
{
    for (const MCoolingCircuit& circuit : m_circuits) {
        if (circuit.inletTemperature == kCircuitUnset)
            return false;
        if (circuit.coolant == kCoolantGlycol && circuit.glycol == kCircuitUnset)
            return false;
        if (byCircuit && circuit.control == kControlFlowRate && circuit.flowRate == kCircuitUnset)
            return false;
        if (byCircuit && circuit.control == kControlReynolds && circuit.reynolds == kCircuitUnset)
            return false;
    }
    return true;
}

std::string MCoolingCircuits::GetControlCaption(int control, UnitSystem system) const
{
    if (control == kControlFlowRate) {
        char unit[64] = "";
        GetUnitLabel(kQuantityFlowRateLitres, system, unit);
        return std::string("Flow rate (") + unit + ")";
    }
    if (control == kControlReynolds)
        return "Minimum Reynolds No.";
    const std::size_t pump = static_cast<std::size_t>(control - kControlFirstPump);
    return pump < m_pumps.size() ? ShownName(m_pumps[pump]) : std::string();
}
