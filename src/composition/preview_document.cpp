#include "composition/preview_document.h"

#include <utility>

#include "composition/rules.h"

namespace ld {

namespace {

DocumentText TemplateOf(Edition edition) {
  return edition == Edition::Tmall ? DocumentText::TmallTemplate : DocumentText::MarketTemplate;
}

}  // namespace

PreviewDocument::PreviewDocument(TextHolders& holders, ProgramFiles files)
    : holders_(holders), files_(std::move(files)) {}

void PreviewDocument::InstallTemplate(Edition edition, Text text) {
  holders_.Write(TemplateOf(edition), std::move(text));
}

void PreviewDocument::ResetWorkingPage(Edition edition) {
  holders_.Write(DocumentText::WorkingPage, holders_.Read(TemplateOf(edition)));
}

void PreviewDocument::SelectEdition(std::int32_t index) {
  if (index == static_cast<std::int32_t>(Edition::Market)) {
    ResetWorkingPage(Edition::Market);
  } else if (index == static_cast<std::int32_t>(Edition::Tmall)) {
    ResetWorkingPage(Edition::Tmall);
  }
}

bool PreviewDocument::IsReady() {
  return !holders_.Read(DocumentText::WorkingPage).empty();
}

void PreviewDocument::ApplySnippet(Region region, const Text& snippet) {
  switch (region) {
    case Region::ShopSign:
      ShopSignRule(holders_, snippet);
      break;
    case Region::Navigation:
      NavigationRule(holders_, snippet, files_.styleFile);
      break;
    case Region::PageHeader:
      PageHeaderRule(holders_, snippet);
      break;
    case Region::WideArea:
      WideAreaRule(holders_, snippet);
      break;
    case Region::RightColumn:
      RightColumnRule(holders_, snippet);
      break;
    case Region::LeftColumn:
      LeftColumnRule(holders_, snippet);
      break;
    case Region::Footer:
      FooterRule(holders_, snippet);
      break;
  }
}

Text PreviewDocument::WorkingPage() {
  return holders_.Read(DocumentText::WorkingPage);
}

}  // namespace ld
