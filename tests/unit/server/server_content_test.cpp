// The served copy of the template server's content: what the composition rules need from the two
// shop frames, the hosts the build wrote into them, and the files they load.

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace ld {
namespace {

namespace fs = std::filesystem;

const fs::path kServedDir = LD_SERVER_BUILD_DIR;
const fs::path kSourceDir = LD_SERVER_SOURCE_DIR;
const std::string kTemplateHost = LD_TEMPLATE_HOST;
const std::string kImageHost = LD_IMAGE_HOST;

const std::vector<std::string> kFrames = {"ldxz/lddmylq/jsb.txt", "ldxz/lddmylq/tmb.txt"};
const std::string kStyleSheet = "ldxz/lddmylq/ld.css";
const std::string kHeaderImage = "bao/uploaded/i3/TB18PFyGXXXXXXDapXXSutbFXXX.jpg";

// "<!-- 瓴丹论坛店招区 -->"
const std::string kShopSignMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xb5\xea\xd5\xd0\xc7\xf8 -->";
// "<!-- 瓴丹论坛950代码区 -->"
const std::string kWideAreaMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "950\xb4\xfa\xc2\xeb\xc7\xf8 -->";
// "<!-- 瓴丹论坛750代码区 -->"
const std::string kRightColumnMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "750\xb4\xfa\xc2\xeb\xc7\xf8 -->";
// "<!-- 瓴丹论坛190代码区 -->"
const std::string kLeftColumnMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "190\xb4\xfa\xc2\xeb\xc7\xf8 -->";
// "<!-- 瓴丹论坛页尾代码区 -->"
const std::string kFooterMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xd2\xb3\xce\xb2\xb4\xfa\xc2\xeb\xc7\xf8 -->";

const std::vector<std::string> kSeparatorMarkers = {
    // "<!-- 瓴丹论坛分隔符 -->"
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xb7\xd6\xb8\xf4\xb7\xfb -->",
    // "<!-- 瓴丹论坛950分隔符 -->"
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "950\xb7\xd6\xb8\xf4\xb7\xfb -->",
    // "<!-- 瓴丹论坛750分隔符 -->"
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "750\xb7\xd6\xb8\xf4\xb7\xfb -->",
    // "<!-- 瓴丹论坛190分隔符 -->"
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "190\xb7\xd6\xb8\xf4\xb7\xfb -->",
    // "<!-- 瓴丹论坛页尾分隔符 -->"
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xd2\xb3\xce\xb2\xb7\xd6\xb8\xf4\xb7\xfb -->",
};

std::string StyleSheetPlaceholder() {
  return "http://" + kTemplateHost + "/" + kStyleSheet;
}
std::string HeaderImagePlaceholder() {
  return "http://" + kImageHost + "/" + kHeaderImage;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Finds pattern the way the rules scan a page: a match never starts on the second byte of a
// double-byte character. Returns every match position.
std::vector<std::size_t> FindCharacterwise(const std::string& text, const std::string& pattern) {
  std::vector<std::size_t> found;
  std::size_t at = 0;
  while (!pattern.empty() && at + pattern.size() <= text.size()) {
    if (text.compare(at, pattern.size(), pattern) == 0) {
      found.push_back(at);
      at += pattern.size();
    } else {
      at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
    }
  }
  return found;
}

bool DecodesAsGbk(std::string bytes) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == reinterpret_cast<iconv_t>(-1))
    return false;
  std::string out(bytes.size() * 2 + 16, '\0');
  char* in_ptr = bytes.data();
  std::size_t in_left = bytes.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  const std::size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  return result != static_cast<std::size_t>(-1) && in_left == 0;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

TEST(ServedFrames, decodeAsGbkAndDeclareIt) {
  for (const auto& frame : kFrames) {
    SCOPED_TRACE(frame);
    const std::string page = ReadFile(kServedDir / frame);
    ASSERT_FALSE(page.empty());
    EXPECT_TRUE(DecodesAsGbk(page));
    // Without the declaration a browser would read the page in its own default code page.
    EXPECT_NE(Lower(page).find("charset=gbk"), std::string::npos);
  }
}

TEST(ServedFrames, holdEachMarkerAndPlaceholderExactlyOnce) {
  const std::vector<std::string> needed = {
      kShopSignMarker, kWideAreaMarker,         kRightColumnMarker,      kLeftColumnMarker,
      kFooterMarker,   StyleSheetPlaceholder(), HeaderImagePlaceholder()};
  for (const auto& frame : kFrames) {
    const std::string page = ReadFile(kServedDir / frame);
    for (const auto& pattern : needed) {
      SCOPED_TRACE(frame + ": " + pattern);
      EXPECT_EQ(FindCharacterwise(page, pattern).size(), 1u);
    }
  }
}

TEST(ServedFrames, holdNoSeparatorMarkers) {
  for (const auto& frame : kFrames) {
    const std::string page = ReadFile(kServedDir / frame);
    ASSERT_FALSE(page.empty()) << frame;
    for (const auto& marker : kSeparatorMarkers) {
      SCOPED_TRACE(frame + ": " + marker);
      // Byte search, stricter than the rules' scan: no separator marker anywhere.
      EXPECT_EQ(page.find(marker), std::string::npos);
    }
  }
}

// The rules put each snippet where its marker stands, so the markers must stand where the shop
// page has those places: the style sheet loaded in the head, then the page header carrying the
// shop sign, the wide area, the two columns and the footer last.
TEST(ServedFrames, placeMarkersWhereTheShopPageHasThosePlaces) {
  for (const auto& frame : kFrames) {
    SCOPED_TRACE(frame);
    const std::string page = ReadFile(kServedDir / frame);
    const auto at = [&page](const std::string& pattern) {
      const auto found = FindCharacterwise(page, pattern);
      return found.empty() ? std::string::npos : found.front();
    };
    const std::size_t head_end = Lower(page).find("</head>");
    ASSERT_NE(head_end, std::string::npos);
    const std::size_t style_sheet = at(StyleSheetPlaceholder());
    const std::size_t header_image = at(HeaderImagePlaceholder());
    const std::size_t shop_sign = at(kShopSignMarker);
    const std::size_t wide = at(kWideAreaMarker);
    const std::size_t left = at(kLeftColumnMarker);
    const std::size_t right = at(kRightColumnMarker);
    const std::size_t footer = at(kFooterMarker);
    ASSERT_NE(style_sheet, std::string::npos);
    ASSERT_NE(footer, std::string::npos);

    EXPECT_LT(style_sheet, head_end);
    EXPECT_EQ(page.compare(style_sheet - 6, 6, "href=\""), 0) << "style sheet not a link address";
    EXPECT_GT(header_image, head_end);
    EXPECT_LT(header_image, wide);
    EXPECT_GT(shop_sign, head_end);
    EXPECT_LT(shop_sign, wide);
    EXPECT_LT(wide, left);
    EXPECT_LT(wide, right);
    EXPECT_LT(left, footer);
    EXPECT_LT(right, footer);
  }
}

// The served copy is the source with the configured hosts written in, byte for byte: no code-page
// conversion and no change of line ends on the way.
TEST(ServedContent, isTheSourceWithTheConfiguredHostsStampedIn) {
  std::vector<std::string> texts = kFrames;
  texts.push_back(kStyleSheet);
  for (const auto& file : texts) {
    SCOPED_TRACE(file);
    const std::string source = ReadFile(kSourceDir / file);
    const std::string served = ReadFile(kServedDir / file);
    ASSERT_FALSE(source.empty());
    EXPECT_TRUE(DecodesAsGbk(source));
    const std::string expected = ReplaceAll(ReplaceAll(source, "@TEMPLATE_HOST@", kTemplateHost),
                                            "@IMAGE_HOST@", kImageHost);
    EXPECT_EQ(served, expected);
    EXPECT_EQ(served.find("@TEMPLATE_HOST@"), std::string::npos);
    EXPECT_EQ(served.find("@IMAGE_HOST@"), std::string::npos);
  }
}

TEST(ServedContent, holdsTheHeaderImageUnchanged) {
  const std::string served = ReadFile(kServedDir / kHeaderImage);
  ASSERT_GT(served.size(), 3u);
  EXPECT_EQ(served.substr(0, 3), "\xff\xd8\xff") << "not a JPEG";
  EXPECT_EQ(served, ReadFile(kSourceDir / kHeaderImage));
}

// Every address on the two hosts that a frame or the style sheet refers to is a file of the served
// folder, so nothing of the shop page is missing when the folder is served at those hosts.
TEST(ServedContent, holdsEveryFileTheFramesLoadFromTheirHosts) {
  std::vector<std::string> pages = kFrames;
  pages.push_back(kStyleSheet);
  const std::regex address(R"(http://([^/"')\s]+)/([^"')\s]+))");
  for (const auto& file : pages) {
    const std::string page = ReadFile(kServedDir / file);
    int on_our_hosts = 0;
    for (std::sregex_iterator it(page.begin(), page.end(), address), end; it != end; ++it) {
      const std::string host = (*it)[1];
      if (host != kTemplateHost && host != kImageHost)
        continue;
      ++on_our_hosts;
      const std::string path = (*it)[2];
      SCOPED_TRACE(file + ": " + path);
      ASSERT_TRUE(fs::is_regular_file(kServedDir / path));
      EXPECT_GT(fs::file_size(kServedDir / path), 0u);
    }
    if (file != kStyleSheet) {
      EXPECT_GE(on_our_hosts, 2) << file;
    }
  }
}

}  // namespace
}  // namespace ld
