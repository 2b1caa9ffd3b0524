#include "composition/text_scan.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace ld {
namespace {

using namespace std::string_literals;

struct ScanCase {
  const char* what;
  std::string text;
  std::string pattern;
  std::string replacement;
  std::string replaced;  // ReplaceFirst's result
  bool contains;         // ContainsExact's result
};

// "\xb0\xa1" is 啊 and "\xb0\xa2" is 阿; "\x81\x41" is a character whose trail byte is 'A'.
const std::vector<ScanCase> kScanCases = {
    {"letters fold in either direction", "xxABcyy", "aBC", "#", "xx#yy", false},
    {"exact comparison keeps letter case", "xxabcyy", "abc", "#", "xx#yy", true},
    {"bracket and brace differ only by the case bit but are not letters", "a{b", "a[b", "#", "a{b",
     false},
    {"at sign and backquote do not fold", "x`y", "x@y", "#", "x`y", false},
    {"caret and tilde do not fold", "x~y", "x^y", "#", "x~y", false},
    {"only the first match is replaced", "abAB", "ab", "#", "#AB", true},
    {"a pattern starting in a trail byte is not matched", "\xb0\xa1\xb0\xa2", "\xa1\xb0", "#",
     "\xb0\xa1\xb0\xa2", false},
    {"an ASCII trail byte is not a match", "\x81\x41", "A", "#", "\x81\x41", false},
    {"a case-folded letter in a trail byte is not a match", "\x81\x41", "a", "#", "\x81\x41",
     false},
    {"the letter after a double-byte character matches",
     "\x81\x41"
     "A",
     "a", "#", "\x81\x41#", false},
    {"after an odd run of high bytes the next byte is a trail byte", "\xb0\xb0\xb0<!>", "<!>", "#",
     "\xb0\xb0\xb0<!>", false},
    {"after an even run of high bytes a character starts", "\xb0\xb0\xb0\xb0<!>", "<!>", "#",
     "\xb0\xb0\xb0\xb0#", true},
    {"a high pattern at an odd offset of a run is skipped", "\xb1\xb2\xb3\xb4", "\xb2\xb3", "#",
     "\xb1\xb2\xb3\xb4", false},
    {"a high pattern at an even offset of a run matches", "\xb1\xb2\xb3\xb4", "\xb3\xb4", "#",
     "\xb1\xb2#", true},
    {"a candidate inside a character does not hide the next one", "\xb0<!<!", "<!", "#", "\xb0<!#",
     true},
    {"a run ending in a trail byte is followed by a character start",
     "\xb0\xa1\xb0"
     "a<!",
     "<!", "#",
     "\xb0\xa1\xb0"
     "a#",
     true},
    {"a match at the very end", "xx<!-- -->", "<!-- -->", "#", "xx#", true},
    {"a match that is the whole text", "abc", "ABC", "", "", false},
    {"pattern longer than the text", "ab", "abc", "#", "ab", false},
    {"pattern longer than the bytes that remain", "xab", "abc", "#", "xab", false},
    {"empty text", "", "a", "#", "", false},
    {"empty pattern", "abc", "", "#", "abc", false},
    {"empty replacement removes the match", "a<b>c", "<B>", "", "ac", false},
    {"bytes of zero are compared like any other", "a\0b\0c"s, "b\0c"s, "#", "a\0#"s, true},
};

class ScanTable : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanTable, fastAndReferenceScansGiveTheExpectedResult) {
  const ScanCase& c = GetParam();
  EXPECT_EQ(ReplaceFirst(c.text, c.pattern, c.replacement), c.replaced);
  EXPECT_EQ(reference::ReplaceFirst(c.text, c.pattern, c.replacement), c.replaced);
  EXPECT_EQ(ContainsExact(c.text, c.pattern), c.contains);
  EXPECT_EQ(reference::ContainsExact(c.text, c.pattern), c.contains);
}

void PrintTo(const ScanCase& c, std::ostream* out) {
  *out << c.what;
}

