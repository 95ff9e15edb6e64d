#include "platform/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>

namespace sw {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

double Finite(double v) {
  if (std::isnan(v)) return 0.0;
  if (std::isinf(v)) return v > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
  return v;
}

// Digits of |value| rounded to `sig` significant digits: "d1d2...dn" and the
// decimal exponent of d1 (value = 0.d1d2.. x 10^(exp+1)).
struct Decimal {
  std::string digits;  // no leading zeros unless the value is 0
  int exp = 0;         // power of ten of the first digit
};

Decimal Significant(double value, int sig) {
  Decimal d;
  value = std::fabs(value);
  if (value == 0.0) {
    d.digits = "0";
    return d;
  }
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, sig - 1);
  std::string s(buf, res.ptr);
  auto e = s.find('e');
  std::string mant = s.substr(0, e);
  int ex = 0;
  std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), ex);
  mant.erase(std::remove(mant.begin(), mant.end(), '.'), mant.end());
  d.digits = mant;
  d.exp = ex;
  return d;
}

std::string StrDigits(double value, int sig) {
  if (std::isnan(value)) return " 0";
  std::string sign = value < 0 ? "-" : " ";
  if (value == 0.0) return " 0";
  if (std::isinf(value)) value = value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
  Decimal d = Significant(value, sig);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  if (d.exp >= sig || d.exp <= -5) {
    std::string out = sign + d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += "." + d.digits.substr(1);
    char eb[16];
    int ae = std::abs(d.exp);
    std::snprintf(eb, sizeof eb, "E%c%02d", d.exp < 0 ? '-' : '+', ae);
    return out + eb;
  }
  std::string out = sign;
  if (d.exp >= 0) {
    std::string ip = d.digits.substr(0, std::min<size_t>(d.digits.size(), d.exp + 1));
    while ((int)ip.size() < d.exp + 1) ip += '0';
    out += ip;
    if ((int)d.digits.size() > d.exp + 1) out += "." + d.digits.substr(d.exp + 1);
  } else {
    out += "." + std::string(-d.exp - 1, '0') + d.digits;
  }
  return out;
}

// The power of ten of the first significant digit of a number text such as
// "-0012.5e-3" (digits, one point, an optional exponent): 1 for 12.5, -3 for
// 0.0012, counting the exponent in. The exponent saturates, so an exponent of
// any length gives a value of the right sign. 0 when no digit is significant.
long long DecimalExponent(std::string_view num) {
  size_t i = 0;
  if (i < num.size() && num[i] == '-') ++i;
  long long beforePoint = 0, zerosAfterPoint = 0;
  bool point = false, found = false;
  for (; i < num.size() && num[i] != 'e'; ++i) {
    const char c = num[i];
    if (c == '.') {
      point = true;
      continue;
    }
    if (!found && c == '0') {
      if (point) ++zerosAfterPoint;
      continue;
    }
    found = true;
    if (!point) ++beforePoint;
  }
  if (!found) return 0;
  const long long lead = beforePoint > 0 ? beforePoint - 1 : -(zerosAfterPoint + 1);
  long long ex = 0;
  bool negative = false;
  if (i < num.size() && num[i] == 'e') {
    ++i;
    if (i < num.size() && (num[i] == '+' || num[i] == '-')) negative = num[i++] == '-';
    constexpr long long kCap = 1000000000000LL;
    for (; i < num.size(); ++i)
      if (ex < kCap) ex = ex * 10 + (num[i] - '0');
  }
  return lead + (negative ? -ex : ex);
}

}  // namespace

