// Walks the folders under cases/: each holds a page, the steps applied to it and the page, style
// file and CurrentSpacer expected afterwards. See cases/write_cases.py for how they are made.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "common/build_config.h"
#include "common/program_files.h"
#include "composition/preview_document.h"
#include "composition/text_holders.h"
#include "support/scratch_dir.h"

namespace ld {
namespace {

namespace fs = std::filesystem;

const fs::path kCasesDir = LD_COMPOSITION_CASES_DIR;

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kCasesDir)) {
    if (entry.is_directory()) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void ReplaceAll(std::string& text, const std::string& token, const std::string& value) {
  for (auto at = text.find(token); at != std::string::npos; at = text.find(token, at)) {
    text.replace(at, token.size(), value);
    at += value.size();
  }
}

bool RegionNamed(const std::string& name, Region& region) {
  static const std::pair<const char*, Region> kNames[] = {{"ShopSign", Region::ShopSign},
                                                          {"Navigation", Region::Navigation},
                                                          {"PageHeader", Region::PageHeader},
                                                          {"WideArea", Region::WideArea},
                                                          {"RightColumn", Region::RightColumn},
                                                          {"LeftColumn", Region::LeftColumn},
                                                          {"Footer", Region::Footer}};
  for (const auto& [text, value] : kNames) {
    if (name == text) {
      region = value;
      return true;
    }
  }
  return false;
}

class GoldenCase : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    caseDir_ = kCasesDir / GetParam();
    // "瓴丹 预览": the program directory holds Chinese characters and a space.
    programDir_ = tmp_ / "\xe7\x93\xb4\xe4\xb8\xb9 \xe9\xa2\x84\xe8\xa7\x88";
    fs::create_directories(programDir_);
  }

  // A case file with the tokens for the hosts and the temporary folder filled in.
  std::string CaseFile(const std::string& name) const {
    std::string text = ReadAll(caseDir_ / name);
    ReplaceAll(text, "@TEMPLATE_HOST@", kTemplateHost);
    ReplaceAll(text, "@IMAGE_HOST@", kImageHost);
    ReplaceAll(text, "@TMP@", tmp_.string());
    return text;
  }
  bool Has(const std::string& name) const { return fs::exists(caseDir_ / name); }

  testing::ScratchDir scratch_{"ld-composition"};
  const fs::path& tmp_ = scratch_.path();
  fs::path caseDir_, programDir_;
};

TEST_P(GoldenCase, stepsTurnThePageBeforeIntoThePageAfter) {
  // The token stands for the folder as the page would carry it, so it must need no encoding.
  ASSERT_EQ(PageAddressOfFile(tmp_), tmp_.string());
  const ProgramFiles files = ProgramFilesIn(programDir_.string());
  InMemoryTextHolders holders;
  PreviewDocument document(holders, files);
  if (Has("market.html")) {
    document.InstallTemplate(Edition::Market, CaseFile("market.html"));
  }
  if (Has("tmall.html")) {
    document.InstallTemplate(Edition::Tmall, CaseFile("tmall.html"));
  }
  holders.Write(DocumentText::WorkingPage, CaseFile("before.html"));

  std::istringstream steps(CaseFile("steps.txt"));
  std::string operation, argument;
  int count = 0;
  while (steps >> operation >> argument) {
    ++count;
    Region region{};
    if (operation == "SelectEdition") {
      document.SelectEdition(std::stoi(argument));
    } else if (RegionNamed(operation, region)) {
      ASSERT_TRUE(Has(argument)) << argument;
      document.ApplySnippet(region, CaseFile(argument));
    } else {
      FAIL() << "unknown step " << operation;
    }
  }
  ASSERT_GT(count, 0);

  EXPECT_EQ(document.WorkingPage(), CaseFile("after.html"));
  if (Has("style.css")) {
    ASSERT_TRUE(fs::is_regular_file(files.styleFile));
    EXPECT_EQ(ReadAll(files.styleFile), CaseFile("style.css"));
  } else {
    EXPECT_FALSE(fs::exists(files.styleFile));
  }
  if (Has("current-spacer.html")) {
    EXPECT_EQ(holders.Read(DocumentText::CurrentSpacer), CaseFile("current-spacer.html"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace ld
