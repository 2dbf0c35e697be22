#pragma once
// The outcome of anything that reads or writes what a person gave it (a file,
// an argument, a project): success, or a failure with the one line that
// person reads. Programming errors are assertions, never a CResult.
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

class [[nodiscard]] CResult {
public:
    CResult() = default; // success

    static CResult Ok() { return CResult(); }
    static CResult Fail(std::string message) { return CResult(std::move(message)); }
    // "what: <the system's text for err>", e.g. "plate.kwd: No space left on device".
    static CResult FromErrno(std::string_view what, int err = errno)
    {
        std::string message(what);
        message += ": ";
        message += std::strerror(err);
        return CResult(std::move(message));
    }

    bool IsOk() const { return !m_failed; }
    explicit operator bool() const { return !m_failed; }
    // Empty on success.
    const std::string& GetMessage() const { return m_message; }

private:
    explicit CResult(std::string message) : m_message(std::move(message)), m_failed(true) {}

    std::string m_message;
    bool m_failed = false;
};
