#pragma once
// Writing text into XML so that any conforming parser reads it back exactly.
#include <string>
#include <string_view>

namespace pondaro {

// Escapes text for element content or (with `attribute`) an attribute value. CR always,
// and LF and TAB inside attribute values, become character references (a parser would
// otherwise turn them into LF or spaces). Characters XML 1.0 cannot carry at all
// (control characters, U+FFFE, U+FFFF) are dropped and broken UTF-8 becomes U+FFFD, so
// what is written always reads back.
void appendXmlEscaped(std::string& out, std::string_view text, bool attribute);

} // namespace pondaro
