#include "composition/markers.h"

#include <gtest/gtest.h>

#include <string>

namespace ld {
namespace {

TEST(Markers, eachMarkerHasItsByteCountAndTheCommonFrame) {
  const struct {
    std::string_view marker;
    std::size_t bytes;
  } kTable[] = {
      {kShopSignMarker, 23},
      {kSpacerMarker, 23},
      {kWideAreaSeparatorMarker, 26},
      {kWideAreaCodeAreaMarker, 26},
      {kRightColumnSeparatorMarker, 26},
      {kRightColumnCodeAreaMarker, 26},
      {kLeftColumnSeparatorMarker, 26},
      {kLeftColumnCodeAreaMarker, 26},
      {kFooterSeparatorMarker, 27},
      {kFooterCodeAreaMarker, 27},
  };
  for (const auto& row : kTable) {
    SCOPED_TRACE(std::string(row.marker));
    EXPECT_EQ(row.marker.size(), row.bytes);
    // "<!-- 瓴丹论坛"
    EXPECT_TRUE(row.marker.starts_with("<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"));
    EXPECT_TRUE(row.marker.ends_with(" -->"));
    for (const char c : row.marker) {
      const auto lower = static_cast<unsigned char>(c | 0x20);
      EXPECT_FALSE(lower >= 'a' && lower <= 'z') << "markers hold no letters";
    }
  }
}

TEST(Markers, spacerBlockIsTheEmptySpanFollowedByTheSpacerMarker) {
  EXPECT_EQ(kSpacerBlock.size(), 67u);
  EXPECT_EQ(kSpacerBlock, std::string("<span style=\"margin-top:20px;\">&nbsp;</span>") +
                              std::string(kSpacerMarker));
}

}  // namespace
}  // namespace ld
