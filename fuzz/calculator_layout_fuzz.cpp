// Calculator layout files of any content, read as the layout of every one of
// the 23 calculators; a layout that is read is laid out on the window and
// worked: each list's first and last entry picked, each value box given a
// small, a large and a negative number.
#include <set>

#include "files/calculator_layout.h"
#include "fuzz_folder.h"
#include "simulation/calculator_formulas.h"
#include "simulation/tables.h"

using namespace sw;

namespace {

const int kCalculators[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 24, 27, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51};

void Work(CalculatorForm& form) {
  LayOutCalculator(form);
  for (int k = 1; k <= kCalcLastRow; ++k) {
    CalcRow& row = form.Row(k);
    if (!row.used) continue;
    if (row.isList) {
      for (int pick : {0, static_cast<int>(row.entries.size()) - 1}) {
        if (pick < 0 || pick >= static_cast<int>(form.Row(k).entries.size())) continue;
        form.Row(k).listIndex = pick;
        form.changedWeightList = form.number == 24 ? k : 0;
        CalculateMenu(form);
      }
    } else {
      for (const char* value : {"1", "99999999", "-3"}) {
        const std::string before = row.text;
        form.Row(k).text = value;
        LeaveValueBox(form, k, before);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool once = [] {
    fuzz::CopyShipped("CALC/RHDATA.CLC");
    fuzz::CopyShipped("TEXT/vehweight.txt");
    return true;
  }();
  (void)once;
  ResetTables();
  std::set<std::string> written;
  for (int number : kCalculators) {
    std::string pages;
    const std::string stem = CalculatorStem(number, pages);
    if (written.insert(stem).second) fuzz::Put("CALC/" + stem + ".CLC", fuzz::Bytes(data, size));
    CalculatorForm form;
    if (LoadCalculator(number, form)) Work(form);
  }
  return 0;
}
