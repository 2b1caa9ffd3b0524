#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ld::fuzz {

// The two text primitives as the plainest byte loop: the model the fuzz targets judge by. A match
// may start only on the first byte of a character; a byte of 0x80 or above starts a two-byte one.

inline bool IsAsciiLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

inline bool SameByte(unsigned char a, unsigned char b, bool letterCaseMatters) {
  if (a == b) {
    return true;
  }
  return !letterCaseMatters && IsAsciiLetter(a) && IsAsciiLetter(b) && (a | 0x20) == (b | 0x20);
}

// The offset of the first match, or npos.
inline std::size_t ModelFind(std::string_view text, std::string_view pattern,
                             bool letterCaseMatters) {
  if (text.empty() || pattern.empty()) {
    return std::string_view::npos;
  }
  std::size_t at = 0;
  while (text.size() - at >= pattern.size()) {
    std::size_t i = 0;
    while (i < pattern.size() &&
           SameByte(static_cast<unsigned char>(text[at + i]),
                    static_cast<unsigned char>(pattern[i]), letterCaseMatters)) {
      ++i;
    }
    if (i == pattern.size()) {
      return at;
    }
    at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
    if (at > text.size()) {
      break;
    }
  }
  return std::string_view::npos;
}

inline std::string ModelReplaceFirst(std::string_view text, std::string_view pattern,
                                     std::string_view replacement) {
  const std::size_t at = ModelFind(text, pattern, false);
  if (at == std::string_view::npos) {
    return std::string(text);
  }
  std::string result(text.substr(0, at));
  result += replacement;
  result += text.substr(at + pattern.size());
  return result;
}

inline bool ModelContainsExact(std::string_view text, std::string_view pattern) {
  return ModelFind(text, pattern, true) != std::string_view::npos;
}

}  // namespace ld::fuzz
