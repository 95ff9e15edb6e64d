#include "shell/shell_state.h"

namespace sw {

ShellValues shell;

void ResetShellValues() { shell = ShellValues{}; }

}  // namespace sw
