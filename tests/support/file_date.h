// Backdates a file to noon of a given day, for the date-ordered lists.
#pragma once

#include <chrono>
#include <ctime>
#include <filesystem>

namespace sw::test {

inline void SetFileDate(const std::filesystem::path& p, int y, int m, int d) {
  std::tm t{};
  t.tm_year = y - 1900;
  t.tm_mon = m - 1;
  t.tm_mday = d;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  std::filesystem::last_write_time(
      p, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&t))));
}

}  // namespace sw::test
