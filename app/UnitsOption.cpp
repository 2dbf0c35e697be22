#include "app/UnitsOption.h"

#include "platform/system/WinApp.h"

#include <cctype>
#include <cstdlib>

namespace wizhost {

bool ParseUnitSystem(const std::string& text, UnitSystem& system)
{
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "si") {
        system = kUnitsSI;
        return true;
    }
    if (lower == "metric") {
        system = kUnitsMetric;
        return true;
    }
    if (lower == "english") {
        system = kUnitsEnglish;
        return true;
    }
    // Only the sign matters, so any whole number that strtol can hold is fine.
    long value = 0;
    if (!ParseInt(text, value))
        return false;
    system = value < 0 ? kUnitsSI : value > 0 ? kUnitsEnglish : kUnitsMetric;
    return true;
}

const char* UnitSystemName(UnitSystem system)
{
    return system < 0 ? "si" : system == 0 ? "metric" : "english";
}

std::string GetSettingsPath()
{
    if (const char* path = std::getenv("WIZ_SETTINGS"); path && *path)
        return path;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/wizhost/settings.ini";
}

bool ApplyUnitsOption(Args& args, CWinApp& app, std::string& error)
{
    if (app.GetProfileFile().empty())
        app.SetProfileFile(GetSettingsPath());

    UnitSystem system = kUnitsMetric;
    const std::string setting = app.GetProfileString("Units", "System");
    if (!setting.empty() && !ParseUnitSystem(setting, system)) {
        error = "bad unit system '" + setting + "' in " + app.GetProfileFile() +
                " [Units] System (use si, metric or english)";
        return false;
    }

    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        size_t used = 0;
        if (args[i] == "--units") {
            if (i + 1 >= args.size()) {
                error = "--units needs a value: si, metric or english";
                return false;
            }
            value = args[i + 1];
            used = 2;
        } else if (args[i].rfind("--units=", 0) == 0) {
            value = args[i].substr(8);
            used = 1;
        } else {
            continue;
        }
        if (!ParseUnitSystem(value, system)) {
            error = "bad unit system '" + value + "' (use si, metric or english)";
            return false;
        }
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i + used));
        --i;
    }
    app.SetUnitSystem(system);
    return true;
}

} // namespace wizhost
