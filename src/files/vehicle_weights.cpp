#include "files/vehicle_weights.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"

namespace sw {

namespace {

constexpr int kHeaderLines = 8;
constexpr int kRecordLines = 7;

// The table as last read: its bytes, and its lines after the header. The
// calculator reads the table when it opens and again on each pick of a make
// or a model; the bytes are read each time, but turned into lines only when
// they changed, which for a large table is nearly all of the work.
struct Table {
  bool readable = false;
  std::string bytes;
  std::vector<std::string> lines;
};

const Table& ReadTable() {
  static Table table;
  std::string bytes;
  if (!ReadFileBytes(ProgramPath("TEXT/vehweight.txt"), bytes)) {
    table = Table{};
    return table;
  }
  if (table.readable && bytes == table.bytes) return table;
  table.readable = true;
  table.lines.clear();
  SeqReader in;
  in.OpenBytes(bytes);
  table.bytes = std::move(bytes);
  table.lines.reserve(static_cast<size_t>(std::count(table.bytes.begin(), table.bytes.end(), '\n')));
  std::string line;
  for (int i = 0; i < kHeaderLines; ++i)
    if (!in.LineInput(line)) return table;
  while (in.LineInput(line)) table.lines.push_back(line);
  return table;
}

struct StockCar {
  double year = 0;  // four digits
  std::string make, model, descriptor;  // as read
  double base = 0, automatic = 0, convertible = 0;
};

double FullYear(const std::string& line) {
  const double y = Val(line);
  return y < 40 ? 2000 + y : 1900 + y;
}

// A list that takes each entry once, in the order first met; a table of
// any length is read in one pass. The entries seen are known by their place
// in the list, so that each is kept once, not twice.
class ListOnce {
 public:
  // `most`: as many entries as the list can come to.
  ListOnce(std::vector<std::string>& list, size_t most) : list_(list), seen_(most, Hash{&list}, Same{&list}) {
    list_.reserve(most);
  }
  void Add(std::string&& entry) {
    if (seen_.find(std::string_view(entry)) != seen_.end()) return;
    list_.push_back(std::move(entry));
    seen_.insert(list_.size() - 1);
  }

