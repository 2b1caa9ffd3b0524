#include "composition/markers.h"

#include "common/build_config.h"

namespace ld {

// "<!-- 瓴丹论坛店招区 -->"
const std::string_view kShopSignMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xb5\xea\xd5\xd0\xc7\xf8 -->";
// "<!-- 瓴丹论坛分隔符 -->"
const std::string_view kSpacerMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xb7\xd6\xb8\xf4\xb7\xfb -->";
// "<!-- 瓴丹论坛950分隔符 -->"
const std::string_view kWideAreaSeparatorMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "950\xb7\xd6\xb8\xf4\xb7\xfb -->";
// "<!-- 瓴丹论坛950代码区 -->"
const std::string_view kWideAreaCodeAreaMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "950\xb4\xfa\xc2\xeb\xc7\xf8 -->";
// "<!-- 瓴丹论坛750分隔符 -->"
const std::string_view kRightColumnSeparatorMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "750\xb7\xd6\xb8\xf4\xb7\xfb -->";
// "<!-- 瓴丹论坛750代码区 -->"
const std::string_view kRightColumnCodeAreaMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "750\xb4\xfa\xc2\xeb\xc7\xf8 -->";
// "<!-- 瓴丹论坛190分隔符 -->"
const std::string_view kLeftColumnSeparatorMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "190\xb7\xd6\xb8\xf4\xb7\xfb -->";
// "<!-- 瓴丹论坛190代码区 -->"
const std::string_view kLeftColumnCodeAreaMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
    "190\xb4\xfa\xc2\xeb\xc7\xf8 -->";
// "<!-- 瓴丹论坛页尾分隔符 -->"
const std::string_view kFooterSeparatorMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xd2\xb3\xce\xb2\xb7\xd6\xb8\xf4\xb7\xfb -->";
// "<!-- 瓴丹论坛页尾代码区 -->"
const std::string_view kFooterCodeAreaMarker =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xd2\xb3\xce\xb2\xb4\xfa\xc2\xeb\xc7\xf8 -->";

// "<span style="margin-top:20px;">&nbsp;</span><!-- 瓴丹论坛分隔符 -->"
const std::string_view kSpacerBlock =
    "<span style=\"margin-top:20px;\">&nbsp;</span>"
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xb7\xd6\xb8\xf4\xb7\xfb -->";

const Text& StyleSheetPlaceholder() {
  static const Text placeholder = Text("http://") + kTemplateHost + "/ldxz/lddmylq/ld.css";
  return placeholder;
}

const Text& HeaderImagePlaceholder() {
  static const Text placeholder =
      Text("http://") + kImageHost + "/bao/uploaded/i3/TB18PFyGXXXXXXDapXXSutbFXXX.jpg";
  return placeholder;
}

AccumulatingMarkers AccumulatingMarkersOf(Region region) {
  switch (region) {
    case Region::WideArea:
      return {kWideAreaSeparatorMarker, kWideAreaCodeAreaMarker};
    case Region::RightColumn:
      return {kRightColumnSeparatorMarker, kRightColumnCodeAreaMarker};
    case Region::LeftColumn:
      return {kLeftColumnSeparatorMarker, kLeftColumnCodeAreaMarker};
    case Region::Footer:
      return {kFooterSeparatorMarker, kFooterCodeAreaMarker};
    case Region::ShopSign:
    case Region::Navigation:
    case Region::PageHeader:
      break;
  }
  return {};
}

}  // namespace ld
