#include "composition/text_scan.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>

namespace ld {
namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

bool IsHighByte(unsigned char byte) {
  return byte >= 0x80;
}

bool IsAsciiLetter(unsigned char byte) {
  const auto lower = static_cast<unsigned char>(byte | 0x20);
  return lower >= 'a' && lower <= 'z';
}

// How often a byte turns up in a GBK shop page, roughly: the search anchors on the pattern byte
// the page is least likely to hold, so that it stops at as few candidates as possible.
constexpr std::array<unsigned char, 256> MakeByteCommonness() {
  std::array<unsigned char, 256> commonness{};
  for (int byte = 0; byte < 256; ++byte) {
    unsigned char value = 10;  // control bytes and rare punctuation
    if (byte >= 0xa1 && byte <= 0xfe) {
      value = 170;  // the bulk of GBK lead and trail bytes
    } else if (byte >= 0x80) {
      value = 60;  // trail bytes of the rarer GBK characters
    } else if (byte >= '0' && byte <= '9') {
      value = 110;
    }
    commonness[static_cast<std::size_t>(byte)] = value;
  }
  // Letters by how often shop pages use them; upper case is rarer. "px" makes 'x' common.
  const struct {
    std::string_view letters;
    unsigned char lower;
    unsigned char upper;
  } kLetters[] = {
      {"etaoinsrlx", 200, 110}, {"hdcumpfg", 170, 90}, {"wybvkj", 120, 60}, {"qz", 50, 25}};
  for (const auto& group : kLetters) {
    for (const char c : group.letters) {
      commonness[static_cast<unsigned char>(c)] = group.lower;
      commonness[static_cast<unsigned char>(c - 'a' + 'A')] = group.upper;
    }
  }
  for (const char c : std::string_view(" <>\"=/\n\t")) {
    commonness[static_cast<unsigned char>(c)] = 230;
  }
  for (const char c : std::string_view("-:;.\r")) {
    commonness[static_cast<unsigned char>(c)] = 180;
  }
  for (const char c : std::string_view("#_,()'%&{}")) {
    commonness[static_cast<unsigned char>(c)] = 90;
  }
  for (const char c : std::string_view("!?+*[]|")) {
    commonness[static_cast<unsigned char>(c)] = 30;
  }
  return commonness;
}

constexpr std::array<unsigned char, 256> kByteCommonness = MakeByteCommonness();

unsigned char CommonnessOf(char byte) {
  return kByteCommonness[static_cast<unsigned char>(byte)];
}

// Decides whether candidate positions, asked in increasing order, are positions the character
// scan stops at. Right after a byte below 0x80 (or at the start) a character always begins;
// within a run of high bytes only every second position does. The look-back stops at the last
// position decided, so no byte is looked at twice however many candidates a long run holds.
class CharacterStarts {
 public:
  explicit CharacterStarts(std::string_view text) : text_(text) {}

  bool IsStart(std::size_t pos) {
    std::size_t runStart = pos;
    bool start = false;
    for (;;) {
      if (decided_ && runStart == lastPos_) {
        start = lastIsStart_ == ((pos - runStart) % 2 == 0);
        break;
      }
      if (runStart == 0 || !IsHighByte(static_cast<unsigned char>(text_[runStart - 1]))) {
        start = (pos - runStart) % 2 == 0;
        break;
      }
      --runStart;
    }
    decided_ = true;
    lastPos_ = pos;
    lastIsStart_ = start;
    return start;
  }

 private:
  std::string_view text_;
  bool decided_ = false;
  std::size_t lastPos_ = 0;
  bool lastIsStart_ = false;
};

// The pattern as the fast scan compares it: each byte ORed with its mask must equal its folded
// value. Letters carry the mask 0x20 when case does not count, so either case of them matches.
class Pattern {
 public:
  Pattern(std::string_view pattern, bool foldLetters) : exact_(pattern), fold_(foldLetters) {
    if (fold_) {
      folded_.resize(pattern.size());
      masks_.resize(pattern.size());
      for (std::size_t i = 0; i < pattern.size(); ++i) {
        const auto byte = static_cast<unsigned char>(pattern[i]);
        const bool letter = IsAsciiLetter(byte);
        masks_[i] = static_cast<char>(letter ? 0x20 : 0);
        folded_[i] = static_cast<char>(letter ? (byte | 0x20) : byte);
      }
    }
    ChooseAnchor();
  }

  std::size_t size() const { return exact_.size(); }
  std::size_t anchorOffset() const { return anchorOffset_; }
  char anchor() const { return anchor_; }
  // The same byte as anchor() unless the anchor is a letter whose case does not count.
  char otherAnchor() const { return otherAnchor_; }

  bool MatchesAt(const char* bytes) const {
    if (!fold_) {
      return std::memcmp(bytes, exact_.data(), exact_.size()) == 0;
    }
    for (std::size_t i = 0; i < folded_.size(); ++i) {
      if (static_cast<char>(bytes[i] | masks_[i]) != folded_[i]) {
        return false;
      }
    }
    return true;
  }

