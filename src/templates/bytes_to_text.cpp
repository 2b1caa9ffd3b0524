#include "templates/bytes_to_text.h"

namespace ld {

Text BytesToText(std::string_view bytes) {
  return Text(bytes.substr(0, bytes.find('\0')));
}

}  // namespace ld
