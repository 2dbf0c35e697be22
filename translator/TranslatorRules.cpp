#include "translator/TranslatorRules.h"

#include "host/CadUnits.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

const char* GetMeshInputFileType(int cadType)
{
    switch (cadType) {
    case 2: return "STEREOLITHOGRAPHY";
    case 3: return "ANSYS_PREP_7";
    case 4: return "QUVEX";
    case 5: return "IGES";
    case 6: return "NASTRAN";
    case 7: return "PATRAN_NEUTRAL";
    case 8: return "NASTRAN_BULK_DATA_FORMAT";
    case 9:
    case 10: return "IDEAS_UNIVERSAL";
    case 11: return "CAD_TO_TESSARIN";
    default: return "";
    }
}

bool CanDoTetMesh(int cadType)
{
    return cadType == 3 || cadType == 8 || cadType == 9 || cadType == 10;
}

bool IsSurfaceRemeshType(int cadType)
{
    return cadType == 2 || cadType == 11;
}

bool UseZQMESH3D(int cadType, int outputChoice)
{
    return IsSurfaceRemeshType(cadType) || outputChoice == kTranslatorTetrahedralMesh;
}

bool IsMDLOnlyType(int cadType)
{
    return cadType == 12 || cadType == 13;
}

int UnitsChoiceFromCADUnits(int cadUnits)
{
    switch (cadUnits) {
    case kUnitLengthUnknown: return -1;
    case kUnitLengthMillimeter: return 0;
    case kUnitLengthCentimeter: return 1;
    case kUnitLengthInch: return 3;
    default: return 2; // metres, and whatever else the host names
    }
}

std::string NormalizeLayerList(std::string_view text)
{
    std::vector<int> layers;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of(", ;", pos), text.size());
        const std::string token(text.substr(pos, end - pos));
        pos = end + 1;
        if (token.empty())
            continue;
        // Only plain decimal numbers are layers; "x" or "2a" is a typing slip
        // the user would rather lose than see turned into a layer 0 or 2.
        if (!std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        errno = 0;
        const long value = std::strtol(token.c_str(), nullptr, 10);
        if (errno == ERANGE || value > INT_MAX)
            continue;
        layers.push_back(static_cast<int>(value));
    }
    std::sort(layers.begin(), layers.end());
    layers.erase(std::unique(layers.begin(), layers.end()), layers.end());
    std::string result;
    for (int layer : layers) {
        if (!result.empty())
            result += ' ';
        result += std::to_string(layer);
    }
    return result;
}

bool SuggestNodalTolerance(std::string_view modelLength, std::string_view nodalTolerance, std::string& suggestion)
{
    if (!nodalTolerance.empty() || modelLength.empty())
        return false;
    // The length stays in the units it was typed in: the tolerance goes into
    // the edit next to it, which shows the same units.
    const double length = std::strtod(std::string(modelLength).c_str(), nullptr);
    char text[64];
    std::snprintf(text, sizeof text, "%g", length * 0.001);
    suggestion = text;
    return true;
}
