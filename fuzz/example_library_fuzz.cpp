// Example libraries of any content, read as each of the seven libraries: the
// list is built, and a library that can be rewritten takes a new example and
// gives it up again. The examples read before (a damaged one is no example)
// are still there, in order, after each rewrite, and the new one reads back
// as it was written.
#include "files/example_library.h"
#include "fuzz_folder.h"
#include "simulation/tables.h"

using namespace sw;

namespace {

const ExampleRequest kLibraries[] = {{"ENG", "ENG", 13, 0},   {"CLUTCH", "CL", 22, 0}, {"CONV", "CV", 22, 0},
                                     {"TRANS", "TR", 24, 7},  {"BODY", "BD", 15, 3},   {"FTIRE", "FTR", 10, 0},
                                     {"RTIRE", "RTR", 12, 3}};

bool Presets(int, int, std::vector<std::string>& items) {
  items = {"First", "Second", "Third"};
  return true;
}

using Examples = std::vector<std::vector<std::string>>;

Examples FirstOf(const Examples& e, size_t n) { return Examples(e.begin(), e.begin() + std::min(n, e.size())); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const ExampleRequest& library : kLibraries) {
    ResetTables();
    ResetExampleValues();
    fuzz::Put("QVZEXMP/" + library.component, fuzz::Bytes(data, size));
    const ExampleLibraryData before = ParseExampleLibrary(library.component);
    ReadExampleCategory(library, 1, Presets);
    if (!before.soundHead) continue;
    tbl.SpecText[0] = "7";
    if (!AddExampleToLibrary(library, 0, "Fuzz Example")) continue;  // the current specs refused
    const ExampleLibraryData added = ParseExampleLibrary(library.component);
    fuzz::Check(added.soundHead && added.head == before.head && added.definitionItems == before.definitionItems);
    Examples expected = FirstOf(before.examples, kExampleLibraryMax - 1);
    std::vector<std::string> record = {"Fuzz Example"};
    for (const std::string& line : CurrentExampleRecord(library, before.fields)) record.push_back(line);
    expected.push_back(record);
    fuzz::Check(added.examples == expected);

    fuzz::Check(AddExampleToLibrary(library, static_cast<int>(added.examples.size()), ""));
    const ExampleLibraryData deleted = ParseExampleLibrary(library.component);
    expected.pop_back();
    fuzz::Check(deleted.soundHead && deleted.examples == expected);
  }
  return 0;
}
