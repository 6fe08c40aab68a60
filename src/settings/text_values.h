// How numbers are spelt in the game's text files (settings, colours, high scores).
#pragma once

#include <string>
#include <string_view>

namespace qv {

// Reads a whole number the forgiving way a hand-edited file needs: leading blanks (spaces, tabs),
// an optional "+" or "-", then digits up to the first other character. A "$" after the sign reads
// hexadecimal digits and a "%" binary ones. Text without digits reads 0.
// Numbers wider than 32 bits wrap around modulo 2^32, as 32-bit arithmetic would: "$FFFFFFFF"
// reads -1 and "4294967296" reads 0. Every result is some int, so callers range-check as usual.
int ParseLenientInt(std::string_view text);

// Reads a real the way C's strtod does (leading white space, sign, decimals, exponent, hex floats),
// then narrows it to single precision. Text without a number reads 0. "nan", "inf" and anything too
// large for a float also read 0: a non-finite value would poison every sum it enters (a volume, a
// dead zone) and no check downstream could spot it.
float ParseReal(std::string_view text);

// The file form of a real: "%#.9g" of the float widened to double, enough digits to read the very same
// float back (0.95 is written 0.949999988, 0 as 0.00000000, 1 as 1.00000000).
std::string FormatReal(float value);

// The file form of a 0..1 setting such as a volume: the value in whole hundredths, truncated toward
// zero as the value reads in its shortest decimal form (0.5 is 50, 0.85 is 85, a value held as
// 0.8399999 is 83). Truncating the binary product instead would turn a volume read as 53 (held as
// 0.529999971) into 52 at the next save. Saturates at the int limits.
int ToHundredths(float value);

// Truncates toward zero like a C cast, but saturates at the int limits and turns NaN into 0 instead
// of being undefined for values an int cannot hold.
int TruncateToInt(double value);

// The upper-case form of ASCII text (other bytes unchanged), for names matched in any letter case.
std::string UpperCase(std::string_view text);

}  // namespace qv
