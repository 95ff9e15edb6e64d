// Text screens: a caption and up to 17 lines of text read from a file in the
// program folder's TEXT folder, shown by the text-screen window. Screen 1 is
// the warning shown once at start-up.
#pragma once

#include <cstdint>
#include <string>

namespace sw {

// 1 while the text-screen window is open, 0 once it was closed with its
// button. (The screen it shows is the shell value TextScreenId.)
inline int16_t TextScreenOpen = 0;

struct TextScreenLayout {
  std::string stem;   // file TEXT/<stem>.TXT
  int lastLine = 0;   // R: lines 0..R are read
  int topFactor = 0;  // T: the window's top is T x 60 twips
};
// False for a screen number that has no file.
bool TextScreenFor(int id, TextScreenLayout& layout);

// Window geometry in twips, from the layout.
struct TextScreenGeometry {
  int top = 0;
  int height = 0;        // the window with its button shown
  int labelHeight = 0;
  int buttonTop = 0;
};
TextScreenGeometry TextScreenSize(const TextScreenLayout& layout);

// Reads lines 0..R of the screen file into tbl.TextScreenLines and builds the
// caption (line 0) and the text (lines 2..R, each followed by CR LF). A line
// that cannot be read, or a file that cannot be opened, leaves that element
// of TextScreenLines as it was, and the text uses what it held.
void LoadTextScreen(int id, std::string& caption, std::string& text);

// The check made when the warning screen closes: the number 7 / 3 written by
// the system's number settings with three decimals holds a comma.
bool DecimalSymbolIsComma(const std::string& sevenThirdsFormatted);

}  // namespace sw
