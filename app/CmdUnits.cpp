// wizhost units ... and wizhost range ...: the unit table, conversions and
// labels, and range texts with their captions, for scripts and for checking a
// deck's values by hand.
#include "app/Command.h"
#include "app/UnitsOption.h"
#include "keyword/ValueRange.h"
#include "platform/system/WinApp.h"
#include "units/Units.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <optional>

using namespace wizhost;

namespace {

bool ParseQuantity(const std::string& text, UnitQuantity& quantity, std::string& error)
{
    long value = 0;
    // Indices outside 0..54 are legal (they pass through); only non-numbers and
    // numbers no UnitQuantity can hold are refused.
    if (!ParseInt(text, value)) {
        error = "quantity '" + text + "' is not a whole number";
        return false;
    }
    if (value < INT_MIN || value > INT_MAX) {
        error = "quantity '" + text + "' is out of range";
        return false;
    }
    quantity = static_cast<UnitQuantity>(value);
    return true;
}

bool ParseSystem(const std::string& text, UnitSystem& system, std::string& error)
{
    if (ParseUnitSystem(text, system))
        return true;
    error = "unit system '" + text + "' is not a whole number, si, metric or english";
    return false;
}

bool ParseValue(const std::string& text, double& value, std::string& error)
{
    if (ParseDouble(text, value))
        return true;
    error = "value '" + text + "' is not a finite number";
    return false;
}

// Commands that have no SYSTEM argument use the one the user chose; the
// application object is made here when wizhost has none yet.
class AppScope {
public:
    AppScope()
    {
        m_app = AfxGetApp();
        if (!m_app)
            m_app = &m_own.emplace();
    }
    CWinApp& App() { return *m_app; }

private:
    std::optional<CWinApp> m_own;
    CWinApp* m_app = nullptr;
};

// One line, like every other error: the full usage is one --help away.
int Usage(const WizCommand& command, const std::string& problem)
{
    return Fail(problem + " (see wizhost " + command.name + " --help)");
}

void PrintTable(UnitSystem system)
{
    for (UnitQuantity q = 0; q < kUnitQuantityCount; ++q) {
        char label[kUnitLabelSize] = "";
        GetUnitLabel(q, system, label);
        std::printf("%d\t%s\t%s\t", q, GetUnitQuantityName(q), label);
        double f = 0, g = 0;
        if (GetUnitFactors(q, system, &f, &g))
            std::printf("%.17g\t%.17g\n", f, g);
        else if (q == 2)
            std::printf("x*1.8+32\t(x-32)*0.5555555555555556\n");
        else
            std::printf("x*180/pi\tx*pi/180\n");
    }
}

extern const WizCommand g_unitsCommand;

int RunUnits(const Args& given)
{
    const WizCommand& self = g_unitsCommand;
    if (WantsHelp(given))
        return PrintUsage(self);
    Args args = given;
    AppScope scope;
    std::string error;
    if (!ApplyUnitsOption(args, scope.App(), error))
        return Fail(error);
    if (args.empty())
        return Usage(self, "units needs a command");
    const std::string& cmd = args[0];

    if (cmd == "from-si" || cmd == "to-si") {
        if (args.size() != 4)
            return Usage(self, "units " + cmd + " needs QUANTITY SYSTEM VALUE");
        UnitQuantity q = 0;
        UnitSystem s = 0;
        double value = 0;
        if (!ParseQuantity(args[1], q, error) || !ParseSystem(args[2], s, error) || !ParseValue(args[3], value, error))
            return Fail(error);
        double result = 0;
        if (cmd == "from-si")
            ConvertFromSI(q, s, value, &result);
        else
            ConvertToSI(q, s, value, &result);
        if (!std::isfinite(result))
            return Fail("converting " + args[3] + " overflows");
        std::printf("%.17g\n", result);
        return kExitOk;
    }
    if (cmd == "label") {
        if (args.size() != 3)
            return Usage(self, "units label needs QUANTITY SYSTEM");
        UnitQuantity q = 0;
        UnitSystem s = 0;
        if (!ParseQuantity(args[1], q, error) || !ParseSystem(args[2], s, error))
            return Fail(error);
        char label[kUnitLabelSize];
        if (!GetUnitLabel(q, s, label))
            return kExitNo;
        std::printf("%s\n", label);
        return kExitOk;
    }
    if (cmd == "table") {
        if (args.size() > 2)
            return Usage(self, "units table takes at most SYSTEM");
        UnitSystem s = scope.App().GetUnitSystem();
        if (args.size() == 2 && !ParseSystem(args[1], s, error))
            return Fail(error);
        PrintTable(s);
        return kExitOk;
    }
    if (cmd == "system") {
        if (args.size() != 1)
            return Usage(self, "units system takes no arguments");
        std::printf("%s\n", UnitSystemName(GetUnitSystem()));
        return kExitOk;
    }
    return Usage(self, "unknown units command '" + cmd + "'");
}

const WizCommand g_unitsCommand(
    "units",
    "wizhost units from-si QUANTITY SYSTEM VALUE   a value in SI shown in SYSTEM (\"%.17g\")\n"
    "wizhost units to-si QUANTITY SYSTEM VALUE     a value typed in SYSTEM, in SI\n"
    "wizhost units label QUANTITY SYSTEM           the unit label (exit 1 outside the table)\n"
    "wizhost units table [SYSTEM]                  index, quantity, label, f and g of every row\n"
    "wizhost units system                          the unit system in use\n"
    "  QUANTITY is 0..54; SYSTEM is si, metric, english or a signed whole number (by sign).\n"
    "  --units si|metric|english, or [Units] System= in $WIZ_SETTINGS\n"
    "  (default ~/.config/wizhost/settings.ini), picks the system in use; metric otherwise.\n",
    RunUnits);

extern const WizCommand g_rangeCommand;

int RunRange(const Args& given)
{
    const WizCommand& self = g_rangeCommand;
    if (WantsHelp(given))
        return PrintUsage(self);
    const Args& args = given;
    if (args.empty())
        return Usage(self, "range needs a command");
    const std::string& cmd = args[0];
    std::string error;

    if (cmd == "show") {
        if (args.size() != 2)
            return Usage(self, "range show needs TEXT");
        std::printf("%s\n", CValueRange::Parse(args[1]).ToText().c_str());
        return kExitOk;
    }
    if (cmd == "check") {
        if (args.size() != 3)
            return Usage(self, "range check needs TEXT VALUE");
        double value = 0;
        if (!ParseValue(args[2], value, error))
            return Fail(error);
        const bool in = CValueRange::Parse(args[1]).Contains(value);
        std::printf("%s\n", in ? "in" : "out");
        return in ? kExitOk : kExitNo;
    }
    if (cmd == "caption") {
        if (args.size() != 4)
            return Usage(self, "range caption needs TEXT QUANTITY SYSTEM");
        UnitQuantity q = 0;
        UnitSystem s = 0;
        if (!ParseQuantity(args[2], q, error) || !ParseSystem(args[3], s, error))
            return Fail(error);
        std::printf("%s\n", GetRangeCaption(CValueRange::Parse(args[1]), q, s).c_str());
        return kExitOk;
    }
    return Usage(self, "unknown range command '" + cmd + "'");
}

const WizCommand g_rangeCommand(
    "range",
    "wizhost range show TEXT                       the range as the wizards show it (\"\" for none)\n"
    "wizhost range check TEXT VALUE                prints in (exit 0) or out (exit 1)\n"
    "wizhost range caption TEXT QUANTITY SYSTEM    the caption: range in display units and the label\n",
    RunRange);

} // namespace
