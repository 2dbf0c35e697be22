#pragma once
// What the cooling wizard decides from its inputs alone, without a window.
#include <string>

// `name` with `extension` (".zql") appended when it is not empty and has no "." at all.
std::string WithDefaultExtension(const std::string& name, const std::string& extension);
// The journal the 3D solver keeps for a mold model: the path without its
// extension (the text before the last "."), or the whole path without a ".".
std::string JournalFileFor(const std::string& moldModelFile);
// A stored name (of a circuit, coolant or pump) as the user sees it:
// "COOLANT2" shows as "Coolant 2", "MAIN_PUMP" as "Main Pump ".
std::string ShownName(const std::string& stored);
