#pragma once
// Where each wizard finds its range files (".rng") and defaults files (".def"),
// and the order they are merged in. Paths are formed by plain concatenation:
// the host's data path must end with a path separator. Every list is in merge
// order, so for a keyword two files share the later file wins.
#include <string>
#include <vector>

class MKeywordFile;

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

// Merges `paths` into a range store in order; unreadable files are skipped.
void MergeRangeFiles(MKeywordFile& store, const std::vector<std::string>& paths);

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
// node's values win and keywords it lacks keep their defaults.
void MergeTranslatorDefaults(MKeywordFile& working, const std::string& dataPath,
                             const std::string& nodeKeywordFile);