bool IsNumeric(std::string_view t) {
  size_t i = 0, n = t.size();
  auto blanks = [&] {
    while (i < n && (t[i] == ' ' || t[i] == '\t')) ++i;
  };
  auto digits = [&] {
    size_t start = i;
    while (i < n && t[i] >= '0' && t[i] <= '9') ++i;
    return i - start;
  };
  blanks();
  if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  size_t count = digits();
  if (i < n && t[i] == '.') {
    ++i;
    count += digits();
  }
  if (count == 0) return false;
  if (i < n && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  blanks();
  return i == n;
}

namespace {

// Val of the texts a program mostly holds, "123", "-4.5", " 3.25": blanks,
// a sign, at most 15 digits with at most 15 after one point, and nothing
// after them that Val would read on. The digits make an exact whole number
// and the power of ten is exact, so one division gives the nearest double,
// as from_chars does. False for any other text: the general reading decides.
bool PlainDecimal(std::string_view t, double& value) {
  static constexpr double kTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                    1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  size_t i = 0;
  const size_t n = t.size();
  while (i < n && IsBlank(t[i])) ++i;
  bool negative = false;
  if (i < n && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
  uint64_t whole = 0;
  int digits = 0, decimals = 0;
  bool point = false;
  for (; i < n; ++i) {
    const char c = t[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 15) return false;
      whole = whole * 10 + static_cast<uint64_t>(c - '0');
      decimals += point;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < n) {
    const char c = t[i];
    if (IsBlank(c) || c == '.' || c == 'e' || c == 'E' || c == 'd' || c == 'D') return false;
  }
  value = static_cast<double>(whole) / kTen[decimals];
  if (negative) value = -value;
  return true;
}

}  // namespace

double Val(std::string_view t) {
  if (double plain; PlainDecimal(t, plain)) return plain;
  size_t i = 0, n = t.size();
  auto skip = [&] {
    while (i < n && IsBlank(t[i])) ++i;
  };
  skip();
  if (i < n && t[i] == '&' && i + 1 < n) {
    char k = static_cast<char>(std::toupper(static_cast<unsigned char>(t[i + 1])));
    int base = k == 'H' ? 16 : (k == 'O' ? 8 : 0);
    if (base) {
      i += 2;
      double v = 0;
      for (; i < n; ++i) {
        if (IsBlank(t[i])) continue;
        int dgt = -1;
        char c = t[i];
        if (c >= '0' && c <= '9') dgt = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') dgt = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') dgt = c - 'A' + 10;
        if (dgt < 0 || dgt >= base) break;
        v = v * base + dgt;
      }
      return Finite(v);
    }
  }
  std::string num;
  if (i < n && (t[i] == '-' || t[i] == '+')) {
    if (t[i] == '-') num += '-';
    ++i;
  }
  bool digits = false, point = false;
  for (; i < n; ++i) {
    char c = t[i];
    if (IsBlank(c)) continue;
    if (c >= '0' && c <= '9') {
      num += c;
      digits = true;
    } else if (c == '.' && !point) {
      num += c;
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0.0;
  // An exponent counts only when at least one digit follows it.
  if (i < n && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
    size_t j = i + 1;
    std::string ex = "e";
    while (j < n && IsBlank(t[j])) ++j;
    if (j < n && (t[j] == '+' || t[j] == '-')) ex += t[j++];
    bool expDigits = false;
    for (; j < n; ++j) {
      if (IsBlank(t[j])) continue;
      if (t[j] < '0' || t[j] > '9') break;
      ex += t[j];
      expDigits = true;
    }
    if (expDigits) num += ex;
  }
  const char* b = num.data();
  if (*b == '-') ++b;
  double v = 0.0;
  auto res = std::from_chars(b, num.data() + num.size(), v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: the nearest representable value.
    // Which of the two it is follows from the place of the first significant
    // digit and the exponent together ("1" and 400 zeros "e-1" is large).
    v = DecimalExponent(num) > 0 ? std::numeric_limits<double>::max() : 0.0;
  } else if (res.ec != std::errc()) {
    v = 0.0;
  }
  if (num[0] == '-') v = -v;
  return Finite(v);
}

std::string Str(double value) { return StrDigits(value, 15); }
std::string StrSingle(float value) { return StrDigits(static_cast<double>(value), 7); }

std::string Format(double value, std::string_view pattern) {
  if (std::isnan(value)) value = 0.0;
  value = Finite(value);
  // Split the pattern into literal prefix, number part and literal suffix.
  size_t first = pattern.find_first_of("#0.,");
  size_t last = pattern.find_last_of("#0.,");
  if (first == std::string_view::npos) return std::string(pattern);
  std::string prefix(pattern.substr(0, first));
  std::string suffix(pattern.substr(last + 1));
  std::string_view body = pattern.substr(first, last - first + 1);
  size_t dot = body.find('.');
  std::string_view ipat = body.substr(0, dot);
  std::string_view dpat = dot == std::string_view::npos ? std::string_view{} : body.substr(dot + 1);
  int intZeros = static_cast<int>(std::count(ipat.begin(), ipat.end(), '0'));
  bool grouping = ipat.find(',') != std::string_view::npos;
  int decMax = 0, decMin = 0;
  for (char c : dpat) {
    if (c == '#' || c == '0') {
      ++decMax;
      if (c == '0') decMin = decMax;
    }
  }

  // Round on the value as the runtime shows it (15 significant digits), half
  // away from zero, so 2.675 gives 2.68 as a racer expects.
  Decimal d = Significant(value, 15);
  std::string intDigits, decDigits;
  if (value != 0.0) {
    // Place the digits: position p of digits has power exp - p.
    int keepUpTo = d.exp + decMax;  // number of digits to keep - 1
    std::string kept;
    bool roundUp = false;
    if (keepUpTo < -1) {
      kept = "";
    } else {
      int keep = keepUpTo + 1;
      if (keep >= (int)d.digits.size()) {
        kept = d.digits + std::string(keep - d.digits.size(), '0');
      } else {
        kept = d.digits.substr(0, keep);
        roundUp = d.digits[keep] >= '5';
      }
    }
    int exp = d.exp;
    if (keepUpTo == -1) {
      // Only the first dropped digit decides, there is nothing kept.
      roundUp = d.digits[0] >= '5';
    }
    if (roundUp) {
      int k = static_cast<int>(kept.size()) - 1;
      while (k >= 0 && kept[k] == '9') kept[k--] = '0';
      if (k >= 0) kept[k]++;
      else {
        kept.insert(kept.begin(), '1');
        ++exp;
      }
    }
    // kept now holds the digits from power `exp` down to power -decMax.
    int totalDigits = static_cast<int>(kept.size());
    int intCount = exp + 1;  // digits at powers >= 0
    if (totalDigits == 0) {
      intDigits = "";
      decDigits = std::string(decMax, '0');
    } else if (intCount > 0) {
      intDigits = kept.substr(0, std::min(intCount, totalDigits));
      while ((int)intDigits.size() < intCount) intDigits += '0';
      decDigits = intCount < totalDigits ? kept.substr(intCount) : "";
    } else {
      decDigits = std::string(-intCount, '0') + kept;
    }
    decDigits.resize(decMax, '0');
    intDigits.erase(0, intDigits.find_first_not_of('0'));
  } else {
    decDigits = std::string(decMax, '0');
  }
  while ((int)intDigits.size() < intZeros) intDigits.insert(intDigits.begin(), '0');
  while ((int)decDigits.size() > decMin && decDigits.back() == '0') decDigits.pop_back();
  if (grouping && intDigits.size() > 3) {
    std::string g;
    int c = 0;
    for (auto it = intDigits.rbegin(); it != intDigits.rend(); ++it) {
      if (c && c % 3 == 0) g.insert(g.begin(), ',');
      g.insert(g.begin(), *it);
      ++c;
    }
    intDigits = g;
  }
  bool nonzero = intDigits.find_first_of("123456789") != std::string::npos ||
                 decDigits.find_first_of("123456789") != std::string::npos;
  std::string out = prefix;
  if (value < 0 && nonzero) out += '-';
  out += intDigits;
  if (dot != std::string_view::npos) out += '.';
  out += decDigits;
  out += suffix;
  return out;
}

namespace {

// FormatDecimals without the general pattern machinery: the same digits as
// Format gives for its five patterns (15 significant digits, then half away
// from zero at the last decimal), built on the stack. Every cell of every
// result row goes through here, so it must not allocate.
bool FastDecimals(double value, int dec, std::string& out) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e15) return false;
  char intDigits[24];
  char decDigits[8];
  int nInt = 0;
  for (int i = 0; i < dec; ++i) decDigits[i] = '0';
  if (value != 0.0) {
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    // buf: d.dddddddddddddde[+-]xx
    char digits[16];
    int nd = 0;
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
      if (*p != '.') digits[nd++] = *p;
    int exp = 0;
    const char* ep = p + 1;
    if (ep < res.ptr && *ep == '+') ++ep;
    std::from_chars(ep, res.ptr, exp);

    char kept[40];
    int nk = 0;
    bool roundUp = false;
    const int keepUpTo = exp + dec;
    if (keepUpTo >= -1) {
      const int keep = keepUpTo + 1;
      if (keep >= nd) {
        for (int i = 0; i < nd; ++i) kept[nk++] = digits[i];
        while (nk < keep) kept[nk++] = '0';
      } else {
        for (int i = 0; i < keep; ++i) kept[nk++] = digits[i];
        roundUp = digits[keep] >= '5';
      }
    }
    if (roundUp) {
      int k = nk - 1;
      while (k >= 0 && kept[k] == '9') kept[k--] = '0';
      if (k >= 0) {
        kept[k]++;
      } else {
        for (int i = nk; i > 0; --i) kept[i] = kept[i - 1];
        kept[0] = '1';
        ++nk;
        ++exp;
      }
    }
    const int intCount = exp + 1;
    if (nk > 0) {
      if (intCount > 0) {
        const int take = intCount < nk ? intCount : nk;
        for (int i = 0; i < take; ++i) intDigits[nInt++] = kept[i];
        while (nInt < intCount) intDigits[nInt++] = '0';
        for (int i = intCount, j = 0; i < nk && j < dec; ++i, ++j) decDigits[j] = kept[i];
      } else {
        // -intCount zeros, then the kept digits, cut to the decimals shown.
        int j = -intCount;
        for (int i = 0; i < nk && j < dec; ++i, ++j) decDigits[j] = kept[i];
      }
    }
    int lead = 0;
    while (lead < nInt && intDigits[lead] == '0') ++lead;
    for (int i = lead; i < nInt; ++i) intDigits[i - lead] = intDigits[i];
    nInt -= lead;
  }
  if (dec == 0 && nInt == 0) intDigits[nInt++] = '0';  // "####0" shows one digit

  bool nonzero = false;
  for (int i = 0; i < nInt; ++i) nonzero |= intDigits[i] != '0';
  for (int i = 0; i < dec; ++i) nonzero |= decDigits[i] != '0';
  char text[40];
  int n = 0;
  if (value < 0 && nonzero) text[n++] = '-';
  for (int i = 0; i < nInt; ++i) text[n++] = intDigits[i];
  if (dec > 0) {
    text[n++] = '.';
    for (int i = 0; i < dec; ++i) text[n++] = decDigits[i];
  }
  out.assign(text, n);
  return true;
}

// The quickest road, in whole numbers: good for every value a results row
// holds except those within rounding noise of a half.
bool QuickDecimals(double value, int dec, std::string& cell) {
  static constexpr double kScale[] = {1, 10, 100, 1000, 10000};
  const double a = std::fabs(value);
  if (!(a < 1e9)) return false;
  // The formatter rounds the 15-digit decimal form of the value half away
  // from zero. That form lies within 1e-14 of the value, so only a scaled
  // value this close to a half can round differently: those go the long way.
  const double scaled = a * kScale[dec];
  const auto truncated = static_cast<uint64_t>(scaled);  // Int of a value >= 0
  const double frac = scaled - static_cast<double>(truncated);
  if (std::fabs(frac - 0.5) <= (scaled + 1) * 1e-13) return false;
  uint64_t n = truncated + (frac > 0.5 ? 1 : 0);
  // Right to left: the decimals, the point, the whole digits, the sign.
  char text[32];
  char* const end = text + sizeof text;
  char* p = end;
  const bool negative = value < 0 && n != 0;
  for (int i = 0; i < dec; ++i, n /= 10) *--p = static_cast<char>('0' + n % 10);
  if (dec > 0) *--p = '.';
  if (n == 0 && dec == 0) *--p = '0';
  for (; n > 0; n /= 10) *--p = static_cast<char>('0' + n % 10);
  if (negative) *--p = '-';
  cell.clear();
  cell.append(p, static_cast<size_t>(end - p));
  return true;
}

}  // namespace

void FormatDecimalsTo(double value, int decimals, std::string& out) {
  static const char* kPattern[] = {"####0", "#####.0", "#####.00", "#####.000", "#####.0000"};
  const int dec = decimals >= 1 && decimals <= 4 ? decimals : 0;
  if (QuickDecimals(value, dec, out) || FastDecimals(value, dec, out)) return;
  out = Format(value, kPattern[dec]);
}

std::string FormatDecimals(double value, int decimals) {
  std::string out;
  FormatDecimalsTo(value, decimals, out);
  return out;
}

namespace {
const char* kDayShort[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* kDayLong[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* kMonShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* kMonLong[] = {"January", "February", "March", "April", "May", "June",
                          "July", "August", "September", "October", "November", "December"};

std::string Two(int v) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", v);
  return b;
}
}  // namespace

std::string FormatDate(const std::tm& tm, std::string_view p) {
  bool twelve = false;
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    if ((p[i] == 'a' || p[i] == 'A') && (p.substr(i, 5) == "am/pm" || p.substr(i, 5) == "AM/PM" ||
                                         p.substr(i, 3) == "a/p" || p.substr(i, 3) == "A/P"))
      twelve = true;
  }
  std::string out;
  bool afterHour = false;
  size_t i = 0;
  auto run = [&](char c) {
    size_t n = 0;
    while (i + n < p.size() && std::tolower(static_cast<unsigned char>(p[i + n])) == c) ++n;
    return n;
  };
  while (i < p.size()) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(p[i])));
    if (p.substr(i, 5) == "am/pm" || p.substr(i, 5) == "AM/PM") {
      bool upper = p[i] == 'A';
      std::string s = tm.tm_hour < 12 ? "am" : "pm";
      out += upper ? UCase(s) : s;
      i += 5;
      continue;
    }
    if (p.substr(i, 3) == "a/p" || p.substr(i, 3) == "A/P") {
      char s = tm.tm_hour < 12 ? 'a' : 'p';
      out += p[i] == 'A' ? static_cast<char>(std::toupper(s)) : s;
      i += 3;
      continue;
    }
    if (c == 'd') {
      size_t n = run('d');
      if (n == 1) out += std::to_string(tm.tm_mday);
      else if (n == 2) out += Two(tm.tm_mday);
      else if (n == 3) out += kDayShort[tm.tm_wday % 7];
      else out += kDayLong[tm.tm_wday % 7];
      i += n;
    } else if (c == 'm') {
      size_t n = run('m');
      if (afterHour && n <= 2) {
        out += n == 1 ? std::to_string(tm.tm_min) : Two(tm.tm_min);
      } else if (n == 1) out += std::to_string(tm.tm_mon + 1);
      else if (n == 2) out += Two(tm.tm_mon + 1);
      else if (n == 3) out += kMonShort[tm.tm_mon % 12];
      else out += kMonLong[tm.tm_mon % 12];
      afterHour = false;
      i += n;
    } else if (c == 'y') {
      size_t n = run('y');
      int y = tm.tm_year + 1900;
      out += n <= 2 ? Two(y % 100) : std::to_string(y);
      i += n;
    } else if (c == 'h') {
      size_t n = run('h');
      int h = tm.tm_hour;
      if (twelve) {
        h %= 12;
        if (h == 0) h = 12;
      }
      out += n == 1 ? std::to_string(h) : Two(h);
      afterHour = true;
      i += n;
      continue;
    } else if (c == 'n') {
      size_t n = run('n');
      out += n == 1 ? std::to_string(tm.tm_min) : Two(tm.tm_min);
      i += n;
    } else if (c == 's') {
      size_t n = run('s');
      out += n == 1 ? std::to_string(tm.tm_sec) : Two(tm.tm_sec);
      i += n;
    } else {
      out += p[i++];
      continue;  // separators keep "mm" after an hour meaning minutes
    }
  }
  return out;
}