 private:
  // A place in the list, or an entry to look for, as its text.
  struct Text {
    const std::vector<std::string>* list;
    std::string_view operator()(size_t place) const { return (*list)[place]; }
    std::string_view operator()(std::string_view entry) const { return entry; }
  };
  struct Hash : Text {
    using is_transparent = void;
    template <class T>
    size_t operator()(const T& key) const { return std::hash<std::string_view>()(Text::operator()(key)); }
  };
  struct Same : Text {
    using is_transparent = void;
    template <class A, class B>
    bool operator()(const A& a, const B& b) const { return Text::operator()(a) == Text::operator()(b); }
  };
  std::vector<std::string>& list_;
  std::unordered_set<size_t, Hash, Same> seen_;
};

// An option's weight between two cars, with the word the note uses when the
// cars disagree about it ("" when both offered it).
struct Option {
  double weight = 0;
  bool offered = true;
  std::string word;
};
constexpr double kNotOffered = -1;

Option Between(double below, double above, double t) {
  const bool b = below != kNotOffered, a = above != kNotOffered;
  if (b && a) return {below + t * (above - below), true, ""};
  if (b) return {below, true, "may not have been "};
  if (a) return {above, true, "may not have been "};
  return {0, false, "probably was not "};
}

void Estimate(CalculatorForm& f, const std::vector<std::string>& lines) {
  const double extra = (f.Value(8) - 5) * 5.9976 + f.Value(7);
  const double wanted = Int(Val(f.Row(1).ListText()));
  const std::string make = f.Row(2).ListText(), model = Trim(f.Row(3).ListText()),
                    descriptor = f.Row(4).ListText();

  double below = 0, above = 10000;
  StockCar belowCar, aboveCar;
  for (size_t r = 0; r + kRecordLines <= lines.size(); r += kRecordLines) {
    StockCar car{FullYear(lines[r]), lines[r + 1], lines[r + 2], lines[r + 3],
                 Val(lines[r + 4]), Val(lines[r + 5]), Val(lines[r + 6])};
    // The model is found inside the file's model text, so a list entry
    // picks out "Camaro" wherever the file spells it out longer.
    if (Trim(car.make) != make || InStr(car.model, model) == 0 || Trim(car.descriptor) != descriptor) continue;
    if (car.year < wanted && car.year > below) {
      below = car.year;
      belowCar = car;
    } else if (car.year >= wanted && car.year <= above) {
      above = car.year;
      aboveCar = car;
    }
  }

  Option automatic, convertible;
  double base = 0;
  std::string match;
  const bool twoCars = (below > 0 && above < 9999) || above == wanted;
  if (twoCars) {
    const double t = (wanted - below) / (above - below);
    base = belowCar.base + t * (aboveCar.base - belowCar.base);
    automatic = Between(belowCar.automatic, aboveCar.automatic, t);
    convertible = Between(belowCar.convertible, aboveCar.convertible, t);
  } else if (below > 0 || above < 9999) {
    const StockCar& car = below > 0 ? belowCar : aboveCar;
    base = car.base;
    automatic = car.automatic == kNotOffered ? Option{0, false, "probably was not "} : Option{car.automatic, true, ""};
    convertible =
        car.convertible == kNotOffered ? Option{0, false, "probably was not "} : Option{car.convertible, true, ""};
    match = "Estimated weight is based on the closest match found: " + Str(car.year) + " " + car.make + " " +
            car.model + " " + car.descriptor;
  } else {
    f.out[0].value.clear();
    f.note = "No close match was found.";
    return;
  }

  std::string automaticNote, convertibleNote;
  if (!automatic.word.empty()) automaticNote = "This vehicle " + automatic.word + "available with an automatic.";
  if (!convertible.word.empty())
    convertibleNote = "This vehicle " + convertible.word + "available as a convertible.";
  if (f.Choice(5) == 0) automatic.weight = 0;
  if (f.Choice(6) == 0) {
    convertible.weight = 0;
    convertibleNote.clear();
  }
  // An option the car never had adds nothing: the table's -1 is a marker,
  // not a weight.
  const double total = base + (automatic.offered ? automatic.weight : 0) +
                       (convertible.offered ? convertible.weight : 0) + extra;
  const double estimate = 10 * Int(total / 10 + 0.5);
  f.out[0].value = Trim(Str(estimate));

  std::string note;
  if (!automaticNote.empty() || !convertibleNote.empty()) note = "  Note: " + automaticNote + "  " + convertibleNote;
  if (twoCars) {
    f.note = "A " + std::string(note.empty() ? "" : "relatively ") + "good match was found." + note;
  } else {
    f.note = match + note;
  }
}

}  // namespace

void ReadVehWeights(CalculatorForm& f, int list) {
  const Table& table = ReadTable();
  const bool readable = table.readable;
  const std::vector<std::string>& lines = table.lines;
  if (list < 1) {
    CalcRow& makes = f.Row(2);
    makes.entries.clear();
    makes.listIndex = -1;
    ListOnce list(makes.entries, lines.size() / kRecordLines + 1);
    for (size_t i = 1; i < lines.size(); i += kRecordLines) list.Add(Trim(lines[i]));
    return;
  }
  if (list <= 9) {
    CalcRow& target = f.Row(list + 1);
    target.entries.clear();
    target.listIndex = -1;
    const std::string chosen = f.Row(list).ListText();
    ListOnce entries(target.entries, 16);
    // Line i of the table is field (i mod 7) + 1 of its record.
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
      if (static_cast<int>(i % kRecordLines) + 1 == list && Trim(lines[i]) == chosen) entries.Add(Trim(lines[i + 1]));
    }
    return;
  }
  if (list == 10) {
    if (!readable) {
      f.out[0].value.clear();
      f.note = kVehicleWeightTableMissing;
      return;
    }
    Estimate(f, lines);
  }
}

bool VehicleWeightTableReadable() {
  const Table& table = ReadTable();
  return table.readable && table.lines.size() >= static_cast<size_t>(kRecordLines);
}

}  // namespace sw
