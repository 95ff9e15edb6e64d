// Handing control back to the engine program Cylvane when it started this
// program. Bringing another program's window to the front by its title is
// not possible on every desktop; where it fails the exit stays silent.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace sw {

// quiet 0: ask to restart Cylvane when it cannot be reached; quiet 1 (the
// exit of a run started by Cylvane): only try to bring it to the front.
void CheckCylvaneLink(int16_t& quiet);

// Brings the running program whose window has this title (or a title that
// begins with it) to the front; false when that is not possible. Tests
// replace it to watch the hand-back.
using ProgramWindowActivator = std::function<bool(const std::string& title)>;
void SetProgramWindowActivator(ProgramWindowActivator activator);  // empty restores the desktop's
bool ActivateProgramWindow(const std::string& title);

}  // namespace sw
