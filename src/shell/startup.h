// How the program was started and what the main window's caption says.
#pragma once

#include <string>
#include <vector>

namespace sw {

// The product title shown in the main window's caption.
inline const std::string kProductTitle = " Stagewell v3.2   Korvath";

// 0 without "/E"; 1 with "/E"; 2 with "/E" and "/M". Case-sensitive, and the
// switches may stand anywhere in the command line.
int StartModeFromCommandLine(const std::string& commandLine);
int StartModeFromArguments(const std::vector<std::string>& arguments);

// The files the main window reads on its first activation: the
// configuration, the base run and the working copy. An unreadable one is
// kept aside (KeepUnreadableFile) and the base run's first error reported,
// as "Possible Error reading Configuration File.". True when the working
// copy was read.
bool ReadStartUpFiles();

// The main window's caption for the current file name: the whole title for a
// name of up to 30 characters, else its first 20 characters.
std::string MainCaptionText(const std::string& currentFileName);

}  // namespace sw
