#include "printing/printer_fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <functional>

#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"

namespace sw {

namespace {

using Match = std::function<bool(const std::string&)>;

// Each candidate is tried over the whole list before the next one, so the
// order of preference wins over the order of the list.
std::string FirstMatch(const std::vector<std::string>& families, const std::vector<Match>& candidates,
                       const std::string& fallback) {
  for (const Match& m : candidates)
    for (const std::string& f : families)
      if (m(f)) return f;
  return fallback;
}

Match StartsWith(std::string prefix) {
  return [prefix](const std::string& f) { return f.compare(0, prefix.size(), prefix) == 0; };
}

Match Contains(std::string part) {
  return [part](const std::string& f) { return f.find(part) != std::string::npos; };
}

// The name's beginning in capitals against a capital prefix.
Match StartsWithAnyCase(std::string prefix) {
  return [prefix](const std::string& f) {
    if (f.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
      if (std::toupper(static_cast<unsigned char>(f[i])) != prefix[i]) return false;
    return true;
  };
}

Match Family(std::string name) {
  return [name](const std::string& f) {
    return f.size() == name.size() &&
           std::equal(f.begin(), f.end(), name.begin(), [](char a, char b) {
             return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
  };
}

std::string SystemFamily(QFontDatabase::SystemFont which) {
  return FromQ(QFontDatabase::systemFont(which).family());
}

std::string Apply(PrintPage& page, const std::string& family) {
  if (!family.empty()) page.SetFontName(ToQ(family));
  return family;
}

}  // namespace

std::string ChooseFixedPrinterFont(const std::vector<std::string>& families, const std::string& fallback) {
  static const std::vector<Match> kCandidates = {
      StartsWith("Courier"),     Contains("Fixedsys"),     Contains("Terminal"),
      Contains("System"),        Family("Liberation Mono"), Family("Nimbus Mono PS"),
      Family("DejaVu Sans Mono")};
  return FirstMatch(families, kCandidates, fallback);
}

std::string ChooseProportionalPrinterFont(const std::vector<std::string>& families,
                                          const std::string& fallback) {
  static const std::vector<Match> kCandidates = {
      StartsWithAnyCase("MSSANS"), StartsWithAnyCase("ARIAL"), StartsWithAnyCase("UNIVE"),
      StartsWithAnyCase("ROMAN"),  Family("Liberation Sans"),  Family("Nimbus Sans"),
      Family("DejaVu Sans")};
  return FirstMatch(families, kCandidates, fallback);
}

std::vector<std::string> PrinterFontFamilies() {
  std::vector<std::string> out;
  for (const QString& f : QFontDatabase::families()) out.push_back(FromQ(f));
  return out;
}

std::string SelectFixedPrinterFont() {
  std::vector<std::string> families = PrinterFontFamilies();
  return ChooseFixedPrinterFont(families, families.empty() ? "" : SystemFamily(QFontDatabase::FixedFont));
}

std::string SelectProportionalPrinterFont() {
  std::vector<std::string> families = PrinterFontFamilies();
  return ChooseProportionalPrinterFont(families,
                                       families.empty() ? "" : SystemFamily(QFontDatabase::GeneralFont));
}

std::string SelectFixedPrinterFont(PrintPage& page) { return Apply(page, SelectFixedPrinterFont()); }

std::string SelectProportionalPrinterFont(PrintPage& page) {
  return Apply(page, SelectProportionalPrinterFont());
}

}  // namespace sw
