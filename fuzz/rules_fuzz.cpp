// The preview document and its seven rules against a plain model of them. Pages and snippets are
// built from fragments: markers, separators, placeholders with their letters in random case, bits
// of them and stray bytes. Templates are installed, regions applied in random order, editions
// selected and pages reset; after every step the five texts, and after a Navigation step the
// style file, must be what the model says.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "common/build_config.h"
#include "common/program_files.h"
#include "composition/preview_document.h"
#include "composition/text_holders.h"
#include "scan_model.h"

namespace {

using ld::fuzz::ModelContainsExact;
using ld::fuzz::ModelReplaceFirst;

// "<!-- 瓴丹论坛店招区 -->"
constexpr std::string_view kShopSign =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xb5\xea\xd5\xd0\xc7\xf8 -->";
// "<!-- 瓴丹论坛分隔符 -->"
constexpr std::string_view kSpacer =
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xb7\xd6\xb8\xf4\xb7\xfb -->";

struct AccumulatingModel {
  std::string_view separator;
  std::string_view codeArea;
};

// WideArea, RightColumn, LeftColumn, Footer.
constexpr std::array<AccumulatingModel, 4> kAccumulating = {{
    // "<!-- 瓴丹论坛950分隔符 -->", "<!-- 瓴丹论坛950代码区 -->"
    {"<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
     "950\xb7\xd6\xb8\xf4\xb7\xfb -->",
     "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
     "950\xb4\xfa\xc2\xeb\xc7\xf8 -->"},
    // "<!-- 瓴丹论坛750分隔符 -->", "<!-- 瓴丹论坛750代码区 -->"
    {"<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
     "750\xb7\xd6\xb8\xf4\xb7\xfb -->",
     "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
     "750\xb4\xfa\xc2\xeb\xc7\xf8 -->"},
    // "<!-- 瓴丹论坛190分隔符 -->", "<!-- 瓴丹论坛190代码区 -->"
    {"<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
     "190\xb7\xd6\xb8\xf4\xb7\xfb -->",
     "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3"
     "190\xb4\xfa\xc2\xeb\xc7\xf8 -->"},
    // "<!-- 瓴丹论坛页尾分隔符 -->", "<!-- 瓴丹论坛页尾代码区 -->"
    {"<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xd2\xb3\xce\xb2\xb7\xd6\xb8\xf4\xb7\xfb -->",
     "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3\xd2\xb3\xce\xb2\xb4\xfa\xc2\xeb\xc7\xf8 -->"},
}};

const std::string kSpacerBlock =
    std::string("<span style=\"margin-top:20px;\">&nbsp;</span>") + std::string(kSpacer);
const std::string kStyleSheetPlaceholder =
    std::string("http://") + ld::kTemplateHost + "/ldxz/lddmylq/ld.css";
const std::string kHeaderImagePlaceholder =
    std::string("http://") + ld::kImageHost + "/bao/uploaded/i3/TB18PFyGXXXXXXDapXXSutbFXXX.jpg";

// What pages and snippets are made of.
const std::array<std::string, 18> kFragments = {
    std::string(kShopSign),
    std::string(kSpacer),
    std::string(kAccumulating[0].separator),
    std::string(kAccumulating[0].codeArea),
    std::string(kAccumulating[1].separator),
    std::string(kAccumulating[1].codeArea),
    std::string(kAccumulating[2].separator),
    std::string(kAccumulating[2].codeArea),
    std::string(kAccumulating[3].separator),
    std::string(kAccumulating[3].codeArea),
    kStyleSheetPlaceholder,
    kHeaderImagePlaceholder,
    kSpacerBlock,
    // A marker cut short, the common head of every marker, and a lone lead byte that shifts the
    // character boundaries of whatever follows.
    std::string(kShopSign.substr(0, kShopSign.size() - 1)),
    "<!-- \xea\xb2\xb5\xa4\xc2\xdb\xcc\xb3",
    "\xb5",
    "<div class=\"shop\">",
    "\r\n",
};

std::string Fragment(FuzzedDataProvider& input) {
  const auto pick = input.ConsumeIntegralInRange<std::size_t>(0, kFragments.size());
  if (pick == kFragments.size()) {
    return input.ConsumeRandomLengthString(24);
  }
  std::string fragment = kFragments[pick];
  // Markers hold no letters; for the placeholders this spells the address in another case.
  const auto flips = input.ConsumeIntegral<std::uint64_t>();
  for (std::size_t i = 0; i < fragment.size(); ++i) {
    if (ld::fuzz::IsAsciiLetter(static_cast<unsigned char>(fragment[i])) &&
        ((flips >> (i % 64)) & 1) != 0) {
      fragment[i] = static_cast<char>(fragment[i] ^ 0x20);
    }
  }
  return fragment;
}

std::string Text(FuzzedDataProvider& input) {
  std::string text;
  const auto count = input.ConsumeIntegralInRange<int>(0, 10);
  for (int i = 0; i < count; ++i) {
    text += Fragment(input);
  }
  return text;
}

// The document as the rules describe it, with the plain scans.
struct Model {
  std::array<std::string, 2> templates;  // Market, Tmall
  std::string workingPage;
  std::string currentSpacer;
  std::string styleFile;

