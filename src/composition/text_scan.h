#pragma once

#include <string_view>

#include "common/text.h"

namespace ld {

// The two text primitives the composition rules rest on. Both walk the text character by
// character as GBK does: a byte of 0x80 or above starts a double-byte character, so a match never
// starts on the second byte of one.

// The text with the first match of pattern replaced by replacement. ASCII letters match
// themselves in either case; every other byte matches only itself. Empty text or pattern, or no
// match: the text unchanged. An empty replacement removes the match.
Text ReplaceFirst(std::string_view text, std::string_view pattern, std::string_view replacement);

// Whether the text holds the pattern, bytes compared exactly. Empty text or pattern: false.
bool ContainsExact(std::string_view text, std::string_view pattern);

namespace reference {

// The same primitives as a plain scan that steps one character at a time and compares at every
// step. Slow; kept as the yardstick the fast scan is checked and measured against.
Text ReplaceFirst(std::string_view text, std::string_view pattern, std::string_view replacement);
bool ContainsExact(std::string_view text, std::string_view pattern);

}  // namespace reference

}  // namespace ld