std::tm LocalNow() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

int16_t CInt(double v) {
  if (std::isnan(v)) return 0;
  double r = RoundHalfEven(v);
  if (r < -32768.0) return -32768;
  if (r > 32767.0) return 32767;
  return static_cast<int16_t>(r);
}

std::string LTrim(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return std::string(s.substr(i));
}
std::string RTrim(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return std::string(s.substr(0, n));
}
std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }
std::string Left(std::string_view s, long n) {
  if (n <= 0) return "";
  return std::string(s.substr(0, static_cast<size_t>(n)));
}
std::string Right(std::string_view s, long n) {
  if (n <= 0) return "";
  size_t k = std::min(static_cast<size_t>(n), s.size());
  return std::string(s.substr(s.size() - k));
}
std::string Mid(std::string_view s, long start, long length) {
  if (start < 1) start = 1;
  if (static_cast<size_t>(start) > s.size()) return "";
  auto sub = s.substr(static_cast<size_t>(start - 1));
  if (length >= 0 && static_cast<size_t>(length) < sub.size()) sub = sub.substr(0, static_cast<size_t>(length));
  return std::string(sub);
}
std::string UCase(std::string_view s) {
  std::string r(s);
  for (auto& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return r;
}
std::string LCase(std::string_view s) {
  std::string r(s);
  for (auto& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}
long InStr(std::string_view s, std::string_view find, long start) {
  if (start < 1) start = 1;
  if (static_cast<size_t>(start) > s.size() + 1) return 0;
  auto pos = s.find(find, static_cast<size_t>(start - 1));
  return pos == std::string_view::npos ? 0 : static_cast<long>(pos) + 1;
}
std::string Space(long n) { return n > 0 ? std::string(static_cast<size_t>(n), ' ') : std::string(); }
bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

namespace {
// Code points of Windows-1252 bytes 0x80..0x9F (0 = undefined there).
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) out += static_cast<char>(cp);
  else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}
}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) {
    if (b < 0x80) out += static_cast<char>(b);
    else if (b < 0xA0) AppendUtf8(out, kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : b);
    else AppendUtf8(out, b);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    char32_t cp = 0;
    size_t len = 0;
    if ((c & 0xE0) == 0xC0) cp = c & 0x1F, len = 2;
    else if ((c & 0xF0) == 0xE0) cp = c & 0x0F, len = 3;
    else if ((c & 0xF8) == 0xF0) cp = c & 0x07, len = 4;
    bool ok = len && i + len <= s.size();
    for (size_t k = 1; ok && k < len; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {  // not UTF-8: keep the byte as it is
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    i += len;
    if (cp >= 0xA0 && cp <= 0xFF) out += static_cast<char>(cp);
    else if (cp >= 0x80 && cp < 0xA0) out += static_cast<char>(cp);
    else {
      char r = '?';
      for (size_t k = 0; k < kCp1252High.size(); ++k)
        if (kCp1252High[k] == cp) r = static_cast<char>(0x80 + k);
      out += r;
    }
  }
  return out;
}

}  // namespace sw
