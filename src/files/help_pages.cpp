#include "files/help_pages.h"

#include <algorithm>
#include <vector>

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"

namespace sw {

namespace {

bool InGroup(int menu, std::initializer_list<int> group) {
  for (int m : group)
    if (m == menu) return true;
  return false;
}

void ReplaceFirst(std::string& s, const std::string& what, const std::string& with) {
  size_t p = s.find(what);
  if (p != std::string::npos) s.replace(p, what.size(), with);
}

}  // namespace

void ResetHelpValues() {
  HelpPageCount = 0;
  HelpFromCalcMenu = 0;
  CalcMenuPages.clear();
}

std::string HelpSubjectName(int specMenu) {
  switch (specMenu) {
    case 1: return "Engine";
    case 2: return "Transmission";
    case 3: return "Vehicle";
    case 4: return "Wheels/Tires";
    case 5: return "Driving";
    case 6: return "Calculate Performance Conditions";
    case 7: return "Match Veh Perf";
    case 8: return "Throttle Stop";
    case 9: return "Dial In";
    default: return "";
  }
}

bool LookUpHelpTopic(int topic, int currentSpecMenu, std::string& stem, int& lastPage) {
  switch (topic) {
    case 100: stem = "helpc"; lastPage = 1; return true;
    case 200: stem = "helpd"; lastPage = 2; return true;
    case 300: stem = "helpe"; lastPage = 2; return true;
    case 400: stem = "helps"; lastPage = 0; return true;
    case 500: stem = "helpr"; lastPage = 0; return true;
    case 550:
      stem = "helpi";
      lastPage = InGroup(currentSpecMenu, {1, 8, 9}) ? 5 : InGroup(currentSpecMenu, {2, 5}) ? 4 : 3;
      return true;
    case 560: stem = "helpj"; lastPage = 1; return true;
    case 570: stem = "helpi"; lastPage = 2; return true;
    case 580: stem = "helpk"; lastPage = 2; return true;
    case 590: stem = "helpsn"; lastPage = 0; return true;
    case 600: stem = "helpf"; lastPage = 0; return true;
    case 700: stem = "helph"; lastPage = 4; return true;
    case 800: stem = "helpg"; lastPage = 0; return true;
    case 900: stem = "helpo"; lastPage = 2; return true;
    case 1000: stem = "helpm"; lastPage = 7; return true;
    case 1100: stem = "helpp"; lastPage = 0; return true;
    default: return false;
  }
}

std::string HelpPageKey(const std::string& stem, int page, int currentSpecMenu) {
  int part = page;
  if (stem == "helpi") {
    if (InGroup(currentSpecMenu, {1, 8, 9})) part = page - 2;
    else if (InGroup(currentSpecMenu, {2, 5})) part = page - 1;
  }
  return stem + std::to_string(part) + ".txt";
}

void LoadHelpText(std::string& key, std::string& title, std::string& text, int helpPage, int menu) {
  title.clear();
  text.clear();
  key = UCase(key);
  bool specTopic = key.rfind("HELPI", 0) == 0;
  std::string subject;
  if (specTopic) {
    bool own = (InGroup(menu, {1, 8, 9}) && helpPage < 3) || (InGroup(menu, {2, 5}) && helpPage < 2) ||
               (InGroup(menu, {3, 4, 6, 7}) && helpPage < 1);
    if (own) key = "HELPI0" + std::to_string(menu) + std::to_string(helpPage + 1) + ".TXT";
    subject = HelpSubjectName(menu);
  }

  SeqReader in;
  if (!in.Open(ProgramPath("QVZHELP/" + key))) return;
  in.LineInput(title);
  if (specTopic) ReplaceFirst(title, "**", subject);
  in.LineInput(text);
  // After each line the first "**" left in the text so far becomes the
  // subject. Each "**" is found once: the search goes on from the last one
  // (a replacement holds no "*"), and they are put in when all is read.
  std::vector<size_t> marks;
  size_t searched = 0;
  std::string s;
  while (in.LineInput(s)) {
    if (!s.empty() && s[0] != ' ') {
      text += ' ';
      text += s;
    } else if (s == " ") {
      text += CR;
    } else if (s.size() > 1) {
      text += s;
      text += CR;
    }
    if (!specTopic) continue;
    const size_t p = text.find("**", searched);
    if (p == std::string::npos) {
      // A "*" at the end may start the next one.
      searched = std::max(searched, text.empty() ? 0 : text.size() - 1);
    } else {
      marks.push_back(p);
      searched = p + 2;
    }
  }
  if (marks.empty()) return;
  const std::string with = subject + " Specs";
  std::string out;
  out.reserve(text.size() + marks.size() * with.size());
  size_t from = 0;
  for (size_t p : marks) {
    out.append(text, from, p - from);
    out += with;
    from = p + 2;
  }
  out.append(text, from, std::string::npos);
  text = std::move(out);
}

HelpPageView BuildHelpPage(int topic, int page, int menu) {
  HelpPageView view;
  std::string stem;
  int last = 0;
  if (!LookUpHelpTopic(topic, menu, stem, last)) return view;
  HelpPageCount = static_cast<int16_t>(last);
  std::string key = HelpPageKey(stem, page, menu);
  LoadHelpText(key, view.caption, view.text, page, menu);
  if (topic == 580) view.caption += " (p " + CalcMenuPages + " )";
  view.known = true;
  view.previousEnabled = page != 0;
  view.nextEnabled = page != HelpPageCount;
  return view;
}

void NextHelpPage(int16_t& page) {
  if (page < HelpPageCount) ++page;
}

void PreviousHelpPage(int16_t& page) {
  if (page > 0) --page;
}

}  // namespace sw
