#pragma once

#include <array>

namespace ld {

// The seven code positions of a shop page, in the order in which a preview considers them and in
// which the radio buttons 单选框1 to 单选框7 stand for them.
enum class Region { ShopSign, Navigation, PageHeader, WideArea, RightColumn, LeftColumn, Footer };

inline constexpr std::array<Region, 7> kRegionsInOrder = {
    Region::ShopSign,    Region::Navigation, Region::PageHeader, Region::WideArea,
    Region::RightColumn, Region::LeftColumn, Region::Footer};

}  // namespace ld
