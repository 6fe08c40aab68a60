// The names the keyboard set-up screen shows for key codes (Windows virtual-key numbering, plus the
// three mouse buttons the same numbering has). Codes 0..299; a code without a name shows empty text.
#pragma once

#include <array>
#include <string_view>

namespace qv {

inline constexpr int kKeyNameCount = 300;
using KeyNames = std::array<std::string_view, kKeyNameCount>;

// Builds the table from the ordered list of (name, code) pairs.
KeyNames BuildKeyNames();

// The name of a key code; empty text for a code without a name and for any code outside 0..299.
std::string_view KeyName(const KeyNames& names, int code);

}  // namespace qv
