#pragma once
// How wizhost picks the user's unit system, the setting the library reads
// through GetUnitSystem(). In order of precedence:
//   1. "--units si|metric|english" (or "--units=..."; a signed whole number also
//      works) anywhere among a command's arguments;
//   2. the settings file: section "Units", entry "System", same values;
//   3. metric.
// The settings file is $WIZ_SETTINGS, else ~/.config/wizhost/settings.ini; a
// missing file is no error.
#include "app/Command.h"
#include "units/Units.h"

#include <string>

class CWinApp;

namespace wizhost {

// Reads "si", "metric", "english" (any case) or a signed whole number (only
// its sign counts) into -1, 0 or 1; false for anything else.
bool ParseUnitSystem(const std::string& text, UnitSystem& system);
const char* UnitSystemName(UnitSystem system);

// The settings file wizhost uses.
std::string GetSettingsPath();

// Gives `app` the settings file (unless it has one already) and the unit
// system chosen as above, removing the option from `args`. False with a
// message in `error` for a bad or missing option value or a bad setting.
bool ApplyUnitsOption(Args& args, CWinApp& app, std::string& error);

} // namespace wizhost
