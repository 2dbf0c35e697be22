#pragma once
// MKeywordFile: one solver keyword file in memory ("KEYWORD: value" lines).
#include "keyword/StoreMemory.h"
#include "platform/system/FileIo.h"
#include "platform/system/Result.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CTextFile;

// A stored value seen in place: a std::string_view that also turns into a
// std::string where one is wanted (`std::string v = file.GetRawValue(k);`).
class CValueView : public std::string_view {
public:
    constexpr CValueView() = default;
    constexpr CValueView(std::string_view view) : std::string_view(view) {}
    operator std::string() const { return std::string(data(), size()); }
};

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
    // names the cause. A scratch write (a wizard's working copy) is not
    // flushed to disk.
    CResult Write() const;
    CResult Write(const std::string& path, wizsys::Durability durability = wizsys::Durability::kFlushed) const;
    // The text Write would produce, with LF line ends.
    std::string ToText() const;

    // The value with every backslash and the character after it removed; "" when absent.
    std::string GetValue(std::string_view keyword) const;
    // The stored value as it is, continuation marks included; "" when absent.
    // The view stays valid until this keyword is set or removed, or the file
    // is loaded again.
    CValueView GetRawValue(std::string_view keyword) const;
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
    // visit(keyword, raw value) for every live keyword in slot order, without
    // copying either; the views are valid during the call.
    template <class Visit> void ForEachKeyword(Visit&& visit) const
    {
        for (std::size_t i = 0; i < m_slots.size(); ++i)
            if (m_slots[i].key)
                visit(KeywordAt(i), CValueView(ValueAt(i)));
    }
    // A raw value as GetValue gives it: every backslash and the character
    // after it removed.
    static std::string Unescape(std::string_view raw);
    std::size_t GetKeywordCount() const;

    // The formatting rule of SetDouble, on its own.
    static std::string FormatDouble(double value);

private:
    struct Index;
    // A keyword and its value lie back to back: either in the buffer of the
    // text they were read from (m_chunks, one allocation per read), or in a
    // block of their own (see OwnedBlock in the source) once a value
    // outgrows its place or the keyword was set rather than read.
    struct Slot {
        char* key;                 // nullptr once removed ("" is a keyword too)
        std::uint32_t keyLength;   // with kOwned set when `key` is an owned block
        std::uint32_t valueLength;
    };
    static constexpr std::uint32_t kOwned = 0x80000000u;
    static std::uint32_t KeyLength(const Slot& s) { return s.keyLength & ~kOwned; }
    std::string_view KeywordAt(std::size_t slot) const
    {
        return std::string_view(m_slots[slot].key, KeyLength(m_slots[slot]));
    }
    std::string_view ValueAt(std::size_t slot) const
    {
        const Slot& s = m_slots[slot];
        return std::string_view(s.key + KeyLength(s), s.valueLength);
    }
    // Reads `text`, keeping its keywords and values in `store` (from StoreMemory,
    // 16 bytes larger than the text, possibly the text itself), which it takes over.
    void Parse(std::string_view text, char* store);
    void AppendRead(char* key, std::size_t keyLength, std::size_t valueLength, std::uint64_t hash);
    bool StoreRenamed(std::string_view keyword, std::string_view value);
    void SetValueHashed(std::string_view keyword, std::uint64_t hash, std::string_view value);
    void AssignValue(std::size_t slot, std::string_view value);
    Slot NewOwnedSlot(std::string_view keyword, std::string_view value);
    void Release(Slot& slot);
    void RemoveSlot(std::size_t slot);
    void FreeAll();
    bool IsWritten(std::size_t slot) const;
    // With a file, the text is written to it block by block instead of kept.
    void AppendText(std::string& out, const char* lineEnd, CTextFile* file) const;

    std::vector<Slot, StoreMemory::Allocator<Slot>> m_slots;
    std::vector<char*> m_chunks;      // texts read, from StoreMemory
    bool m_ownsBlocks = false;        // whether any slot may own its block
    Index* m_index;                   // keyword -> slot
    std::string m_fileName;
};
