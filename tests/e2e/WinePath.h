#pragma once
// Linux paths as a Windows program under Wine names them: drive z: is the root of the
// Linux file system, so /tmp/run/script.txt is Z:\tmp\run\script.txt.
#include <filesystem>
#include <string>

// The Wine path of an absolute Linux path (a relative one is made absolute first).
std::string WinePath(const std::filesystem::path& linuxPath);
