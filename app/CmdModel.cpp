// wizhost model ...: what the wizards learn from a model's attribute data
// (binary ".m3r"/".m3i" files or ".ain"/".ata" pairs).
#include "app/Command.h"
#include "model/ModelAttributeStore.h"
#include "platform/agents/UiLog.h"

#include <cstdio>

using namespace wizhost;

namespace {

extern const WizCommand g_modelCommand;

int Usage(const std::string& problem)
{
    return Fail(problem + " (see wizhost model --help)");
}

// Loads the store. The message boxes the readers show have nobody to see
// them: on failure their text becomes the error, otherwise they are printed
// as warnings.
CResult LoadReportingMessages(MModelAttributeStore& store, const std::string& path)
{
    const std::size_t logged = GetUiLog().size();
    CResult result = store.Load(path);
    std::string messages;
    const auto& log = GetUiLog();
    for (std::size_t i = logged; i < log.size(); ++i)
        if (log[i].kind == UiLogKind::MessageBox)
            messages += (messages.empty() ? "" : "; ") + log[i].caption + ": " + log[i].text;
    if (messages.empty())
        return result;
    if (!result)
        return CResult::Fail(result.GetMessage() + " (" + messages + ")");
    std::fprintf(stderr, "wizhost: %s: %s\n", path.c_str(), messages.c_str());
    return result;
}

int Show(const Args& args)
{
    if (args.size() != 2)
        return Usage("model show needs FILE");
    MModelAttributeStore store;
    if (CResult loaded = LoadReportingMessages(store, args[1]); !loaded)
        return ExitWith(loaded);
    std::printf("%-3s %-9s %8s  %s\n", "id", "category", "records", "names");
    for (int c = 0; c < kAttributeCategoryCount; ++c) {
        const MAttributeCategory& category = store.GetCategory(c);
        std::string names;
        for (const auto& [number, name] : category.m_names) {
            if (!names.empty())
                names += ", ";
            names += std::to_string(number);
            names += ' ';
            names += name;
        }
        std::printf("%-3d %-9s %8zu%s%s\n", c, category.m_name.c_str(), category.GetRecordCount(),
                    names.empty() ? "" : "  ", names.c_str());
    }
    if (!store.GetThickness().empty())
        std::printf("thickness pairs: %zu\n", store.GetThickness().size());
    for (const MAttributeWarning& w : store.GetWarnings())
        std::printf("warning %d on line %d\n", w.m_code, w.m_line);
    std::printf("has mold boundary: %s\n", store.HasMoldBoundary() ? "yes" : "no");
    std::vector<std::pair<int, int>> pairs;
    store.GetCircuitPairs(pairs);
    std::printf("circuit pairs: %zu\n", pairs.size());
    for (const auto& [circuit, element] : pairs)
        std::printf("  circuit %d: element %d\n", circuit, element);
    std::printf("has insert data: %s\n", store.HasInsertData() ? "yes" : "no");
    return kExitOk;
}

int Parts(const Args& args)
{
    if (args.size() != 2)
        return Usage("model parts needs FILE");
    MModelAttributeStore store;
    if (CResult loaded = LoadReportingMessages(store, args[1]); !loaded)
        return ExitWith(loaded);
    const auto& names = store.GetCategory(kCategoryParts).m_names;
    for (const auto& [number, name] : names)
        std::printf("%d\t%s\n", number, name.c_str());
    return names.empty() ? kExitNo : kExitOk;
}

int RunModel(const Args& args)
{
    if (WantsHelp(args))
        return PrintUsage(g_modelCommand);
    if (args.empty())
        return Usage("model needs a command");
    if (args[0] == "show")
        return Show(args);
    if (args[0] == "parts")
        return Parts(args);
    return Usage("unknown model command '" + args[0] + "'");
}

const WizCommand g_modelCommand(
    "model",
    "wizhost model show FILE                       categories with record counts and names, warnings, and the\n"
    "                                              mold-boundary, circuit and insert answers\n"
    "wizhost model parts FILE                      number and name of each part (exit 1 when there is none)\n"
    "  FILE is a binary .m3r/.m3i file, or any other name for the .ain/.ata pair of that base name.\n",
    RunModel);

} // namespace
