#pragma once
// A setting chosen among fixed tokens: the index is what a combo box or radio
// group shows, the token is what the keyword file holds.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct CChoiceField {
    int m_index = -1;
    std::vector<std::string> m_tokens;

    CChoiceField() = default;
    CChoiceField(std::initializer_list<const char*> tokens, int index = 0) : m_index(index)
    {
        m_tokens.reserve(tokens.size());
        for (const char* token : tokens)
            m_tokens.emplace_back(token);
    }

    int GetTokenCount() const { return static_cast<int>(m_tokens.size()); }

    // The token at the index; "" when the index lies outside the list.
    std::string GetToken() const
    {
        if (m_index < 0 || m_index >= GetTokenCount())
            return std::string();
        return m_tokens[static_cast<std::size_t>(m_index)];
    }

    // Index of the first token equal to `token` (case-sensitive), -1 when none is.
    void SetToken(std::string_view token)
    {
        m_index = -1;
        for (std::size_t i = 0; i < m_tokens.size(); ++i) {
            if (m_tokens[i] == token) {
                m_index = static_cast<int>(i);
                return;
            }
        }
    }
};
