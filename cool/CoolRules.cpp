#include "cool/CoolRules.h"

#include <cctype>

std::string WithDefaultExtension(const std::string& name, const std::string& extension)
{
    if (name.empty() || name.find('.') != std::string::npos)
        return name;
    return name + extension;
}

std::string JournalFileFor(const std::string& moldModelFile)
{
    const std::size_t dot = moldModelFile.rfind('.');
    return dot == std::string::npos ? moldModelFile : moldModelFile.substr(0, dot);
}

std::string ShownName(const std::string& stored)
{
    std::string shown;
    shown.reserve(stored.size() + 2);
    bool upperNext = true;
    for (const char c : stored) {
        const unsigned char lower = static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == '_') {
            shown += ' ';
            upperNext = true;
        } else if (std::isalpha(lower)) {
            shown += upperNext ? static_cast<char>(std::toupper(lower)) : static_cast<char>(lower);
            upperNext = false;
        } else {
            // Digits and other marks leave a pending capital for the next letter.
            shown += static_cast<char>(lower);
        }
    }
    // Pumps are numbered after a blank; other names get one before their
    // first digit so that "Circuit12" reads "Circuit 12".
    if (const std::size_t pump = shown.find("Pump"); pump != std::string::npos) {
        shown.insert(pump + 4, " ");
    } else if (shown.size() >= 2 && !std::isdigit(static_cast<unsigned char>(shown[0]))) {
        for (std::size_t i = 1; i < shown.size(); ++i) {
            if (std::isdigit(static_cast<unsigned char>(shown[i]))) {
                shown.insert(i, " ");
                break;
            }
        }
    }
    return shown;
}
