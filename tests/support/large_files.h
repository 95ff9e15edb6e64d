// Help pages and vehicle-weight tables of any size, far beyond the shipped
// ones (a page of a few kB, a table of some 100 kB), so that work that grows
// faster than the file shows.
#pragma once

#include <cstddef>
#include <string>

namespace sw::test {

// A spec help page: continued paragraph lines with a "**" now and then,
// paragraph ends and lines of their own.
inline std::string LargeHelpPage(size_t bytes) {
  std::string page = "** Help\r\nThe ** rows set what the car is.\r\n";
  for (int i = 0; page.size() < bytes; ++i) {
    if (i % 10 == 9) page += " \r\n";
    else if (i % 10 == 4) page += "  A line of its own about the ** row.\r\n";
    else page += "continued text of the paragraph about one row or another\r\n";
  }
  return page;
}

// A weight table whose every record is a make of its own.
inline std::string LargeWeightTable(size_t bytes) {
  std::string table;
  for (int i = 0; i < 8; ++i) table += "header\r\n";
  for (int i = 0; table.size() < bytes; ++i)
    table += "69\r\nMake" + std::to_string(i) + "\r\nModel\r\n2dr\r\n3200\r\n40\r\n-1\r\n";
  return table;
}

}  // namespace sw::test
