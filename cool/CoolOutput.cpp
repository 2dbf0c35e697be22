#include "cool/CoolOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "cool/BoundaryConditionFile.h"
#include "keyword/FilePath.h"

CResult MakeAutomaticBoundaryFile(const std::string& moldModel, std::string& made, CFilePath& name)
{
    CFilePath elements(moldModel);
    elements.ChangeExtension(".ela");
    FILE* file = std::fopen(elements.GetPath().c_str(), "r");
    if (!file)
        return CResult::FromErrno("cannot read " + elements.GetPath());
    MBoundaryConditionFile boundary;
    char line[512];
    while (std::fgets(line, sizeof line, file)) {
        // Only a line's leading number counts; the mold's elements are the negative ones.
        const long element = std::strtol(line, nullptr, 10);
        if (element < 0)
            boundary.SetMoldMaterial(static_cast<int>(-element), kAutomaticMoldMaterial);
    }
    // A list that opens but cannot be read (a folder) must not pass for an
    // empty one: the set would make no element a mold element.
    const bool unread = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (unread)
        return CResult::FromErrno("cannot read " + elements.GetPath(), readError);
    boundary.SetModelFile(moldModel);

    if (CResult named = name.MakeUniqueName(CFilePath::FileName(elements.GetPath()), "", true); !named)
        return named;
    const std::string path = name.GetPath() + ".bc3";
    if (CResult failed = boundary.Save(path); !failed) {
        if (CResult released = name.ReleaseUniqueName(); !released)
            return CResult::Fail(failed.GetMessage() + "; and undoing it failed: " + released.GetMessage());
        return failed;
    }
    made = path;
    return CResult::Ok();
}
