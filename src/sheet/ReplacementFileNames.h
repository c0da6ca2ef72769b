#pragma once

#include <filesystem>
#include <string>

// What the replacement files of both platforms share: the names of our
// temporary files and the clean-up of those an earlier run left. Internal to
// the sheet layer (ReplacementFile.cpp, ReplacementFileWin32.cpp).
namespace sheet {

// A fresh candidate name for a temporary file beside the target:
// target + ".~<digits>.tmp".
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target);

// Removes the temporary files of ours for the target that are left in its
// folder; what cannot be removed stays.
void RemoveStaleTemporaries(const std::filesystem::path& target);

// The target as the messages name it: absolute, in UTF-8.
std::string FullTargetName(const std::filesystem::path& target);

}  // namespace sheet
