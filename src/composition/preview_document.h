#pragma once

#include <cstdint>

#include "common/edition.h"
#include "common/program_files.h"
#include "common/region.h"
#include "common/text.h"
#include "composition/text_holders.h"

namespace ld {

// The state every preview is built from: the two templates, the working page and the two spacer
// texts, all held by TextHolders, and the operations that replace or compose the working page.
// Nothing here reports an error.
class PreviewDocument {
 public:
  // files.styleFile is where the Navigation rule writes the snippet and what it points the page at.
  PreviewDocument(TextHolders& holders, ProgramFiles files);

  // Stores the text as that edition's template; an empty text is stored as empty.
  void InstallTemplate(Edition edition, Text text);
  // The working page becomes a copy of that edition's template.
  void ResetWorkingPage(Edition edition);
  // 0: reset from Market; 1: reset from Tmall; any other index: nothing.
  void SelectEdition(std::int32_t index);
  // Whether the working page holds at least one byte.
  bool IsReady();
  // Runs the rule of the region on the working page.
  void ApplySnippet(Region region, const Text& snippet);
  // A copy of the working page.
  Text WorkingPage();

 private:
  TextHolders& holders_;
  ProgramFiles files_;
};

}  // namespace ld
