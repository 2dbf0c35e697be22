// Boundary-condition reader and writer on arbitrary bytes: loading must not
// crash, every query must answer, and what is written must read back to the
// same text.
#include "cool/BoundaryConditionFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MBoundaryConditionFile bc;
    bc.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<int> groups;
    bc.GetValveGateGroups(groups);
    bc.GetGasValveGateGroups(groups);
    bc.GetWellValveGateGroups(groups);
    bc.GetGasInjectionGroups(groups);
    bc.GetSwitchOverNode();
    std::string name;
    for (int i = -1; i <= bc.GetInletCount(); ++i)
        bc.GetInletName(i, name);
    double k, cp, rho, mu, v;
    for (int i = 0; i < bc.GetCoolantDefinitionCount(); ++i)
        bc.GetCoolantDefinition(i, name, k, cp, rho, mu);
    for (int i = 0; i < bc.GetPumpCount(); ++i)
        bc.GetPumpName(i, name);
    if (const MBoundarySection* coolant = bc.FindSection("ELEMENTAL", "COOLANT"))
        for (const MBoundaryRow& row : coolant->GetRows()) {
            bc.GetCircuitCoolant(row.m_first, name);
            bc.GetCircuitInletTemperature(row.m_first, v);
            bc.GetCircuitFlowRate(row.m_first, v);
            bc.GetCircuitReynolds(row.m_first, v);
        }
    if (size > 4) {
        int element;
        std::memcpy(&element, data, sizeof element);
        bc.SetMoldMaterial(element, 101);
        bc.SetMoldMaterial(element, 102);
    }
    // Saving normalises once (an empty later section giving up its slot, a
    // header rebuilt past the 255 characters read as one line); from then on
    // reading and saving again must change nothing.
    MBoundaryConditionFile second;
    second.LoadText(bc.ToText());
    const std::string normal = second.ToText();
    for (std::size_t start = 0, lf; start < normal.size(); start = lf + 1) {
        lf = normal.find('\n', start);
        if (lf - start > 255)
            return 0;
    }
    MBoundaryConditionFile third;
    third.LoadText(normal);
    if (third.ToText() != normal)
        std::abort();
    return 0;
}
