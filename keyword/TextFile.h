#pragma once
// CTextFile: the library's buffered text file. Text mode is emulated so that
// files at DOS locations carry CR LF on disk while files served by UNIX job
// servers carry bare LF; IsDosLocation decides which, when the file is opened.
// A file opened for writing replaces its target only when Close succeeds.
#include "platform/system/FileIo.h"
#include "platform/system/Result.h"

#include <string>
#include <string_view>

class CTextFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000, // with modeWrite: create or truncate
        modeScratch = 0x4000, // with modeWrite: a private working copy, not flushed to disk
        typeBinary = 0x8000,  // force bare LF whatever the location
    };

    CTextFile() = default;
    // Opens for reading (a regular file only: a FIFO or device is refused at
    // once) or for writing (the target itself is replaced by Close). A write
    // of an existing file without owner write permission, or of anything but
    // a regular file, is refused even for a privileged user.
    CResult Open(const std::string& path, unsigned flags);
    // An unclosed writer leaves the target as it was.
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

    // Reading: closes. Writing: flushes, then replaces the target with what
    // was written; the first failure of any write, with its cause, otherwise.
    CResult Close();

    bool IsTextMode() const { return m_textMode; }
    bool HasFailed() const { return m_failed; }
    bool IsOpen() const { return m_fd >= 0 || m_writer.IsOpen(); }
    const std::string& GetFilePath() const { return m_path; }
    // The line end this file writes: "\r\n" in text mode, "\n" otherwise.
    const char* LineEnd() const { return m_textMode ? "\r\n" : "\n"; }

private:
    bool Fill();
    void Flush();
    // Writes every byte; sets m_failed and keeps the cause on error.
    void WriteAll(const char* data, std::size_t size);
    void Put(const char* data, std::size_t size);

    std::string m_path;
    int m_fd = -1;                // reading
    wizsys::CReplacingWriter m_writer; // writing
    CResult m_writeError;
    bool m_writing = false;
    bool m_textMode = true;
    bool m_failed = false;
    bool m_eof = false;
    std::string m_buffer;
    std::size_t m_pos = 0; // read position in m_buffer
};
