#pragma once

#include <array>
#include <mutex>

#include "common/control_access.h"
#include "common/text.h"

namespace ld {

// The five texts of the preview document.
enum class DocumentText {
  MarketTemplate,
  TmallTemplate,
  WorkingPage,
  SpacerTemplate,
  CurrentSpacer
};

// Where the five texts live. Every operation reads a text whole and writes a new text whole.
class TextHolders {
 public:
  virtual ~TextHolders() = default;
  virtual Text Read(DocumentText which) = 0;
  virtual void Write(DocumentText which, Text text) = 0;
};

// The texts in memory, with the values they have when the window is created: all empty but
// SpacerTemplate, which holds the spacer block.
class InMemoryTextHolders : public TextHolders {
 public:
  InMemoryTextHolders();
  Text Read(DocumentText which) override;
  void Write(DocumentText which, Text text) override;

 private:
  std::mutex mutex_;
  std::array<Text, 5> texts_;
};

// The texts in the window's hidden edit boxes 编辑框2 to 编辑框6, reached through control access.
class ControlTextHolders : public TextHolders {
 public:
  explicit ControlTextHolders(ControlAccess& controls) : controls_(controls) {}
  Text Read(DocumentText which) override;
  void Write(DocumentText which, Text text) override;

  static ControlId HolderOf(DocumentText which);

 private:
  ControlAccess& controls_;
};

}  // namespace ld
