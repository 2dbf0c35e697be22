#pragma once
// Storage for the row texts of one boundary-condition file. A file of a
// million rows is read into one buffer that the rows point into, and texts the
// program formats later are appended to blocks that never move, so rows hold
// plain views and loading allocates nothing per row.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CBoundaryTextStore {
public:
    // Keeps `bytes` for the life of the store and returns a view of them.
    std::string_view Adopt(std::string&& bytes);
    // Copies `text` into the store; the view stays valid until Clear.
    std::string_view Keep(std::string_view text);
    void Clear();

private:
    std::vector<std::string> m_buffers;              // adopted whole files
    std::vector<std::unique_ptr<char[]>> m_blocks;   // program-made texts
    std::size_t m_blockUsed = 0;
    std::size_t m_blockSize = 0;
};
