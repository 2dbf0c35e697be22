// The host's CAD readers on arbitrary bytes: the same input read as STL and
// as IGES must give an answer, never a crash or a runaway loop.
#include "host/CadUnits.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    float extents[3] = {0, 0, 0};
    MeasureStl(bytes, extents);
    MUnitLengthType units = kUnitLengthUnknown;
    MeasureIges(bytes, units, extents);
    return 0;
}
