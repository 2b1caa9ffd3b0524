#include "composition/rules.h"

#include "common/file_io.h"
#include "common/program_files.h"
#include "composition/markers.h"
#include "composition/text_scan.h"

namespace ld {
namespace {

void ReplaceInWorkingPage(TextHolders& holders, std::string_view pattern,
                          std::string_view replacement) {
  holders.Write(DocumentText::WorkingPage,
                ReplaceFirst(holders.Read(DocumentText::WorkingPage), pattern, replacement));
}

void AccumulatingRule(TextHolders& holders, const Text& snippet, Region region) {
  const AccumulatingMarkers markers = AccumulatingMarkersOf(region);
  holders.Write(DocumentText::CurrentSpacer, holders.Read(DocumentText::SpacerTemplate));
  holders.Write(DocumentText::CurrentSpacer, ReplaceFirst(holders.Read(DocumentText::CurrentSpacer),
                                                          kSpacerMarker, markers.separator));
  const Text page = holders.Read(DocumentText::WorkingPage);
  const Text block = snippet + holders.Read(DocumentText::CurrentSpacer);
  // The newest block ends in the separator marker, so the next one goes right after it; before
  // the first block the region holds only its code-area marker.
  const std::string_view target =
      ContainsExact(page, markers.separator) ? markers.separator : markers.codeArea;
  holders.Write(DocumentText::WorkingPage, ReplaceFirst(page, target, block));
}

}  // namespace

void ShopSignRule(TextHolders& holders, const Text& snippet) {
  ReplaceInWorkingPage(holders, kShopSignMarker, snippet);
}

void NavigationRule(TextHolders& holders, const Text& snippet,
                    const std::filesystem::path& styleFile) {
  // A failed write is not reported; the page is pointed at the file all the same.
  WriteWholeFile(styleFile, snippet);
  ReplaceInWorkingPage(holders, StyleSheetPlaceholder(), PageAddressOfFile(styleFile));
}

void PageHeaderRule(TextHolders& holders, const Text& snippet) {
  ReplaceInWorkingPage(holders, HeaderImagePlaceholder(), snippet);
}

void WideAreaRule(TextHolders& holders, const Text& snippet) {
  AccumulatingRule(holders, snippet, Region::WideArea);
}

void RightColumnRule(TextHolders& holders, const Text& snippet) {
  AccumulatingRule(holders, snippet, Region::RightColumn);
}

void LeftColumnRule(TextHolders& holders, const Text& snippet) {
  AccumulatingRule(holders, snippet, Region::LeftColumn);
}

void FooterRule(TextHolders& holders, const Text& snippet) {
  AccumulatingRule(holders, snippet, Region::Footer);
}

}  // namespace ld
