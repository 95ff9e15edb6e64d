#include "files/file_windows.h"

namespace sw {

namespace {
FileWindows g_quiet;
FileWindows* g_windows = nullptr;
}  // namespace

FileWindows& FileWin() { return g_windows ? *g_windows : g_quiet; }
void SetFileWindows(FileWindows* windows) { g_windows = windows; }

}  // namespace sw
