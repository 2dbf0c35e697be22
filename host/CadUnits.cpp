#include "host/CadUnits.h"

#include "host/CadBox.h"
#include "host/IgesModel.h"
#include "host/IgesReader.h"
#include "host/StlReader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

bool ReadWholeFile(const char* path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

} // namespace

bool MeasureStl(const std::string& bytes, float extents[3])
{
    cad::CBox box;
    cad::ReadStl(bytes, box);
    if (box.Empty())
        return false;
    box.Extents(extents, 1.0);
    return true;
}

bool MeasureIges(const std::string& text, MUnitLengthType& units, float extents[3])
{
    const cad::CIgesSections sections = cad::SplitIgesSections(text);
    const cad::CIgesGlobal global = cad::ReadIgesGlobal(sections.global);
    units = global.units;
    cad::CBox box;
    cad::MeasureIgesShape(sections, global, box);
    if (box.Empty())
        return false;
    box.Extents(extents, global.scale);
    return true;
}

MUnitLengthType HostGetCADUnits(const char* path, int cadType, float extents[3])
{
    if (path == nullptr || extents == nullptr || (cadType != kCadTypeStl && cadType != kCadTypeIges))
        return kUnitLengthUnknown;
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return kUnitLengthUnknown;
    float measured[3] = {0, 0, 0};
    if (cadType == kCadTypeStl) {
        if (MeasureStl(bytes, measured))
            std::copy(measured, measured + 3, extents);
        return kUnitLengthUnknown;
    }
    MUnitLengthType units = kUnitLengthUnknown;
    MeasureIges(bytes, units, measured);
    if (units == kUnitLengthUnknown)
        return units;
    // A file with units but no measurable geometry still answers its units;
    // the size then reads as zero rather than as whatever the caller held.
    std::copy(measured, measured + 3, extents);
    return units;
}