  void Apply(ld::Region region, const std::string& snippet, const std::string& stylePath) {
    switch (region) {
      case ld::Region::ShopSign:
        workingPage = ModelReplaceFirst(workingPage, kShopSign, snippet);
        return;
      case ld::Region::Navigation:
        styleFile = snippet;
        workingPage = ModelReplaceFirst(workingPage, kStyleSheetPlaceholder, stylePath);
        return;
      case ld::Region::PageHeader:
        workingPage = ModelReplaceFirst(workingPage, kHeaderImagePlaceholder, snippet);
        return;
      default:
        break;
    }
    const AccumulatingModel& markers =
        kAccumulating[static_cast<std::size_t>(region) -
                      static_cast<std::size_t>(ld::Region::WideArea)];
    currentSpacer = ModelReplaceFirst(kSpacerBlock, kSpacer, markers.separator);
    const std::string block = snippet + currentSpacer;
    workingPage = ModelContainsExact(workingPage, markers.separator)
                      ? ModelReplaceFirst(workingPage, markers.separator, block)
                      : ModelReplaceFirst(workingPage, markers.codeArea, block);
  }
};

void Check(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "rules_fuzz: %s differs from the model\n", what);
    std::abort();
  }
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder of this process only, named with plain characters, so the page address of the style
// file is its path as it stands. Removed when the fuzzer ends.
struct Workspace {
  std::filesystem::path folder;
  ld::ProgramFiles files;

  Workspace() {
    const std::filesystem::path shm = "/dev/shm";
    const std::filesystem::path base =
        std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    folder = base / ("ld-rules-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    files = ld::ProgramFilesIn(folder.string());
  }
  ~Workspace() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

const ld::ProgramFiles& Files() {
  static const Workspace workspace;
  return workspace.files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const ld::ProgramFiles& files = Files();
  const std::string stylePath = files.styleFile.string();
  std::filesystem::remove(files.styleFile);

  ld::InMemoryTextHolders holders;
  ld::PreviewDocument document(holders, files);
  Model model;

  // Start-up: both templates, then the market edition as the working page.
  for (const ld::Edition edition : {ld::Edition::Market, ld::Edition::Tmall}) {
    model.templates[static_cast<std::size_t>(edition)] = Text(input);
    document.InstallTemplate(edition, model.templates[static_cast<std::size_t>(edition)]);
  }
  document.ResetWorkingPage(ld::Edition::Market);
  model.workingPage = model.templates[0];

  bool styleWritten = false;
  for (int step = 0; step < 24 && input.remaining_bytes() > 0; ++step) {
    const auto op = input.ConsumeIntegralInRange<int>(0, 9);
    if (op < 7) {
      const auto region = static_cast<ld::Region>(op);
      const std::string snippet = Text(input);
      document.ApplySnippet(region, snippet);
      model.Apply(region, snippet, stylePath);
      styleWritten = styleWritten || region == ld::Region::Navigation;
    } else if (op == 7) {
      const auto index = input.ConsumeIntegralInRange<std::int32_t>(-2, 3);
      document.SelectEdition(index);
      if (index == 0 || index == 1) {
        model.workingPage = model.templates[static_cast<std::size_t>(index)];
      }
    } else {
      const auto edition = input.ConsumeBool() ? ld::Edition::Tmall : ld::Edition::Market;
      const auto which = static_cast<std::size_t>(edition);
      if (op == 8) {
        document.ResetWorkingPage(edition);
      } else {
        model.templates[which] = Text(input);
        document.InstallTemplate(edition, model.templates[which]);
      }
      model.workingPage = op == 8 ? model.templates[which] : model.workingPage;
    }

    Check(document.WorkingPage() == model.workingPage, "WorkingPage");
    Check(document.IsReady() == !model.workingPage.empty(), "IsReady");
    Check(holders.Read(ld::DocumentText::CurrentSpacer) == model.currentSpacer, "CurrentSpacer");
    Check(holders.Read(ld::DocumentText::SpacerTemplate) == kSpacerBlock, "SpacerTemplate");
    Check(holders.Read(ld::DocumentText::MarketTemplate) == model.templates[0], "MarketTemplate");
    Check(holders.Read(ld::DocumentText::TmallTemplate) == model.templates[1], "TmallTemplate");
    // Only Navigation writes the style file; it is looked at after that and once at the end.
    if (op == static_cast<int>(ld::Region::Navigation)) {
      Check(ReadFile(files.styleFile) == model.styleFile, "StyleFile");
    }
  }
  if (styleWritten) {
    Check(ReadFile(files.styleFile) == model.styleFile, "StyleFile");
  } else {
    Check(!std::filesystem::exists(files.styleFile), "StyleFile");
  }
  return 0;
}
