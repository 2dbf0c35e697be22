#pragma once
// Small file and path helpers of the host layer. Paths read may use "\\" or
// "/"; paths made are joined with "/".
#include <string>
#include <vector>

#include "platform/system/Result.h"
#include "platform/system/WholeFile.h"

namespace hostpath {

// "\\" turned into "/", repeated separators folded (a leading "//" kept).
std::string Normalize(const std::string& path);
// The comparison key of a path: normalized and lower case.
std::string PathKey(const std::string& path);
bool EqualsNoCase(const std::string& a, const std::string& b);
bool IsAbsolute(const std::string& path);
// The path made absolute against the current directory, normalized, with
// "." and ".." parts resolved.
std::string Absolute(const std::string& path);
// The name after the last separator.
std::string BaseName(const std::string& path);
// The folder part including its last separator; "" when there is none.
std::string DirName(const std::string& path);
// Up to the last "." after the last separator; the whole path when none.
std::string WithoutExtension(const std::string& path);
// The extension with its dot, lower case; "" when none.
std::string Extension(const std::string& path);

bool Exists(const std::string& path);
bool IsDirectory(const std::string& path);
bool MakeDirectories(const std::string& path);
// Files (not folders) directly in `folder` whose extension is `ext` (with
// its dot, any case), sorted by name; empty when the folder is unreadable.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& ext);

// The platform's whole-file read ("PATH: reason" on failure).
using ::ReadWholeFile;
// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so readers see the old or the new file, never a
// part. False (errno set, `path` untouched) when any step fails.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);
// A free name "<folder><stem><n><ext>" with the smallest n >= 1 such that
// no file "<stem><n>.*" exists in the folder.
std::string NumberedName(const std::string& folder, const std::string& stem, const std::string& ext);
bool CopyFile(const std::string& from, const std::string& to);

// The installation data folder (the one that holds "solver/"), ending with
// "/". Looked for in this order:
//   1. $WIZ_DATA_DIR, when set (and then nowhere else);
//   2. "../share/wizlib/" from the running program's folder, where
//      `cmake --install` puts it beside "bin/";
//   3. the nearest "data/" folder above the program, as in a build tree.
// Fails, `folder` empty, with one line naming where it looked.
CResult FindInstallData(std::string& folder);

} // namespace hostpath
