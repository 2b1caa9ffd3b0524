#pragma once

#include <string_view>

#include "common/text.h"

namespace ld {

// A fetch result as a text: the bytes before the first zero byte, or all of them if none is zero.
Text BytesToText(std::string_view bytes);

}  // namespace ld
