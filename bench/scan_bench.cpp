// The text scans on an 8 MiB GBK shop page whose pattern stands at the very end, each beside
// glibc's memmem over the same bytes in the same run. Prints each scan's throughput as a ratio
// of memmem's.
#include <benchmark/benchmark.h>
#include <string.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/build_config.h"
#include "composition/markers.h"
#include "composition/text_scan.h"

namespace {

constexpr std::size_t kPageBytes = 8u << 20;

// Words of a shop page in GBK.
const char* const kWords[] = {
    "\xc9\xcc\xc6\xb7",                  // 商品
    "\xb5\xea\xc6\xcc",                  // 店铺
    "\xd0\xc2\xc6\xb7\xc9\xcf\xca\xd0",  // 新品上市
    "\xb0\xfc\xd3\xca",                  // 包邮
    "\xcf\xde\xca\xb1\xd5\xdb\xbf\xdb",  // 限时折扣
    "\xcc\xec\xc3\xa8",                  // 天猫
    "\xb1\xa6\xb1\xb4\xcf\xea\xc7\xe9",  // 宝贝详情
    "\xca\xd5\xb2\xd8\xb1\xbe\xb5\xea",  // 收藏本店
    "\xbf\xcd\xb7\xfe",                  // 客服
    "\xc8\xc8\xc2\xf4\xcd\xc6\xbc\xf6",  // 热卖推荐
    "\xc8\xab\xb3\xa1\xce\xe5\xd5\xdb",  // 全场五折
    "\xb9\xd8\xd3\xda\xce\xd2\xc3\xc7",  // 关于我们
};

// The placeholder as a template may spell it: every letter in upper case.
std::string UpperCased(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

// Item blocks of a shop page (tags, styles, addresses, prices, Chinese text and the odd comment)
// up to 8 MiB, then the upper-cased style-sheet placeholder and the WideArea code-area marker.
std::string MakePage() {
  std::mt19937 random(20240601);
  auto word = [&] { return std::string(kWords[random() % std::size(kWords)]); };
  auto number = [&](unsigned bound) { return std::to_string(random() % bound); };
  std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">\r\n";
  const std::string tail = "<link rel=\"stylesheet\" href=\"" +
                           UpperCased(ld::StyleSheetPlaceholder()) + "\">\r\n" +
                           std::string(ld::kWideAreaCodeAreaMarker) + "</body></html>\r\n";
  while (page.size() + tail.size() < kPageBytes) {
    std::string item =
        "<div class=\"item item-" + number(40) + "\" style=\"width:" + number(950) +
        "px;margin:" + number(20) + "px auto;color:#" + number(1000) +
        "\">\r\n  <a href=\"http://item.example.com/item.htm?id=" + number(100000000) +
        "\" target=\"_blank\"><img src=\"http://img.example.com/" + number(100000) +
        ".jpg\" alt=\"" + word() + "\"></a>\r\n  <p>" + word() + word() + " " + word() + "&yen;" +
        number(1000) + "." + number(100) + "</p><span>" + word() + word() + word() +
        "</span>\r\n</div>\r\n";
    if (random() % 4 == 0) {
      item += "<!-- " + word() + " -->\r\n";
    }
    page += item;
  }
  page += tail;
  return page;
}

const std::string& Page() {
  static const std::string page = MakePage();
  return page;
}

const std::string& Marker() {
  static const std::string marker(ld::kWideAreaCodeAreaMarker);
  return marker;
}

// The pattern memmem needs to find the upper-cased placeholder: its bytes as the page holds them.
const std::string& PlaceholderAsSpelled() {
  static const std::string spelled = UpperCased(ld::StyleSheetPlaceholder());
  return spelled;
}

void Finish(benchmark::State& state, bool found) {
  if (!found) {
    state.SkipWithError("the pattern was not found");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Page().size()));
}

bool MemmemFinds(const std::string& pattern) {
  return memmem(Page().data(), Page().size(), pattern.data(), pattern.size()) != nullptr;
}

void Marker_memmem(benchmark::State& state) {
  bool found = false;
  for (auto _ : state) {
    found = MemmemFinds(Marker());
    benchmark::DoNotOptimize(found);
  }
  Finish(state, found);
}

void Marker_ContainsExact(benchmark::State& state) {
  bool found = false;
  for (auto _ : state) {
    found = ld::ContainsExact(Page(), Marker());
    benchmark::DoNotOptimize(found);
  }
  Finish(state, found);
}

void Marker_ReplaceFirst(benchmark::State& state) {
  bool found = false;
  for (auto _ : state) {
    const std::string result = ld::ReplaceFirst(Page(), Marker(), "<p>x</p>");
    found = result.size() != Page().size();
    benchmark::DoNotOptimize(result.data());
  }
  Finish(state, found);
}

void Marker_ReferenceContainsExact(benchmark::State& state) {
  bool found = false;
  for (auto _ : state) {
    found = ld::reference::ContainsExact(Page(), Marker());
    benchmark::DoNotOptimize(found);
  }
  Finish(state, found);
}

void Placeholder_memmem(benchmark::State& state) {
  bool found = false;
  for (auto _ : state) {
    found = MemmemFinds(PlaceholderAsSpelled());
    benchmark::DoNotOptimize(found);
  }
  Finish(state, found);
}

void Placeholder_ReplaceFirst(benchmark::State& state) {
  bool found = false;
  for (auto _ : state) {
    const std::string result = ld::ReplaceFirst(Page(), ld::StyleSheetPlaceholder(), "css.css");
    found = result.size() != Page().size();
    benchmark::DoNotOptimize(result.data());
  }
  Finish(state, found);
}

void Placeholder_ReferenceReplaceFirst(benchmark::State& state) {
  bool found = false;
  for (auto _ : state) {
    const std::string result =
        ld::reference::ReplaceFirst(Page(), ld::StyleSheetPlaceholder(), "css.css");
    found = result.size() != Page().size();
    benchmark::DoNotOptimize(result.data());
  }
  Finish(state, found);
}

BENCHMARK(Marker_memmem)->Unit(benchmark::kMicrosecond);
BENCHMARK(Marker_ContainsExact)->Unit(benchmark::kMicrosecond);
BENCHMARK(Marker_ReplaceFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(Marker_ReferenceContainsExact)->Unit(benchmark::kMicrosecond);
BENCHMARK(Placeholder_memmem)->Unit(benchmark::kMicrosecond);
BENCHMARK(Placeholder_ReplaceFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(Placeholder_ReferenceReplaceFirst)->Unit(benchmark::kMicrosecond);

// Shows the usual table and keeps each benchmark's bytes per second for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto rate = run.counters.find("bytes_per_second");
      if (!run.error_occurred && rate != run.counters.end()) {
        rates_[run.benchmark_name()] = rate->second.value;
      }
    }
  }

