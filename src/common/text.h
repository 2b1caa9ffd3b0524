#pragma once

#include <string>

namespace ld {

// Every text the system handles is a string of GBK bytes, passed on byte for byte: templates,
// snippets, markers, file contents and addresses. No code-page conversion happens on the way.
using Text = std::string;

}  // namespace ld
