#pragma once
// MKeywordFile: one solver keyword file in memory ("KEYWORD: value" lines).
#include "platform/system/Result.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CTextFile;

class MKeywordFile {
public:
    MKeywordFile();
    ~MKeywordFile();
    MKeywordFile(const MKeywordFile&) = delete;
    MKeywordFile& operator=(const MKeywordFile&) = delete;

    // Empties the file, merges `path`, and remembers `path` even when it could not be read.
    // Callers to whom a missing file means "no settings" may ignore the result.
    CResult Load(const std::string& path);
    // Reads `path` into the current content; keywords already present keep their slot.
    // Changes nothing when the file is not readable (then fails with the cause);
    // after a read error what was read so far stays.
    CResult Merge(const std::string& path);
    // Same reading rules over text already in memory (LF line ends; CR LF is taken as LF).
    void MergeText(std::string_view text);
    // Writes every non-empty slot whose keyword does not begin with "_", in slot order.
    // Without a path the remembered one is used. The file is replaced whole
    // (temporary file and rename): on failure it is as it was, and the result
    // names the cause.
    CResult Write() const;
    CResult Write(const std::string& path) const;
    // The text Write would produce, with LF line ends.
    std::string ToText() const;

    // The value with every backslash and the character after it removed; "" when absent.
    std::string GetValue(std::string_view keyword) const;
    // The stored value as it is, continuation marks included; "" when absent.
    const std::string& GetRawValue(std::string_view keyword) const;
    void SetValue(std::string_view keyword, std::string_view value);
    // SetValue for text from outside (a person, a script): refuses what would
    // not read back the same from a file (CheckKeyword, CheckValue).
    CResult SetCheckedValue(std::string_view keyword, std::string_view value);
    // A keyword that is empty, starts with '#' or holds ':' or a line break.
    static CResult CheckKeyword(std::string_view keyword);
    // A value with blanks at either end, ending in a backslash, or with a line
    // break that does not continue a list ("\\\n").
    static CResult CheckValue(std::string_view value);
    // "%G" with the exponent's leading zeros removed ("1.5E-5").
    void SetDouble(std::string_view keyword, double value);
    bool RemoveKeyword(std::string_view keyword);
    bool HasKeyword(std::string_view keyword) const;
    void RemoveKeywordsWithPrefix(std::string_view prefix);
    void KeepKeywordsWithPrefix(std::string_view prefix);
    // Sets `keyword` to other.GetValue(keyword) ("" when the other file lacks it).
    void CopyKeyword(std::string_view keyword, const MKeywordFile& other);

    const std::string& GetFileName() const { return m_fileName; }

    // Live keywords in slot order (for listing and tools).
    std::vector<std::string> GetKeywords() const;
    std::size_t GetKeywordCount() const;

    // The formatting rule of SetDouble, on its own.
    static std::string FormatDouble(double value);

private:
    struct Index;
    struct Slot {
        std::size_t keyOffset;   // in m_keyText
        std::uint32_t keyLength;
        bool live;               // false once removed ("" is a keyword too)
    };
    std::string_view KeywordAt(std::size_t slot) const
    {
        return std::string_view(m_keyText.data() + m_slots[slot].keyOffset, m_slots[slot].keyLength);
    }
    class TextLines;
    class FileLines;
    template <class Lines>
    void Parse(Lines& lines, std::size_t expectedBytes);
    void StoreRead(std::string_view keyword, std::uint64_t hash, std::string_view value);
    void SetValueHashed(std::string_view keyword, std::uint64_t hash, std::string_view value);
    bool IsWritten(std::size_t slot) const;
    // With a file, the text is written to it block by block instead of kept.
    void AppendText(std::string& out, const char* lineEnd, CTextFile* file) const;

    std::vector<std::string> m_lines; // slot -> value
    std::vector<Slot> m_slots;        // slot -> keyword
    // Keywords back to back: a deck of a million keywords then costs one
    // growing buffer instead of a million small allocations.
    std::string m_keyText;
    Index* m_index;                   // keyword -> slot
    std::string m_fileName;
};