  // With repetitions the median is taken, otherwise the single run.
  std::map<std::string, double>::const_iterator RateOf(const std::string& name) const {
    const auto median = rates_.find(name + "_median");
    return median != rates_.end() ? median : rates_.find(name);
  }

  void PrintRatio(const char* label, const std::string& scan, const std::string& baseline) const {
    const auto a = RateOf(scan);
    const auto b = RateOf(baseline);
    if (a == rates_.end() || b == rates_.end() || b->second <= 0) {
      return;
    }
    std::printf("%-52s = %.2f\n", label, a->second / b->second);
  }

 private:
  std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  // Five repetitions and their medians unless the command line says otherwise: the machine may
  // be busy with other work, and one run can catch a bad moment.
  std::vector<char*> args(argv, argv + argc);
  bool repetitionsGiven = false;
  for (const char* arg : args) {
    repetitionsGiven = repetitionsGiven || std::string(arg).starts_with("--benchmark_repetitions");
  }
  std::string repetitions = "--benchmark_repetitions=5";
  std::string aggregatesOnly = "--benchmark_report_aggregates_only=true";
  if (!repetitionsGiven) {
    args.push_back(repetitions.data());
    args.push_back(aggregatesOnly.data());
  }
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  std::printf("page: %zu bytes\n", Page().size());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nthroughput against memmem over the same bytes:\n");
  reporter.PrintRatio("ContainsExact/memmem (marker)", "Marker_ContainsExact", "Marker_memmem");
  reporter.PrintRatio("ReplaceFirst/memmem (marker)", "Marker_ReplaceFirst", "Marker_memmem");
  reporter.PrintRatio("ReplaceFirst/memmem (placeholder, other case)", "Placeholder_ReplaceFirst",
                      "Placeholder_memmem");
  reporter.PrintRatio("reference ContainsExact/memmem (marker)", "Marker_ReferenceContainsExact",
                      "Marker_memmem");
  reporter.PrintRatio("reference ReplaceFirst/memmem (placeholder)",
                      "Placeholder_ReferenceReplaceFirst", "Placeholder_memmem");
  benchmark::Shutdown();
  return 0;
}
