#include "files/text_screens.h"

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "simulation/tables.h"

namespace sw {

bool TextScreenFor(int id, TextScreenLayout& layout) {
  if (id != 1) return false;
  layout = {"WARNING", 18, 10};
  return true;
}

TextScreenGeometry TextScreenSize(const TextScreenLayout& layout) {
  TextScreenGeometry g;
  int r = layout.lastLine;
  g.top = layout.topFactor * 60;
  g.labelHeight = (r + 1) * 160;
  g.buttonTop = (r + 1) * 160 + 645 - 400;
  g.height = (r + 1) * 160 + 645 + 540;
  return g;
}

void LoadTextScreen(int id, std::string& caption, std::string& text) {
  TextScreenLayout layout;
  if (!TextScreenFor(id, layout)) return;
  SeqReader in;
  in.Open(ProgramPath("TEXT/" + layout.stem + ".TXT"));
  text.clear();
  for (int i = 0; i <= layout.lastLine && i < static_cast<int>(tbl.TextScreenLines.size()); ++i) {
    std::string line;
    if (in.IsOpen() && in.LineInput(line)) tbl.TextScreenLines[static_cast<size_t>(i)] = line;
    if (i > 1) text += tbl.TextScreenLines[static_cast<size_t>(i)] + CRLF;
  }
  caption = tbl.TextScreenLines[0];
}

bool DecimalSymbolIsComma(const std::string& formatted) { return formatted.find(',') != std::string::npos; }

}  // namespace sw
