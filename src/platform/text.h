// Text and number semantics every window and file of the program relies on.
//
// Values are kept as text and converted with a decimal point, whatever the
// user's locale: nothing here consults the C or C++ global locale.
#pragma once

#include <cmath>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace sw {

// The carriage return (character 13) that message texts use as a line break.
inline constexpr char CR = '\r';
inline const std::string CRLF = "\r\n";

// Leading-number conversion: the longest numeric prefix of the text, blanks
// anywhere ignored, "&H"/"&O" prefixes understood; "" or "abc" give 0.
// Never fails and never returns NaN or infinity.
double Val(std::string_view text);

// True when the text, blanks around it aside, is one whole number: a sign,
// digits with at most one decimal point, an optional exponent ("12", "-.5",
// "300.001", "1E3"). Files whose items must be numbers are checked with it.
bool IsNumeric(std::string_view text);

// Number to text with one leading blank for values >= 0 (" 500", "-3",
// " .5"); up to 15 significant digits, E notation outside 1E-5..1E15.
std::string Str(double value);
// The same for a single-precision value (7 significant digits).
std::string StrSingle(float value);

// Format(value, pattern) for numeric patterns built of "#" (optional digit),
// "0" (required digit), "." and ",": "####.00" -> ".50", "#####0" -> "12",
// "#" -> "" for 0. Rounds half away from zero on the exact decimal value.
std::string Format(double value, std::string_view pattern);

// Date and time by a pattern of d, dd, ddd, dddd, m, mm, mmm, mmmm, yy, yyyy,
// h, hh, n, nn, s, ss, am/pm, AM/PM, a/p ("mm" right after an hour means
// minutes). Example: "ddd mmm d yy  h:mm am/pm" -> "Mon Dec 7 26  8:05 am".
std::string FormatDate(const std::tm& when, std::string_view pattern);
std::tm LocalNow();

// The number formatter of the results table: 4 "#####.0000", 3 "#####.000",
// 2 "#####.00", 1 "#####.0", anything else "####0".
std::string FormatDecimals(double value, int decimals);
// The same into an existing text, without allocating for the values a
// results row holds (it runs inside the time-step loop).
void FormatDecimalsTo(double value, int decimals, std::string& out);

// Int rounds toward minus infinity; Fix toward zero.
inline double Int(double value) { return std::floor(value); }
inline double Fix(double value) { return std::trunc(value); }
// Rounding half to even, as the runtime's CInt and CLng do.
inline double RoundHalfEven(double value) { return std::nearbyint(value); }  // default FE_TONEAREST
// CInt: half to even, then clamped into the 16-bit range (the runtime raised
// an overflow; callers that care test InRange16 first).
int16_t CInt(double value);
inline bool InRange16(double value) {
  if (std::isnan(value)) return false;
  const double r = RoundHalfEven(value);
  return r >= -32768.0 && r <= 32767.0;
}

// String helpers with the runtime's meaning (byte positions, 1-based Mid).
std::string Trim(std::string_view s);   // blanks only
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string Left(std::string_view s, long n);
std::string Right(std::string_view s, long n);
std::string Mid(std::string_view s, long start, long length = -1);
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);
// 1-based position of `find` in `s` from `start`, 0 when absent.
long InStr(std::string_view s, std::string_view find, long start = 1);
std::string Space(long n);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Windows-1252 on disk, UTF-8 inside.
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view text);

}  // namespace sw
