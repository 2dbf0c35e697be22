#pragma once
// MCoolingCircuits: the coolant circuits of a mold with their settings (inlet
// temperature, coolant, how the flow is controlled), the coolants they may
// use and the pumps of the boundary conditions. Assembled from the analysis
// keyword file, the boundary-condition set, the mold model and the coolant
// property file "moldprop.cmt"; written back as "3DCOOL_CIRCUITnn_" and
// "3DCOOL_COOLANTnn_" keywords. Values are in SI; -16384 marks an unset one.
#include <string>
#include <vector>

#include "platform/system/FileIo.h"
#include "units/Units.h"

class MKeywordFile;
class MBoundaryConditionFile;
class MModelAttributeStore;

constexpr double kCircuitUnset = -16384.0;

// How a circuit's flow is controlled; k >= kControlFirstPump means pump k - 2.
enum CircuitControl {
    kControlFlowRate = 0,
    kControlReynolds = 1,
    kControlFirstPump = 2,
};

// The coolants every set begins with, at these indices.
enum BuiltInCoolant {
    kCoolantWater = 0,
    kCoolantOil = 1,
    kCoolantGlycol = 2, // the one that takes a glycol concentration
    kBuiltInCoolantCount = 3,
};

struct MCoolingCircuit {
    int number = 0;
    std::string name;
    double inletTemperature = kCircuitUnset; // deg.C
    int coolant = kCoolantWater;
    double glycol = kCircuitUnset; // fraction
    int control = kControlFlowRate;
    double flowRate = kCircuitUnset; // m^3/s
    double reynolds = kCircuitUnset;

    bool operator==(const MCoolingCircuit&) const = default;
};

struct MCoolant {
    std::string name;
    double conductivity = kCircuitUnset;
    double specificHeat = kCircuitUnset;
    double density = kCircuitUnset;
    double viscosity = kCircuitUnset;

    bool operator==(const MCoolant&) const = default;
};

class MCoolingCircuits {
public:
    MCoolingCircuits();

    // Rebuilds the set from `keywordFile` (path), `boundaryFile` (path) and
    // the mold model: coolants, "moldprop.cmt" of the current directory,
    // pumps, circuits from the set's inlets or else from the mold's
    // circuits, then the keywords over them. Missing files contribute nothing.
    void Load(const std::string& keywordFile, const std::string& boundaryFile, const MModelAttributeStore& mold);
    // The same over files already read; `boundaryPath` is the set's path.
    void Load(const MKeywordFile& keywords, const std::string& boundaryPath, const MBoundaryConditionFile& boundary,
              const MModelAttributeStore& mold);

    // Writes the circuits and the user's coolants into the keyword file at
    // `path`. Without `byCircuit` no circuit names a flow control.
    bool Save(const std::string& path, bool byCircuit,
              wizsys::Durability durability = wizsys::Durability::kFlushed) const;
    void Save(MKeywordFile& file, bool byCircuit) const;

    // Every circuit has what the solver needs of it.
    bool IsComplete(bool byCircuit) const;

    // The index of the coolant named `name`, appended with unset properties
    // when there is none.
    int FindOrAddCoolant(const std::string& name);

    // The caption of control `k`: a flow rate with its unit, the minimum
    // Reynolds number, or the pump's shown name.
    std::string GetControlCaption(int control, UnitSystem system) const;
    int GetControlCount() const { return kControlFirstPump + static_cast<int>(m_pumps.size()); }

    std::vector<MCoolingCircuit>& GetCircuits() { return m_circuits; }
    const std::vector<MCoolingCircuit>& GetCircuits() const { return m_circuits; }
    const std::vector<MCoolant>& GetCoolants() const { return m_coolants; }
    const std::vector<std::string>& GetPumps() const { return m_pumps; }
    // The keyword file held circuit settings.
    bool AreParametersDefined() const { return m_bParametersDefined; }
    // The keyword file was made for other boundary conditions and another mold model.
    bool IsNewMoldModel() const { return m_bNewMoldModel; }

    bool operator==(const MCoolingCircuits&) const = default;

private:
    void Clear();
    void AddBuiltInCoolants();
    void ReadCoolantPropertyFile(const std::string& path);
    void AddCircuitsFromMold(const MBoundaryConditionFile& boundary, const MModelAttributeStore& mold);
    void ApplyCircuitKeywords(const MKeywordFile& keywords);
    void ApplyCoolantKeywords(const MKeywordFile& keywords);

    std::vector<MCoolingCircuit> m_circuits;
    std::vector<MCoolant> m_coolants;
    std::vector<std::string> m_pumps;
    bool m_bParametersDefined = false;
    bool m_bNewMoldModel = false;
};
