#pragma once

#include <filesystem>
#include <string>

// What the replacement files of both platforms share: the names of our
// temporary files, the clean-up of those an earlier run left, and the file a
// target name stands for. Internal to the sheet layer (ReplacementFile.cpp,
// ReplacementFileWin32.cpp).
namespace sheet {

// A fresh name for a temporary file in the folder: ".~nabidka-" and 16 hex
// digits and ".tmp". Short, so that every name the folder can hold can be
// saved, and of a pattern no user's file has by accident.
std::filesystem::path TemporaryNameIn(const std::filesystem::path& folder);
bool IsOurTemporary(const std::filesystem::path& candidate);

// Removes the temporary files of ours in the folder that no running save
// holds (RemoveIfStale); what cannot be removed stays.
void RemoveStaleTemporaries(const std::filesystem::path& folder);
// The platform's test: removes the temporary when no save holds it (a held
// one is locked on POSIX systems, open without sharing on Windows).
void RemoveIfStale(const std::filesystem::path& temporary);

// The file a target name stands for: a symbolic link is followed (to its
// end, also when the file it names does not exist yet), so that a save
// replaces the linked file and the link stays a link.
std::filesystem::path ResolvedTarget(const std::filesystem::path& target);

// The folder a file of that path is in ("." for a bare name).
std::filesystem::path FolderOf(const std::filesystem::path& file);

// The target as the messages name it: absolute, in UTF-8.
std::string FullTargetName(const std::filesystem::path& target);

}  // namespace sheet
