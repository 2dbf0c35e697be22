#pragma once
// Reading a whole file into memory: the one way the library, its tools and
// its tests do it.
#include <string>

#include "platform/system/Result.h"

// Replaces `bytes` with the file's content, byte for byte (no line-end
// translation). On failure `bytes` is empty and the message reads
// "PATH: <the system's reason>" ("plate.igs: No such file or directory").
CResult ReadWholeFile(const std::string& path, std::string& bytes);
