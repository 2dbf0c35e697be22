// The binary model reader on arbitrary bytes: damaged headers, directories
// pointing anywhere and absurd counts must all end in a store that answers.
#include "model/ModelAttributeStore.h"
#include "platform/agents/UiLog.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ClearUiLog(); // the message boxes of bad files would pile up
    MModelAttributeStore store;
    store.ReadBinary(std::string_view(reinterpret_cast<const char*>(data), size));
    store.HasMoldBoundary();
    store.HasInsertData();
    std::vector<std::pair<int, int>> pairs;
    store.GetCircuitPairs(pairs);
    return 0;
}
