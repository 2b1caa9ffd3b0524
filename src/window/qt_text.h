#pragma once

#include <QString>

#include "common/text.h"

namespace ld {

// GBK bytes to and from the toolkit's strings, for names, captions and list items.
QString FromGbk(const Text& bytes);
Text ToGbk(const QString& text);

// The code box's text as it crosses control access: GB18030 bytes with CR LF line breaks.
QString FromCodeBoxBytes(const Text& bytes);
Text ToCodeBoxBytes(const QString& text);

}  // namespace ld