 private:
  void ChooseAnchor() {
    // A byte that matches only itself is one fast search; a case-free letter needs two, and
    // stops at either case.
    int best = -1;
    for (std::size_t i = 0; i < exact_.size(); ++i) {
      int cost = CommonnessOf(exact_[i]);
      if (fold_ && IsAsciiLetter(static_cast<unsigned char>(exact_[i]))) {
        cost = CommonnessOf(static_cast<char>(exact_[i] | 0x20)) + 25;
      }
      if (best < 0 || cost < best) {
        best = cost;
        anchorOffset_ = i;
      }
    }
    anchor_ = exact_[anchorOffset_];
    otherAnchor_ = anchor_;
    if (fold_ && IsAsciiLetter(static_cast<unsigned char>(anchor_))) {
      otherAnchor_ = static_cast<char>(anchor_ ^ 0x20);
    }
  }

  std::string_view exact_;
  bool fold_;
  std::string folded_;
  std::string masks_;
  std::size_t anchorOffset_ = 0;
  char anchor_ = 0;
  char otherAnchor_ = 0;
};

// Finds the positions of one or two byte values in increasing order with memchr, keeping the next
// hit of each value so that no range is searched twice.
class AnchorSearch {
 public:
  AnchorSearch(const char* bytes, std::size_t end, char first, char second)
      : bytes_(bytes), end_(end), first_{first}, second_{second} {}

  // The first position at or after from holding either value, or kNotFound.
  std::size_t Next(std::size_t from) {
    Refresh(first_, from);
    if (first_.value == second_.value) {
      return first_.pos;
    }
    Refresh(second_, from);
    return std::min(first_.pos, second_.pos);
  }

 private:
  struct Hit {
    char value;
    std::size_t pos = kNotFound;
    bool known = false;
  };

  void Refresh(Hit& hit, std::size_t from) const {
    if (hit.known && (hit.pos == kNotFound || hit.pos >= from)) {
      return;
    }
    hit.known = true;
    hit.pos = kNotFound;
    if (from < end_) {
      const void* found =
          std::memchr(bytes_ + from, static_cast<unsigned char>(hit.value), end_ - from);
      if (found != nullptr) {
        hit.pos = static_cast<std::size_t>(static_cast<const char*>(found) - bytes_);
      }
    }
  }

  const char* bytes_;
  std::size_t end_;
  Hit first_;
  Hit second_;
};

// The position where the character scan would find the pattern first, or kNotFound. Candidates
// come from a fast search for the pattern's rarest byte; every candidate is checked in turn, so
// one that starts inside a character never hides a later real match.
std::size_t FindFirst(std::string_view text, std::string_view pattern, bool foldLetters) {
  if (text.empty() || pattern.empty() || pattern.size() > text.size()) {
    return kNotFound;
  }
  const Pattern compiled(pattern, foldLetters);
  const std::size_t lastStart = text.size() - pattern.size();
  const std::size_t offset = compiled.anchorOffset();
  AnchorSearch anchors(text.data(), lastStart + offset + 1, compiled.anchor(),
                       compiled.otherAnchor());
  CharacterStarts starts(text);
  std::size_t from = offset;
  for (;;) {
    const std::size_t hit = anchors.Next(from);
    if (hit == kNotFound) {
      return kNotFound;
    }
    const std::size_t candidate = hit - offset;
    if (compiled.MatchesAt(text.data() + candidate) && starts.IsStart(candidate)) {
      return candidate;
    }
    from = hit + 1;
  }
}

Text Spliced(std::string_view text, std::size_t at, std::size_t length,
             std::string_view replacement) {
  Text result;
  result.reserve(text.size() - length + replacement.size());
  result.append(text.substr(0, at));
  result.append(replacement);
  result.append(text.substr(at + length));
  return result;
}

}  // namespace

Text ReplaceFirst(std::string_view text, std::string_view pattern, std::string_view replacement) {
  const std::size_t at = FindFirst(text, pattern, true);
  if (at == kNotFound) {
    return Text(text);
  }
  return Spliced(text, at, pattern.size(), replacement);
}

bool ContainsExact(std::string_view text, std::string_view pattern) {
  return FindFirst(text, pattern, false) != kNotFound;
}

namespace reference {
namespace {

bool SameLetterOrByte(unsigned char a, unsigned char b) {
  if (IsAsciiLetter(a) && IsAsciiLetter(b)) {
    return (a | 0x20) == (b | 0x20);
  }
  return a == b;
}

std::size_t ScanFor(std::string_view text, std::string_view pattern, bool foldLetters) {
  if (text.empty() || pattern.empty()) {
    return kNotFound;
  }
  std::size_t pos = 0;
  while (pos < text.size() && text.size() - pos >= pattern.size()) {
    bool match = true;
    for (std::size_t i = 0; i < pattern.size() && match; ++i) {
      const auto a = static_cast<unsigned char>(text[pos + i]);
      const auto b = static_cast<unsigned char>(pattern[i]);
      match = foldLetters ? SameLetterOrByte(a, b) : a == b;
    }
    if (match) {
      return pos;
    }
    pos += IsHighByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
  }
  return kNotFound;
}

}  // namespace

Text ReplaceFirst(std::string_view text, std::string_view pattern, std::string_view replacement) {
  const std::size_t at = ScanFor(text, pattern, true);
  if (at == kNotFound) {
    return Text(text);
  }
  return Spliced(text, at, pattern.size(), replacement);
}

bool ContainsExact(std::string_view text, std::string_view pattern) {
  return ScanFor(text, pattern, false) != kNotFound;
}

}  // namespace reference
}  // namespace ld
