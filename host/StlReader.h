#pragma once
// The STL reader behind the host's CAD size: the corners of every triangle,
// from a binary or a text file.
#include "host/CadBox.h"

#include <string>

namespace cad {

// Adds every triangle corner `bytes` holds to `box`. Text is read as ASCII
// STL; anything else as binary, when it is long enough for the header and
// the triangle count.
void ReadStl(const std::string& bytes, CBox& box);

} // namespace cad
