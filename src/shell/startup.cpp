#include "shell/startup.h"

#include "platform/text.h"

namespace sw {

int StartModeFromCommandLine(const std::string& commandLine) {
  if (InStr(commandLine, "/E") == 0) return 0;
  return InStr(commandLine, "/M") > 0 ? 2 : 1;
}

int StartModeFromArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (const auto& a : arguments) {
    if (!line.empty()) line += ' ';
    line += a;
  }
  return StartModeFromCommandLine(line);
}

std::string MainCaptionText(const std::string& currentFileName) {
  // Lengths count characters as the user sees them, not UTF-8 bytes.
  size_t chars = 0;
  for (unsigned char c : currentFileName)
    if ((c & 0xC0) != 0x80) ++chars;
  std::string title = chars <= 30 ? kProductTitle : Left(kProductTitle, 20);
  return title + "   [ " + currentFileName + " ]";
}

}  // namespace sw
