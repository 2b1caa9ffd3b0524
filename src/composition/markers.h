#pragma once

#include <string_view>

#include "common/region.h"
#include "common/text.h"

namespace ld {

// The comments a shop frame page carries where snippets go, and the spacer block that follows
// every block of an accumulating region. All GBK; the markers hold no ASCII letters.
extern const std::string_view kShopSignMarker;
extern const std::string_view kSpacerMarker;
extern const std::string_view kWideAreaSeparatorMarker;
extern const std::string_view kWideAreaCodeAreaMarker;
extern const std::string_view kRightColumnSeparatorMarker;
extern const std::string_view kRightColumnCodeAreaMarker;
extern const std::string_view kLeftColumnSeparatorMarker;
extern const std::string_view kLeftColumnCodeAreaMarker;
extern const std::string_view kFooterSeparatorMarker;
extern const std::string_view kFooterCodeAreaMarker;

// An empty span holding one non-breaking space, then the spacer marker: the value of
// SpacerTemplate.
extern const std::string_view kSpacerBlock;

// The addresses the templates carry for the navigation style sheet (on the template server) and
// for the page-header image (on the outside image server). A template may spell their letters in
// either case.
const Text& StyleSheetPlaceholder();
const Text& HeaderImagePlaceholder();

// The markers of an accumulating region: the separator that follows its newest block and the
// code-area marker of the empty area before its first block.
struct AccumulatingMarkers {
  std::string_view separator;
  std::string_view codeArea;
};

// Only for WideArea, RightColumn, LeftColumn and Footer; the one-time regions have none.
AccumulatingMarkers AccumulatingMarkersOf(Region region);

}  // namespace ld
