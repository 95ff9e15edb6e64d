// Help pages of any content, as a spec menu's own page (its "**" become the
// menu's name) for every spec menu, and as a page of another topic.
#include "files/help_pages.h"
#include "fuzz_folder.h"

using namespace sw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Put("QVZHELP/HELPI3.TXT", fuzz::Bytes(data, size));
  fuzz::Put("QVZHELP/HELPC0.TXT", fuzz::Bytes(data, size));
  std::string title, text;
  for (int menu = 0; menu <= 10; ++menu) {
    std::string key = "helpi3.txt";
    LoadHelpText(key, title, text, 5, menu);
    fuzz::Check(key == "HELPI3.TXT");
  }
  std::string key = "helpc0.txt";
  LoadHelpText(key, title, text, 0, 1);
  const HelpPageView view = BuildHelpPage(100, 0, 1);
  fuzz::Check(view.known && view.text == text);
  return 0;
}
