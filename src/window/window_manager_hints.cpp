#include "window/window_manager_hints.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QRect>
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

xcb_connection_t* Connection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    return nullptr;
  }
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

QMargins FrameMargins(const QWidget& window) {
  const QRect outer = window.frameGeometry();
  const QRect inner = window.geometry();
  const QMargins toolkit(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
  xcb_connection_t* connection = Connection();
  if (connection == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
    return toolkit;
  }
  static constexpr char kName[] = "_NET_FRAME_EXTENTS";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName), nullptr);
  if (atom == nullptr) {
    return toolkit;
  }
  const xcb_atom_t extentsAtom = atom->atom;
  std::free(atom);
  if (extentsAtom == XCB_ATOM_NONE) {
    return toolkit;
  }
  QMargins margins = toolkit;
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection,
      xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()), extentsAtom,
                       XCB_ATOM_CARDINAL, 0, 4),
      nullptr);
  if (reply != nullptr) {
    if (reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
      const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
      margins = QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                         static_cast<int>(v[3]));
    }
    std::free(reply);
  }
  return margins;
}

QRect OuterRect(const QWidget& window) {
  return window.geometry().marginsAdded(FrameMargins(window));
}

void WriteFixedSizeHints(QWidget& window, QSize clientSize) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) {
    return;
  }
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