// The case's description as a test name: its words joined by underscores.
std::string NameOf(const ::testing::TestParamInfo<ScanCase>& info) {
  std::string name;
  for (const char c : std::string_view(info.param.what)) {
    const bool word = std::isalnum(static_cast<unsigned char>(c)) != 0;
    if (word) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Primitives, ScanTable, ::testing::ValuesIn(kScanCases), NameOf);

// Random texts drawn from a small alphabet so that candidates, letters of both cases, trail bytes
// and long runs of high bytes come up often.
class TextGenerator {
 public:
  explicit TextGenerator(unsigned seed) : random_(seed) {}

  int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

  // GBK-like: ASCII and double-byte characters, some with ASCII trail bytes, some long runs.
  std::string GbkLike(int length) {
    static const std::string kAscii = "<!- aAbB[{@`9";
    static const std::string kLeads = "\x81\xb0\xea";
    static const std::string kTrails = "\x41\x61\xa1\xb0\x81";
    std::string text;
    while (static_cast<int>(text.size()) < length) {
      const int kind = Below(10);
      if (kind < 5) {
        text += kAscii[static_cast<std::size_t>(Below(static_cast<int>(kAscii.size())))];
      } else if (kind < 9) {
        text += kLeads[static_cast<std::size_t>(Below(static_cast<int>(kLeads.size())))];
        text += kTrails[static_cast<std::size_t>(Below(static_cast<int>(kTrails.size())))];
      } else {
        // A run of high bytes of any parity, as a broken or cut character can leave it.
        for (int n = Below(9); n > 0; --n) {
          text += kLeads[static_cast<std::size_t>(Below(static_cast<int>(kLeads.size())))];
        }
      }
    }
    return text;
  }

  // Any bytes, most of them from a few values so that matches are common.
  std::string Arbitrary(int length) {
    static const std::string kCommon = "a\x41\xb0\xa1<!\x80\xff";
    std::string text;
    for (int i = 0; i < length; ++i) {
      text += Below(4) == 0 ? static_cast<char>(Below(256))
                            : kCommon[static_cast<std::size_t>(Below(8))];
    }
    return text;
  }

  // A piece of the text with its letters' case flipped at random, or a fresh short text.
  std::string PatternFor(const std::string& text) {
    if (text.empty() || Below(3) == 0) {
      return Below(2) == 0 ? GbkLike(1 + Below(4)) : Arbitrary(1 + Below(4));
    }
    const int start = Below(static_cast<int>(text.size()));
    std::string piece =
        text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(1 + Below(8)));
    for (char& c : piece) {
      const auto lower = static_cast<unsigned char>(c | 0x20);
      if (lower >= 'a' && lower <= 'z' && Below(2) == 0) {
        c = static_cast<char>(c ^ 0x20);
      }
    }
    return piece;
  }

 private:
  std::mt19937 random_;
};

TEST(TextScan, fastScanAgreesWithTheReferenceOnRandomTexts) {
  for (unsigned seed = 1; seed <= 4000; ++seed) {
    TextGenerator generator(seed);
    const int length = generator.Below(seed % 50 == 0 ? 2000 : 60);
    const std::string text =
        seed % 2 == 0 ? generator.GbkLike(length) : generator.Arbitrary(length);
    for (int i = 0; i < 8; ++i) {
      const std::string pattern = generator.PatternFor(text);
      SCOPED_TRACE("seed " + std::to_string(seed) + " pattern " + std::to_string(i));
      ASSERT_EQ(ReplaceFirst(text, pattern, "\x01R"),
                reference::ReplaceFirst(text, pattern, "\x01R"));
      ASSERT_EQ(ContainsExact(text, pattern), reference::ContainsExact(text, pattern));
    }
  }
}

TEST(TextScan, longHighRunsWithManyCandidatesAgreeWithTheReference) {
  // Every byte is a candidate and only every second one starts a character.
  const std::string run(5001, '\xb0');
  for (const std::string& pattern :
       {std::string("\xb0\xb0"), std::string("\xb0\xb0\xb0"), std::string("\xb0<")}) {
    for (const std::string& text : {run, run + "<", "<" + run + "<", run + "\xb0<"}) {
      EXPECT_EQ(ReplaceFirst(text, pattern, "#"), reference::ReplaceFirst(text, pattern, "#"));
      EXPECT_EQ(ContainsExact(text, pattern), reference::ContainsExact(text, pattern));
    }
  }
}

}  // namespace
}  // namespace ld
