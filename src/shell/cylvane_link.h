// Switching between this program and the engine program Cylvane: starting
// or bringing to the front the edition the user picked, then taking over the
// curve it handed over; and going back to the Cylvane that started us.
//
// Bringing another program's window to the front by its title works only
// on some desktops (an X11 window manager with wmctrl); where the program
// cannot tell, it tells the user how to switch instead.
#pragma once

#include <cstdint>
#include <string>

namespace sw {

inline constexpr int kCustomEdition = 4;

// The program file, its folder and its window title as the editions 0..3
// were designed (a Windows folder: on this system such a folder is never
// there, and the user is offered the search).
struct CylvaneNames {
  std::string exe, folder, title;
};
CylvaneNames DesignedCylvaneNames(int edition);

// The program file inside `folder`, joined with exactly one "/" whatever
// the folder ends in; a file name differing only in case is taken when the
// exact one is not there. An empty folder gives the bare name (found on the
// PATH).
std::string CylvaneProgramPath(const std::string& folder, const std::string& exe);

// Closes the edition window, brings the chosen edition to the front or
// starts it with "/E" in its folder (offering the file seek when it is not
// there), then loads the curve it handed over, if it has written one.
void LaunchCylvane();

// quiet 0: ask to restart Cylvane when it cannot be reached (Yes opens the
// edition window); quiet 1 (the exit of a run started by Cylvane): only try
// to bring it to the front.
void CheckCylvaneLink(int16_t& quiet);

// Forgets the Cylvane processes this run started (tests).
void ResetCylvaneLink();

}  // namespace sw
