#pragma once
// Where each wizard finds its range files (".rng") and defaults files (".def"),
// and the order they are merged in. Paths are formed by plain concatenation:
// the host's data path must end with a path separator. Every list is in merge
// order, so for a keyword two files share the later file wins.
#include "platform/system/Result.h"

#include <string>
#include <vector>

class MKeywordFile;

// Whether `path` names nothing at all (it, or a folder on the way to it, is
// missing). A file that exists but cannot be read is not absent.
bool IsAbsentFile(const std::string& path);
// Merge and Load for the files a wizard may go without (defaults, ranges, a
// node's earlier settings): an absent file reads as empty, but one that
// exists and cannot be read (permissions, a folder, a FIFO) fails.
CResult MergeIfPresent(MKeywordFile& file, const std::string& path);
CResult LoadIfPresent(MKeywordFile& file, const std::string& path);

// Flow and cooling: the installed file of the solver program, then a file of the
// same bare name in the current directory, which overrides the installed one.
// `programName` is the host's program name for the sub-type, mesh and flags.
std::vector<std::string> GetSolverRangeFiles(const std::string& dataPath, const std::string& programName);
// Warpage and stress: the installed "warp.rng", then a local "warp.rng".
std::vector<std::string> GetWarpRangeFiles(const std::string& dataPath);
// Translator: the translator's ranges, then the mesher's.
std::vector<std::string> GetTranslatorRangeFiles(const std::string& dataPath);
// Machine parameters dialog.
std::vector<std::string> GetMachineRangeFiles(const std::string& dataPath);

// Merges `paths` into a range store in order (MergeIfPresent); stops at the
// first file that exists and cannot be read.
CResult MergeRangeFiles(MKeywordFile& store, const std::vector<std::string>& paths);

// The keyword that holds the range of `keyword` ("_RANGE") or of its second column ("_RANGE2").
std::string GetRangeKeyword(const std::string& keyword);
std::string GetSecondRangeKeyword(const std::string& keyword);
// A two-valued field whose keyword names a pressure at a node tests both values
// against its second range.
bool UsesSecondRangeForBoth(const std::string& keyword);

// Machine parameters dialog: its fields are loaded from this file when it is built.
std::string GetMachineDefaultsFile(const std::string& dataPath);
// Translator: the mesher's defaults, then the translator's, in merge order.
std::vector<std::string> GetTranslatorDefaultsFiles(const std::string& dataPath);
// Fills the translator's working file: its defaults first, then the input node's
// own keyword file over them (none when `nodeKeywordFile` is empty), so that the
// node's values win and keywords it lacks keep their defaults. Absent files
// are passed over; one that exists and cannot be read fails.
CResult MergeTranslatorDefaults(MKeywordFile& working, const std::string& dataPath,
                             const std::string& nodeKeywordFile);
