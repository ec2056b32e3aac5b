#include "calibration/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace quillet {
namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool IsExponentMark(char16_t c) {
  return c == u'E' || c == u'e' || c == u'D' || c == u'd';
}

// Length of the longest leading part of `text` that is a decimal number: an
// optional sign, digits with at most one period (at least one digit in all),
// then an exponent mark, optional sign and digits, the exponent taken only
// when a digit follows it. 0 when no number starts the text.
std::size_t NumberLength(std::u16string_view text) {
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) ++pos;
  std::size_t digits = 0;
  while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
  if (pos < text.size() && text[pos] == u'.') {
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
  }
  if (digits == 0) return 0;
  if (pos < text.size() && IsExponentMark(text[pos])) {
    std::size_t exponent = pos + 1;
    if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-')) ++exponent;
    if (exponent < text.size() && IsDigit(text[exponent])) {
      while (exponent < text.size() && IsDigit(text[exponent])) ++exponent;
      pos = exponent;
    }
  }
  return pos;
}

// The power of ten of the number's first significant digit (exponent
// included, saturated far outside a double's range); it tells an overflow
// from an underflow. `number` is unsigned, with "e" as its exponent mark.
long long DecimalMagnitude(std::string_view number) {
  constexpr long long kSaturation = 1000000;
  const std::size_t mark = std::min(number.find('e'), number.size());
  const std::string_view mantissa = number.substr(0, mark);
  const std::size_t period = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return -kSaturation;  // all zeros
  long long magnitude = first < period ? static_cast<long long>(period - first) - 1
                                       : -static_cast<long long>(first - period);
  long long exponent = 0;
  bool negative_exponent = false;
  std::size_t i = mark + 1;
  if (i < number.size() && (number[i] == '-' || number[i] == '+')) {
    negative_exponent = number[i] == '-';
    ++i;
  }
  for (; i < number.size(); ++i) {
    exponent = std::min(exponent * 10 + (number[i] - '0'), kSaturation);
  }
  return magnitude + (negative_exponent ? -exponent : exponent);
}

// Converts a text that NumberLength accepted in full. A value too large for a
// double gives an infinity, one too small gives a zero of the same sign.
double ToDouble(std::u16string_view text) {
  std::string ascii;
  ascii.reserve(text.size());
  bool negative = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (i == 0 && (c == u'+' || c == u'-')) {
      negative = c == u'-';
      continue;
    }
    ascii.push_back(IsExponentMark(c) ? 'e' : static_cast<char>(c));
  }
  double value = 0;
  const auto [end, error] =
      std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::general);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    value = DecimalMagnitude(ascii) > 0 ? HUGE_VAL : 0.0;
  } else if (error != std::errc()) {
    value = 0;
  }
  return negative ? -value : value;
}

bool IsBlankOrTab(char16_t c) {
  return c == u' ' || c == u'\t';
}

}  // namespace

std::optional<double> ParseOffset(std::u16string_view line) {
  while (!line.empty() && IsBlankOrTab(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlankOrTab(line.back())) line.remove_suffix(1);
  if (line.empty() || NumberLength(line) != line.size()) return std::nullopt;
  const double value = ToDouble(line);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::u16string FormatNumber(double value) {
  if (value == 0) return u"0";  // also -0, which would otherwise show as "-0"
  // Plain digits read best; the shortest form alone would write 0.0005 as
  // "5e-04" and 100000 as "1e+05". Beyond these bounds plain digits grow long.
  constexpr double kSmallestPlain = 1e-6;
  constexpr double kLargestPlain = 1e21;  // excluded
  const double magnitude = std::fabs(value);
  const std::chars_format form = magnitude >= kSmallestPlain && magnitude < kLargestPlain
                                     ? std::chars_format::fixed
                                     : std::chars_format::scientific;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, form);
  return std::u16string(buffer, result.ptr);
}

double ReadNumber(std::u16string_view answer) {
  std::u16string packed;
  packed.reserve(answer.size());
  for (const char16_t c : answer) {
    if (c != u' ' && c != u'\t' && c != u'\n') packed.push_back(c);
  }
  const std::size_t length = NumberLength(packed);
  if (length == 0) return 0;
  return ToDouble(std::u16string_view(packed).substr(0, length));
}

}  // namespace quillet
