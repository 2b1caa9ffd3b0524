#pragma once

#include <filesystem>

#include "common/text.h"
#include "composition/text_holders.h"

namespace ld {

// The seven composition rules, one per region. Each reads WorkingPage whole, splices the snippet
// in at its region's marker or placeholder and writes the page back whole; a page without that
// marker stays as it is.

// The snippet takes the place of the shop-sign marker.
void ShopSignRule(TextHolders& holders, const Text& snippet);
// The snippet becomes the whole of styleFile, and the page loads its navigation styles from there.
void NavigationRule(TextHolders& holders, const Text& snippet,
                    const std::filesystem::path& styleFile);
// The snippet, a header image's address, takes the place of the header-image placeholder.
void PageHeaderRule(TextHolders& holders, const Text& snippet);

// The accumulating regions add one block, the snippet and a spacer ending in the region's
// separator marker, after the blocks already there. CurrentSpacer is rewritten each time.
void WideAreaRule(TextHolders& holders, const Text& snippet);
void RightColumnRule(TextHolders& holders, const Text& snippet);
void LeftColumnRule(TextHolders& holders, const Text& snippet);
void FooterRule(TextHolders& holders, const Text& snippet);

}  // namespace ld
