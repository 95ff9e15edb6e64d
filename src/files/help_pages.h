// The paged help texts: which file holds which page of a help topic, and how
// a page file becomes a title and a text. The help window shows the result.
#pragma once

#include <cstdint>
#include <string>

namespace sw {

// The topic and the page the help window shows (HelpMenuNumber, HelpPage)
// are shell values: callers set them and show the help window.
//
// The last page of the topic shown (pages run 0..HelpPageCount).
inline int16_t HelpPageCount = 0;
// 1 while help was opened from a calculator window; closing the help window
// clears it.
inline int16_t HelpFromCalcMenu = 0;
// Manual pages of the open calculator, shown in the title of topic 580.
inline std::string CalcMenuPages;

// Back to the values at program start (tests).
void ResetHelpValues();

// Name of a spec menu as the help pages call it ("Engine", "Wheels/Tires",
// ...); "" for a number that is no spec menu.
std::string HelpSubjectName(int specMenu);

// File stem and last page of a topic; false for a topic the table does not
// know. The last page of topic 550 depends on the active spec menu.
bool LookUpHelpTopic(int topic, int currentSpecMenu, std::string& stem, int& lastPage);

// The file name of page `page` of a topic with this stem: stem, the page
// part and ".txt". Pages of "helpi" count from the active menu's own pages,
// so the page part may be negative (LoadHelpText maps those to own pages).
std::string HelpPageKey(const std::string& stem, int page, int currentSpecMenu);

// Reads one page from the help folder. `key` is upper-cased and, for the
// first pages of a spec menu's topic, rewritten to that menu's own page
// (HELPI0<menu><n>.TXT), by the page shown and the active spec menu. A file that cannot be read gives an empty title and
// text. Lines after the first text line: one that starts with a non-blank
// continues the paragraph, a single blank ends a line, one that starts with
// a blank and holds more stands on a line of its own.
void LoadHelpText(std::string& key, std::string& title, std::string& text, int helpPage, int currentSpecMenu);

// What the help window shows for HelpMenuNumber and HelpPage.
struct HelpPageView {
  bool known = false;  // false: unknown topic, the window stays as it is
  std::string caption;
  std::string text;
  bool previousEnabled = false;
  bool nextEnabled = false;
};
// Looks up the topic (setting HelpPageCount) and reads the page.
HelpPageView BuildHelpPage(int topic, int page, int currentSpecMenu);

// "Next Screen" and "Last (previous) Screen": one page on or back, within
// 0..HelpPageCount.
void NextHelpPage(int16_t& page);
void PreviousHelpPage(int16_t& page);

}  // namespace sw
