// Copies of documents handed to an outside viewer: one folder per running
// program in the system's temporary folder, "Stagewell-XXXXXX", held by a
// lock the program keeps while it runs. The folder goes when the program
// ends; a folder whose program died is removed at the next start.
#pragma once

#include <filesystem>

namespace sw {

// The running program's folder, made on first use; empty when it cannot be
// made.
std::filesystem::path ViewerCopyFolder();
// Removes the running program's folder; the program's end does it too.
void RemoveViewerCopyFolder();

// Removes, in `tempFolder`, the viewer-copy folders of programs that no
// longer run; folders of running programs stay. Returns how many went.
int RemoveDeadViewerCopies(const std::filesystem::path& tempFolder = std::filesystem::temp_directory_path());

}  // namespace sw
