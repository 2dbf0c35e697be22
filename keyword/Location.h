#pragma once
// The location rule for text files: files in directories served by a UNIX job
// server are written with bare LF, everything else with CR LF. The answer is
// cached per share, process-wide, under one mutex.
#include <cstdio>
#include <string>

// True when text files at `path` use CR LF line ends (text mode); false when
// the path lies on an NFS or other non-Windows share, or on a share the job
// manager maps to a server directory beginning with "/".
bool IsDosLocation(const std::string& path);

// fopen with the mode unchanged at a DOS location; elsewhere a "t" in the
// mode becomes "b", or "b" is appended when there is none.
FILE* OpenTextFile(const std::string& path, const char* mode);

// The mode OpenTextFile would pass to fopen (at most 4 characters are used).
std::string TextFileMode(const char* mode, bool dosLocation);

// Forgets every cached share answer (tests; a changed registry or mount table).
void ResetLocationCaches();
