// The attribute text reader on arbitrary bytes: the input is split at the
// first NUL into the ".ain" and the ".ata" text.
#include "model/ModelAttributeStore.h"
#include "platform/agents/UiLog.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    const std::string_view ain = bytes.substr(0, split);
    const std::string_view ata = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);
    ClearUiLog(); // the message boxes of bad files would pile up
    MModelAttributeStore store;
    store.ReadText(ain, ata);
    store.HasMoldBoundary();
    store.HasInsertData();
    std::vector<std::pair<int, int>> pairs;
    store.GetCircuitPairs(pairs);
    for (int c = 0; c < kAttributeCategoryCount; ++c) {
        std::vector<std::string> names;
        store.GetNames(c, names);
        for (const std::string& name : names)
            store.GetName(c, store.GetNumber(c, name));
    }
    return 0;
}
