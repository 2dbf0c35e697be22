#pragma once
// CFilePath: one path and the file operations the wizards need on it.
// CTempFile: a fresh temporary file that may delete itself.
// Both "\\" and "/" separate directories in a path; new joins use "/".
#include "platform/system/Result.h"

#include <string>
#include <string_view>

// The temporary directory: the first of TEMP, TMP and TMPDIR that is set and
// names an existing path, else "." (the current directory).
std::string GetTempDirectory();

// A new, empty file "zq<hex>.tmp" in the temporary directory, created so no
// other caller can get the same name; "" when no file could be made (errno
// then tells why).
std::string MakeTempName();

class CFilePath {
public:
    CFilePath() = default;
    explicit CFilePath(std::string path) : m_path(std::move(path)) {}
    virtual ~CFilePath();
    CFilePath(const CFilePath&) = default;
    CFilePath& operator=(const CFilePath&) = default;

    const std::string& GetPath() const { return m_path; }
    void SetPath(std::string path) { m_path = std::move(path); }

    bool Exists() const;
    // A directory: no owner write permission. A file: it cannot be opened for
    // writing. False when the path does not exist.
    bool IsReadOnly() const;
    // Sets or clears the owner write permission; false when the path is
    // missing or the change fails.
    bool SetReadOnly(bool readOnly);
    bool IsDirectory() const;

    // path = directory + "/" + path (no second separator when the directory ends with one).
    void PrependDirectory(const std::string& directory);
    // The path up to its last "." when that dot lies in the last path element.
    std::string WithoutExtension() const;
    // path = WithoutExtension() + extension (given with its dot, such as ".081").
    void ChangeExtension(const std::string& extension);
    // Whole-path and suffix comparisons, ignoring case.
    bool Equals(std::string_view text) const;
    bool EndsWith(std::string_view text) const;
    // Moves the file name into `directory`: with a separator in the path the
    // name after the last one is kept; without one the directory is put in
    // front. An empty directory keeps only the name.
    void ReplaceDirectory(const std::string& directory);
    // Keeps only the name after the last separator.
    void ReplaceDirectory();

    // File operations. Failures are ignored, as callers check the result on disk.
    virtual void Delete(bool clearReadOnly = false);
    // Renames the file and takes the new path, whether or not the rename worked.
    virtual void Rename(const std::string& newPath);
    // Copies `source` over this path (overwriting) and makes the copy writable.
    virtual void CopyFrom(const std::string& source);
    // Copies this file to `target`, or into it when it is a directory; the copy is writable.
    virtual void CopyTo(const std::string& target) const;
    // Moves this file to `target` or into it when it is a directory; an existing
    // file there is not replaced. This object keeps its path.
    virtual void MoveTo(const std::string& target) const;

    static std::string CurrentDirectory();

    // The numbered new name for `name` (".ext" removed, trailing digits cut,
    // lower case, then the first free counter value), with `extension`
    // appended when it is not empty. The counter is kept in "tessarin.ctr"
    // beside the name, or in the current directory with dropDirectory.
    // Fails, with the path set as far as it was chosen, when the counter file
    // cannot be read or written or its counter would pass the whole-number range.
    CResult MakeUniqueName(const std::string& name, const std::string& extension = "", bool dropDirectory = false);
    // Gives back the number the last successful MakeUniqueName took, when the
    // file it named was not made after all: the counter file returns to what
    // it held (or goes, when there was none), unless another caller has
    // advanced it since. Does nothing when no number is held.
    CResult ReleaseUniqueName();

    // The file name after the last separator, and the directory before it ("" when none).
    static std::string FileName(std::string_view path);
    static std::string Directory(std::string_view path);

protected:
    std::string m_path;

private:
    // The counter file the last MakeUniqueName advanced, what it held
    // before and what was written; an empty path: none.
    struct SReservation {
        std::string directory; // as given, with its separator; "" the current one
        std::string counterPath;
        bool hadCounter = false;
        std::string before;
        std::string written;
    };
    SReservation m_reservation;
};

class CTempFile : public CFilePath {
public:
    // Makes a new temporary file (MakeTempName); with deleteOnDestroy the file
    // goes with the object, even when it was made read-only meanwhile.
    explicit CTempFile(bool deleteOnDestroy = true);
    ~CTempFile() override;
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // A renamed temporary file has become a real one: it is no longer deleted.
    void Rename(const std::string& newPath) override;

    bool DeletesOnDestroy() const { return m_deleteOnDestroy; }

private:
    bool m_deleteOnDestroy;
};
