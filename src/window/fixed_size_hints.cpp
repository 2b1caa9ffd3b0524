#include "window/fixed_size_hints.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstring>

namespace ld {
namespace {

// The WM_SIZE_HINTS record of the inter-client conventions: 18 32-bit fields.
enum : std::uint32_t {
  kMinSize = 1u << 4,
  kMaxSize = 1u << 5,
  kResizeInc = 1u << 6,
  kBaseSize = 1u << 8
};
enum Field {
  kFlags = 0,
  kMinWidth = 5,
  kMinHeight,
  kMaxWidth,
  kMaxHeight,
  kWidthInc,
  kHeightInc,
  kBaseWidth = 15,
  kBaseHeight,
  kFieldCount = 18
};
constexpr std::uint32_t kHugeStep = 1u << 20;

}  // namespace

void WriteFixedSizeHints(QWidget& window, QSize clientSize) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    return;
  }
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) {
    return;
  }
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());

  // Start from what the toolkit wrote, so its position and gravity hints stay.
  std::array<std::uint32_t, kFieldCount> hints{};
  xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, id, XCB_ATOM_WM_NORMAL_HINTS,
                                                      XCB_ATOM_WM_SIZE_HINTS, 0, kFieldCount);
  if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
    const int length = xcb_get_property_value_length(reply);
    if (reply->format == 32 && length > 0) {
      std::memcpy(hints.data(), xcb_get_property_value(reply),
                  std::min<std::size_t>(static_cast<std::size_t>(length), sizeof hints));
    }
    std::free(reply);
  }
  const auto width = static_cast<std::uint32_t>(clientSize.width());
  const auto height = static_cast<std::uint32_t>(clientSize.height());
  hints[kFlags] = (hints[kFlags] & ~kMaxSize) | kMinSize | kResizeInc | kBaseSize;
  hints[kMinWidth] = width;
  hints[kMinHeight] = height;
  hints[kMaxWidth] = 0;
  hints[kMaxHeight] = 0;
  hints[kBaseWidth] = width;
  hints[kBaseHeight] = height;
  hints[kWidthInc] = kHugeStep;
  hints[kHeightInc] = kHugeStep;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NORMAL_HINTS,
                      XCB_ATOM_WM_SIZE_HINTS, 32, kFieldCount, hints.data());
  xcb_flush(connection);
}

}  // namespace ld
