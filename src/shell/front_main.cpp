// Stagewell: predicts how a car runs down a drag strip.
//
//   stagewell          the program, with the last vehicle
//   stagewell /E       started by the Cylvane engine program
//   stagewell /E /M    Cylvane's unattended calculation: imports ENGCURVE.ZKT,
//                      calculates, writes LapDtOut.txt and ends; no window
//                      and no box, and no display needed. Exit status 0
//                      when LapDtOut.txt holds this run's answer, else 1
//
// Cylvane starts the unattended calculation once for every engine it tries,
// so this program does it with the numeric core alone, in a few
// milliseconds; every other start becomes the windowed program beside it,
// stagewell-gui, with the same arguments.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/startup.h"
#include "shell/unattended.h"

namespace {

std::filesystem::path WindowedProgram(const char* argv0) {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0, ec);
  return self.parent_path() / "stagewell-gui";
}

}  // namespace

int main(int argc, char** argv) {
  const auto started = std::filesystem::file_time_type::clock::now();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (sw::StartModeFromArguments(arguments) == 2) return sw::UnattendedStart(argv[0], started);

  const std::string windowed = WindowedProgram(argv[0]).string();
  ::execv(windowed.c_str(), argv);
  std::fprintf(stderr, "Stagewell: %s could not be started: %s\n", windowed.c_str(), std::strerror(errno));
  return 127;
}
