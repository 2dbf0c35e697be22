#include "keyword/RangeFiles.h"

#include "keyword/KeywordFile.h"

#include <cerrno>
#include <sys/stat.h>

bool IsAbsentFile(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

CResult MergeIfPresent(MKeywordFile& file, const std::string& path)
{
    CResult merged = file.Merge(path);
    // Asked after the failure, so a file that appears meanwhile still counts.
    return merged || !IsAbsentFile(path) ? merged : CResult::Ok();
}

CResult LoadIfPresent(MKeywordFile& file, const std::string& path)
{
    CResult loaded = file.Load(path);
    return loaded || !IsAbsentFile(path) ? loaded : CResult::Ok();
}

std::vector<std::string> GetSolverRangeFiles(const std::string& dataPath, const std::string& programName)
{
    // The bare name is relative to the current directory on purpose: a range
    // file beside the user's job adds to and overrides the installed one.
    const std::string name = programName + ".rng";
    return {dataPath + name, name};
}

std::vector<std::string> GetWarpRangeFiles(const std::string& dataPath)
{
    return {dataPath + "warp.rng", "warp.rng"};
}

std::vector<std::string> GetTranslatorRangeFiles(const std::string& dataPath)
{
    return {dataPath + "zqtrans.rng", dataPath + "zqmesh3d.rng"};
}

std::vector<std::string> GetMachineRangeFiles(const std::string& dataPath)
{
    return {dataPath + "zqlipc.rng"};
}

CResult MergeRangeFiles(MKeywordFile& store, const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        if (CResult merged = MergeIfPresent(store, path); !merged)
            return merged;
    return CResult::Ok();
}

std::string GetRangeKeyword(const std::string& keyword) { return keyword + "_RANGE"; }

std::string GetSecondRangeKeyword(const std::string& keyword) { return keyword + "_RANGE2"; }

bool UsesSecondRangeForBoth(const std::string& keyword)
{
    return keyword.find("PRESSURE_AT_A_NODE") != std::string::npos;
}

std::string GetMachineDefaultsFile(const std::string& dataPath) { return dataPath + "zqlipc.def"; }

std::vector<std::string> GetTranslatorDefaultsFiles(const std::string& dataPath)
{
    return {dataPath + "zqmesh3d.def", dataPath + "zqtrans.def"};
}

CResult MergeTranslatorDefaults(MKeywordFile& working, const std::string& dataPath,
                                const std::string& nodeKeywordFile)
{
    for (const std::string& path : GetTranslatorDefaultsFiles(dataPath))
        if (CResult merged = MergeIfPresent(working, path); !merged)
            return merged;
    if (nodeKeywordFile.empty())
        return CResult::Ok();
    return MergeIfPresent(working, nodeKeywordFile);
}
