#include "composition/text_holders.h"

#include <cstddef>

#include "composition/markers.h"

namespace ld {

namespace {

std::size_t IndexOf(DocumentText which) {
  return static_cast<std::size_t>(which);
}

}  // namespace

InMemoryTextHolders::InMemoryTextHolders() {
  texts_[IndexOf(DocumentText::SpacerTemplate)] = Text(kSpacerBlock);
}

Text InMemoryTextHolders::Read(DocumentText which) {
  std::lock_guard lock(mutex_);
  return texts_[IndexOf(which)];
}

void InMemoryTextHolders::Write(DocumentText which, Text text) {
  std::lock_guard lock(mutex_);
  texts_[IndexOf(which)] = std::move(text);
}

Text ControlTextHolders::Read(DocumentText which) {
  return controls_.GetText(HolderOf(which));
}

void ControlTextHolders::Write(DocumentText which, Text text) {
  controls_.SetText(HolderOf(which), std::move(text));
}

ControlId ControlTextHolders::HolderOf(DocumentText which) {
  switch (which) {
    case DocumentText::MarketTemplate:
      return ControlId::MarketTemplateBox;
    case DocumentText::TmallTemplate:
      return ControlId::TmallTemplateBox;
    case DocumentText::WorkingPage:
      return ControlId::WorkingPageBox;
    case DocumentText::SpacerTemplate:
      return ControlId::SpacerTemplateBox;
    case DocumentText::CurrentSpacer:
      break;
  }
  return ControlId::CurrentSpacerBox;
}

}  // namespace ld
