#include "match/match_rules.h"

#include "platform/text.h"
#include "simulation/tables.h"

namespace sw {

bool MatchStallRowShown() {
  const double type = Spec(kTransmission, 0);
  return type != 0 && type != 1 && !(type == 5 && Spec(kTransmission, 23) == 1);
}

int FirstMissingMatchEntry(const std::array<std::string, kMatchRows>& rows, bool stallShown) {
  for (int r = stallShown ? 1 : 2; r <= 3; ++r)
    if (Val(rows[static_cast<size_t>(r)]) == 0) return r;
  if (Val(rows[5]) < 0 || Trim(rows[5]).empty()) return 5;
  return -1;
}

std::string MissingMatchEntryMessage(const std::string& caption) {
  return caption + " must be specified before performance can be matched.";
}

std::string ClearedMatchEntry(int row) {
  if (row == 0) return "0";
  if (row == 5) return "-1";
  return "";
}

const std::array<std::string, 2>& MatchDistanceItems() {
  static const std::array<std::string, 2> items = {"Quarter Mile", "Eighth Mile"};
  return items;
}

const std::array<std::string, 6>& MatchGearItems() {
  static const std::array<std::string, 6> items = {"1", "2", "3", "4", "5", "6"};
  return items;
}

}  // namespace sw
