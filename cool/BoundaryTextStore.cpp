#include "cool/BoundaryTextStore.h"

#include <algorithm>
#include <cstring>

std::string_view CBoundaryTextStore::Adopt(std::string&& bytes)
{
    // A moved std::string keeps its heap buffer, so views taken now stay valid
    // while m_buffers grows; short strings are copied into a block instead.
    if (bytes.size() < 64)
        return Keep(bytes);
    m_buffers.push_back(std::move(bytes));
    return m_buffers.back();
}

std::string_view CBoundaryTextStore::Keep(std::string_view text)
{
    if (text.empty())
        return {};
    if (m_blocks.empty() || m_blockSize - m_blockUsed < text.size()) {
        m_blockSize = std::max<std::size_t>(64 * 1024, text.size());
        m_blocks.push_back(std::make_unique<char[]>(m_blockSize));
        m_blockUsed = 0;
    }
    char* at = m_blocks.back().get() + m_blockUsed;
    std::memcpy(at, text.data(), text.size());
    m_blockUsed += text.size();
    return std::string_view(at, text.size());
}

void CBoundaryTextStore::Clear()
{
    m_buffers.clear();
    m_blocks.clear();
    m_blockUsed = 0;
    m_blockSize = 0;
}
