// The fast text scans against the reference scan and a byte-loop model. The input is split into
// pattern, replacement and text; often the pattern is also planted in the text, its letters in
// another case, so that matches near misses and character boundaries are common.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "composition/text_scan.h"
#include "scan_model.h"

namespace {

void Check(bool holds) {
  if (!holds) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto plant = input.ConsumeIntegral<std::uint8_t>();
  const auto caseFlips = input.ConsumeIntegral<std::uint32_t>();
  const std::string pattern = input.ConsumeRandomLengthString(64);
  const std::string replacement = input.ConsumeRandomLengthString(64);
  const auto at = input.ConsumeIntegral<std::uint16_t>();
  std::string text = input.ConsumeRemainingBytesAsString();

  if ((plant & 1) != 0 && !pattern.empty()) {
    std::string planted = pattern;
    for (std::size_t i = 0; i < planted.size(); ++i) {
      const auto c = static_cast<unsigned char>(planted[i]);
      if (ld::fuzz::IsAsciiLetter(c) && ((caseFlips >> (i % 32)) & 1) != 0) {
        planted[i] = static_cast<char>(c ^ 0x20);
      }
    }
    text.insert(text.empty() ? 0 : at % (text.size() + 1), planted);
  }

  const std::string fast = ld::ReplaceFirst(text, pattern, replacement);
  const std::string reference = ld::reference::ReplaceFirst(text, pattern, replacement);
  Check(fast == reference);
  Check(reference == ld::fuzz::ModelReplaceFirst(text, pattern, replacement));

  const bool contains = ld::ContainsExact(text, pattern);
  Check(contains == ld::reference::ContainsExact(text, pattern));
  Check(contains == ld::fuzz::ModelContainsExact(text, pattern));
  return 0;
}
