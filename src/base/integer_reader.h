#pragma once
#include <cstdint>
#include <string_view>

namespace pondaro {

// Reads the number at the start of a text the way every numeric field and file
// attribute is read: leading blanks, an optional sign, then decimal digits, or "$"
// and hexadecimal digits, or "%" and binary digits. Reading stops at the first other
// character; a text without digits gives 0. Values beyond signed 32 bits are clamped.
int32_t readInteger(std::string_view text);

} // namespace pondaro
