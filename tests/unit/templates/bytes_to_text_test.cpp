#include "templates/bytes_to_text.h"

#include <gtest/gtest.h>

#include <string>

namespace ld {
namespace {

using namespace std::string_literals;

TEST(BytesToText, stopsBeforeTheFirstZeroByte) {
  EXPECT_EQ(BytesToText("<p>ab\0cd\0e"s), "<p>ab");
  EXPECT_EQ(BytesToText("\0abc"s), "");
  EXPECT_EQ(BytesToText(""), "");
}

TEST(BytesToText, keepsEveryOtherByteAsItIs) {
  // GBK "集市版", a high byte, CR LF and LF: no conversion of code page or line ends.
  const std::string bytes = "\xbc\xaf\xca\xd0\xb0\xe6\xff\r\n\n\x01";
  EXPECT_EQ(BytesToText(bytes), bytes);
}

}  // namespace
}  // namespace ld
