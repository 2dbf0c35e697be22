// Feeds arbitrary text to the resource-script parser: it must report errors,
// never crash, hang or read out of bounds.
#include "platform/resources/ResourceScript.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CResourceSet set;
    std::vector<CResourceError> errors;
    CResourceParseOptions options;
    // Includes read a small fixed header, or fail for odd-length names, so
    // both paths are covered without the input multiplying itself.
    options.loader = [](const std::string& name, const std::string&, std::string& resolved, std::string& contents) {
        resolved = name;
        contents = "#define FUZZ_ID 7\n#include \"" + name + "\"\n";
        return name.size() % 2 == 0;
    };
    ParseResourceScript(text, "fuzz.rc", set, errors, options);
    for (const CResourceError& e : errors)
        (void)e.ToString();
    return 0;
}
