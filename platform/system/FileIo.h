#pragma once
// The file layer every reader and writer of the library goes through.
//
// Writes replace a file whole: the bytes go to "<target>.tmp<pid>" beside the
// target, are flushed to disk, and the temporary file is renamed over the
// target, so a reader (or a crash) sees the old file or the new one, never a
// mix. Reads refuse anything but regular files, so a FIFO or a device given
// as an input fails at once instead of blocking.
//
// The system calls that can lose data (opens for writing, write, fsync,
// rename) pass through one seam. When the environment variable WIZ_FAULT_AT
// holds N, the Nth of those calls in the process fails (write with ENOSPC,
// the others with EIO); tests run each writing command for every N to prove that a failure
// anywhere is reported and leaves the files as they were. WIZ_FAULT_MARK
// names a file that is created when the fault is injected.
#include "platform/system/Result.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace wizsys {

// The seam. Same contracts as the system calls, EINTR retried in Write.
int Open(const char* path, int flags, mode_t mode = 0);
ssize_t Write(int fd, const void* data, std::size_t size);
int Fsync(int fd);
int Rename(const char* from, const char* to);

// Opens a regular file for reading into `fd`; refuses directories, FIFOs,
// sockets and devices without blocking on them.
CResult OpenForReading(const std::string& path, int& fd);
// The whole of a regular file.
CResult ReadWholeFile(const std::string& path, std::string& bytes);

// The path a write of `target` replaces: symbolic links resolved, so the file
// a link points to is replaced and the link stays. Refuses a target that
// exists and is not a regular file, or whose owner-write bit is clear.
// `st` receives what the system knows of the file replaced (all zero when
// there is none yet).
CResult ResolveWriteTarget(const std::string& target, std::string& resolved, struct stat& st);

// The temporary name a writer of `target` uses; stale ones carry the pid of
// a process that is gone (see RemoveStaleTemporaries).
std::string TemporaryNameFor(const std::string& target);

// What a write promises beyond "the old file or the new one, never a mix".
enum class Durability {
    // Flushed to disk before the rename: the new file survives a crash of
    // the system. Everything the user keeps is written so.
    kFlushed,
    // Not flushed: a process's private working copy that is deleted when
    // the process is done with it and that nothing reads after a crash. The
    // flush is most of a small write's cost. An empty scratch file (the name
    // just claimed for it) is written in place, since there is nothing in it
    // to keep: a failed write empties it again.
    kScratch,
};

// Writes a file through a temporary file and a rename. Nothing the target
// holds changes before Commit succeeds; destroying an uncommitted writer
// removes its temporary file.
class CReplacingWriter {
public:
    CReplacingWriter() = default;
    ~CReplacingWriter();
    CReplacingWriter(const CReplacingWriter&) = delete;
    CReplacingWriter& operator=(const CReplacingWriter&) = delete;

    CResult Open(const std::string& target, Durability durability = Durability::kFlushed);
    // Every byte, or the first failure (which later calls repeat).
    CResult Write(std::string_view bytes);
    // Flushes to disk (not a scratch file), gives the new file the old one's
    // permissions (or the umask's for a new file) and renames it over the
    // target; an empty scratch file written in place is only closed.
    CResult Commit();
    // Drops the temporary file; the target stays as it was.
    void Abandon();
    bool IsOpen() const { return m_fd >= 0; }

private:
    CResult Failed(int err);

    std::string m_target;   // as given, for messages
    std::string m_resolved; // what the rename replaces
    std::string m_temp;     // "" when writing in place
    int m_fd = -1;
    bool m_existed = false;
    bool m_inPlace = false;
    Durability m_durability = Durability::kFlushed;
    mode_t m_mode = 0;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    CResult m_error;
};

// Replaces `target` with `bytes`.
CResult WriteWholeFile(const std::string& target, std::string_view bytes,
                       Durability durability = Durability::kFlushed);
// Replaces `target` with a copy of the regular file `source`.
CResult CopyFileReplacing(const std::string& source, const std::string& target);

// Removes, in `folder`, temporary files named as TemporaryNameFor names them
// whose writing process no longer runs. Callers hold a lock that keeps other
// writers of those targets out. Returns how many were removed.
int RemoveStaleTemporaries(const std::string& folder);

} // namespace wizsys
