#pragma once
// CTextFile: the library's buffered text file. Text mode is emulated so that
// files at DOS locations carry CR LF on disk while files served by UNIX job
// servers carry bare LF; IsDosLocation decides which, when the file is opened.
#include <stdexcept>
#include <string>
#include <string_view>

// The platform's file error: the system's cause code (errno) and the path.
class CFileException : public std::runtime_error {
public:
    CFileException(int cause, const std::string& fileName);
    int m_cause;
    std::string m_strFileName;
};

class CTextFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000, // with modeWrite: create or truncate
        typeBinary = 0x8000, // force bare LF whatever the location
    };

    // Opens at once; throws CFileException when the open fails. A write open of
    // an existing file without owner write permission fails with EACCES, even
    // for a privileged user, because that bit is what "read-only" means here.
    CTextFile(const std::string& path, unsigned flags);
    ~CTextFile();
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    // Next line without its line end (CR LF in text mode, LF otherwise);
    // false at end of file or after a read error.
    bool ReadString(std::string& line);
    // The rest of the file with no line-end translation at all (fast path for
    // parsers that accept both line ends). False after a read error; `bytes`
    // then holds what was read.
    bool ReadBytes(std::string& bytes);
    // Up to `size` raw bytes (no line-end translation) into `data`; 0 at end of
    // file or after a read error (HasFailed then tells which).
    std::size_t ReadBlock(char* data, std::size_t size);
    // The file's size in bytes, or -1 when the system cannot tell.
    long long GetLength() const;
    // Writes text; in text mode every LF goes to disk as CR LF.
    void WriteString(std::string_view text);
    // Writes bytes untranslated (for callers that produced the line ends themselves).
    void WriteBytes(std::string_view bytes);

    // Flushes and closes; false when any write (or the close) failed.
    bool Close();

    bool IsTextMode() const { return m_textMode; }
    bool HasFailed() const { return m_failed; }
    const std::string& GetFilePath() const { return m_path; }
    // The line end this file writes: "\r\n" in text mode, "\n" otherwise.
    const char* LineEnd() const { return m_textMode ? "\r\n" : "\n"; }

private:
    bool Fill();
    void Flush();
    // Writes every byte, retrying short and interrupted writes; sets m_failed on error.
    void WriteAll(const char* data, std::size_t size);
    void Put(const char* data, std::size_t size);

    std::string m_path;
    int m_fd = -1;
    bool m_writing = false;
    bool m_textMode = true;
    bool m_failed = false;
    bool m_eof = false;
    std::string m_buffer;
    std::size_t m_pos = 0; // read position in m_buffer
};
