// Numbers as the user types them and as the calibration file holds them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// The offset in a calibration line: the whole line must be one decimal number
// (sign, digits with an optional period, optional exponent), blanks around it
// allowed; nothing else is a number. Gives nothing for a non-finite value.
std::optional<double> ParseOffset(std::u16string_view line);

// The shortest decimal text that reads back as exactly `value`, with a period
// and no thousands separators: plain digits for magnitudes from 1e-6 up to
// below 1e21, an exponent ("1e+300") beyond them, and zero (also -0) as "0".
std::u16string FormatNumber(double value);

// The leading decimal number of a typed answer, after removing every blank,
// tab and LF; 0 when there is none. Overflow gives an infinity.
double ReadNumber(std::u16string_view answer);

}  // namespace quillet
