#pragma once
// What the cooling wizard's Finish writes besides the bound keywords.
#include <string>

#include "platform/system/Result.h"

class CFilePath;

// The mold material every element of an automatic set gets (P-20 steel).
constexpr int kAutomaticMoldMaterial = 101;

// Makes the boundary-condition set of the automatic entry for `moldModel`:
// its element list (the model's path with ".ela") gives the mold elements
// (negative numbers), each of which gets material 101, and the set names the
// model. Saved under a new numbered name in the current directory, returned
// in `made`; `name` keeps the number taken, so that a later failure can give
// it back (ReleaseUniqueName). Fails, writing nothing and leaving the counter
// as it was, when the list cannot be read or the set cannot be written.
CResult MakeAutomaticBoundaryFile(const std::string& moldModel, std::string& made, CFilePath& name);
