// The keyword reader on arbitrary bytes: it must never crash, and what it
// writes must read back to the same keywords in the same order.
#include "keyword/KeywordFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MKeywordFile file;
    file.MergeText(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<std::string> keywords = file.GetKeywords();
    for (const std::string& k : keywords) {
        if (!file.HasKeyword(k))
            std::abort();
        (void)file.GetValue(k);
    }

    // Only a deck free of the renamed and unset forms is stable when read
    // again; the check is kept to those, which random input almost always is.
    const std::string text = file.ToText();
    MKeywordFile again;
    again.MergeText(text);
    bool plain = true;
    for (const std::string& k : keywords)
        if (k.rfind("3DFLOW_", 0) == 0 || k.empty() || k[0] == '#' || k[0] == '_'
            || file.GetRawValue(k).find_first_of("-\n\\") != std::string::npos)
            plain = false;
    if (plain && again.ToText() != text)
        std::abort();

    // Removing every other keyword keeps the rest reachable.
    for (std::size_t i = 0; i < keywords.size(); i += 2)
        file.RemoveKeyword(keywords[i]);
    for (std::size_t i = 1; i < keywords.size(); i += 2)
        if (!file.HasKeyword(keywords[i]))
            std::abort();
    return 0;
}
