#include "window/look/themed_style.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTextEdit>

namespace ld {
namespace {

// Width of a combo box's drop-down button.
constexpr int kDropButtonWidth = 16;
// How much darker than button face the edge of a disabled button or box is.
constexpr int kDisabledShade = 32;

QColor ToColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

Rgb ToRgb(const QColor& c) {
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
          static_cast<std::uint8_t>(c.blue())};
}

// Window colour and button face come from the application, not from the control, so that a
// control with a background of its own still gets the system's rings.
Rgb AppColour(QPalette::ColorRole role) {
  return ToRgb(QGuiApplication::palette().color(QPalette::Active, role));
}

QStyle* BaseStyle() {
  QStyle* base = nullptr;
  if (QStyle* app = QApplication::style()) {
    base = QStyleFactory::create(app->name());
  }
  return base ? base : QStyleFactory::create(QStringLiteral("Fusion"));
}

bool IsEditBox(const QWidget* widget) {
  return qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
         qobject_cast<const QLineEdit*>(widget);
}

bool IsReadOnly(const QWidget* widget, const QStyleOption* option) {
  if (option->state & QStyle::State_ReadOnly) {
    return true;
  }
  if (auto* edit = qobject_cast<const QPlainTextEdit*>(widget)) {
    return edit->isReadOnly();
  }
  if (auto* edit = qobject_cast<const QTextEdit*>(widget)) {
    return edit->isReadOnly();
  }
  if (auto* edit = qobject_cast<const QLineEdit*>(widget)) {
    return edit->isReadOnly();
  }
  return false;
}

// The rings come by value: GCC 12 at -O2 turned the call into a tail call handing on the address of
// an unwritten temporary when they came by reference, and stray colours were painted.
void DrawRings(QPainter* painter, const QRect& r, FrameRings rings) {
  const auto ring = [painter](const QRect& e, const QColor& colour) {
    painter->fillRect(QRect(e.left(), e.top(), e.width(), 1), colour);
    painter->fillRect(QRect(e.left(), e.bottom(), e.width(), 1), colour);
    painter->fillRect(QRect(e.left(), e.top(), 1, e.height()), colour);
    painter->fillRect(QRect(e.right(), e.top(), 1, e.height()), colour);
  };
  ring(r, ToColor(rings.outer));
  ring(r.adjusted(1, 1, -1, -1), ToColor(rings.inner));
}

QLinearGradient Vertical(const QRectF& r, Rgb top, Rgb bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, ToColor(top));
  g.setColorAt(1, ToColor(bottom));
  return g;
}

// The part of a box-shaped indicator that is square, centred in the given place.
QRect SquareIn(const QRect& r) {
  const int side = std::min(r.width(), r.height());
  return QRect(r.left() + (r.width() - side) / 2, r.top() + (r.height() - side) / 2, side, side);
}

// A focused drop-down list shows its current item selected, as the system's own does.
bool ShowsFocusedField(const QStyleOption* option) {
  auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
  return combo && !combo->editable && (option->state & QStyle::State_Enabled) &&
         (option->state & QStyle::State_HasFocus);
}

}  // namespace

bool IsComboList(const QWidget* widget) {
  return widget && widget->isWindow() && qobject_cast<const QComboBox*>(widget->parentWidget());
}

ThemedStyle::ThemedStyle(const LookScheme& scheme) : QProxyStyle(BaseStyle()), scheme_(scheme) {}

void ThemedStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
  switch (element) {
    case PE_PanelButtonCommand:
      if (qstyleoption_cast<const QStyleOptionButton*>(option)) {
        DrawPushButtonPanel(option, painter);
        return;
      }
      break;
    case PE_IndicatorCheckBox:
      DrawCheckIndicator(option, painter);
      return;
    case PE_IndicatorRadioButton:
      DrawRadioIndicator(option, painter);
      return;
    case PE_PanelLineEdit:
      if (auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
          frame && frame->lineWidth > 0) {
        const bool enabled = option->state & State_Enabled;
        painter->fillRect(
            option->rect,
            option->palette.brush(enabled ? QPalette::Active : QPalette::Disabled, QPalette::Base));
        DrawRings(painter, option->rect,
                  ControlFrameRings(scheme_, AppColour(QPalette::Base), AppColour(QPalette::Button),
                                    enabled, IsReadOnly(widget, option)));
        return;
      }
      break;
    case PE_FrameLineEdit:
      DrawRings(painter, option->rect,
                ControlFrameRings(scheme_, AppColour(QPalette::Base), AppColour(QPalette::Button),
                                  option->state & State_Enabled, IsReadOnly(widget, option)));
      return;
    default:
      break;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ThemedStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
  if (element == CE_ShapedFrame && (IsEditBox(widget) || IsComboList(widget))) {
    auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (frame && frame->frameShape != QFrame::NoFrame) {
      const bool readOnly = !IsComboList(widget) && IsReadOnly(widget, option);
      DrawRings(painter, option->rect,
                ControlFrameRings(scheme_, AppColour(QPalette::Base), AppColour(QPalette::Button),
                                  option->state & State_Enabled, readOnly));
      return;
    }
  }
  if (element == CE_ComboBoxLabel && ShowsFocusedField(option)) {
    QStyleOptionComboBox selected = *qstyleoption_cast<const QStyleOptionComboBox*>(option);
    const QColor text = option->palette.color(QPalette::HighlightedText);
    selected.palette.setColor(QPalette::ButtonText, text);
    selected.palette.setColor(QPalette::Text, text);
    painter->save();
    painter->setPen(text);
    QProxyStyle::drawControl(element, &selected, painter, widget);
    painter->restore();
    return;
  }
  QProxyStyle::drawControl(element, option, painter, widget);
}

void ThemedStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
  if (control == CC_ComboBox && qstyleoption_cast<const QStyleOptionComboBox*>(option)) {
    DrawComboBox(option, painter, widget);
    return;
  }
  QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect ThemedStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                  SubControl subControl, const QWidget* widget) const {
  auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
  if (control != CC_ComboBox || !combo) {
    return QProxyStyle::subControlRect(control, option, subControl, widget);
  }
  const int edge = combo->frame ? kLookEdgeWidth : 0;
  const QRect inner = option->rect.adjusted(edge, edge, -edge, -edge);
  const int buttonWidth = std::min(kDropButtonWidth, inner.width() / 2);
  QRect result;
  switch (subControl) {
    case SC_ComboBoxFrame:
      result = option->rect;
      break;
    case SC_ComboBoxArrow:
      result = QRect(inner.right() - buttonWidth + 1, inner.top(), buttonWidth, inner.height());
      break;
    case SC_ComboBoxEditField:
      result =
          QRect(inner.left() + 1, inner.top(), inner.width() - buttonWidth - 2, inner.height());
      break;
    default:
      return QProxyStyle::subControlRect(control, option, subControl, widget);
  }
  return visualRect(option->direction, option->rect, result);
}

int ThemedStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
  if (metric == PM_DefaultFrameWidth && (IsEditBox(widget) || IsComboList(widget))) {
    return kLookEdgeWidth;
  }
  if (metric == PM_ComboBoxFrameWidth) {
    return kLookEdgeWidth;
  }
  return QProxyStyle::pixelMetric(metric, option, widget);
}

int ThemedStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const {
  switch (hint) {
    case SH_ComboBox_Popup:
      // The list opens below the field, as a list of its own rather than a menu.
      return 0;
    case SH_ComboBox_PopupFrameStyle:
      return QFrame::StyledPanel | QFrame::Plain;
    default:
      return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
}

void ThemedStyle::DrawPushButtonPanel(const QStyleOption* option, QPainter* painter) const {
  const bool enabled = option->state & State_Enabled;
  const bool down = option->state & (State_Sunken | State_On);
  const bool hot = enabled && !down && (option->state & State_MouseOver);
  const Rgb face = AppColour(QPalette::Button);
  const QRectF body = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);

  Rgb top = scheme_.faceTop;
  Rgb bottom = scheme_.faceBottom;
  Rgb border = scheme_.buttonBorder;
  if (!enabled) {
    // A disabled button is flat and pale, so it reads as out of use at a glance.
    top = face;
    bottom = face;
    border = Darken(face, kDisabledShade);
  } else if (down) {
    top = scheme_.pressedTop;
    bottom = scheme_.pressedBottom;
  }

  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  QPainterPath outline;
  outline.addRoundedRect(body, 3, 3);
  painter->fillPath(outline, Vertical(body, top, bottom));
  if (enabled && !down) {
    // A darker seam along the foot gives the face its slight bulge.
    painter->setPen(QPen(ToColor(Darken(scheme_.faceBottom, 16)), 1));
    painter->drawLine(QPointF(body.left() + 2, body.bottom() - 1),
                      QPointF(body.right() - 2, body.bottom() - 1));
  }
  if (hot) {
    QPainterPath rim;
    rim.addRoundedRect(body.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    painter->setPen(QPen(ToColor(scheme_.hot), 2));
    painter->drawPath(rim);
  }
  painter->setPen(QPen(ToColor(border), 1));
  painter->setBrush(Qt::NoBrush);
  painter->drawPath(outline);
  painter->restore();
}

void ThemedStyle::DrawCheckIndicator(const QStyleOption* option, QPainter* painter) const {
  const bool enabled = option->state & State_Enabled;
  const bool hot = enabled && (option->state & State_MouseOver);
  const bool down = enabled && (option->state & State_Sunken);
  const Rgb face = AppColour(QPalette::Button);
  const QRect box = SquareIn(option->rect);

  painter->save();
  const QRect inside = box.adjusted(1, 1, -1, -1);
  if (!enabled) {
    painter->fillRect(inside, ToColor(face));
  } else if (down) {
    painter->fillRect(inside,
                      Vertical(inside, Darken(scheme_.indicatorTop, 24), scheme_.indicatorTop));
  } else {
    QLinearGradient g(inside.topLeft(), inside.bottomRight());
    g.setColorAt(0, ToColor(scheme_.indicatorTop));
    g.setColorAt(1, ToColor(scheme_.indicatorBottom));
    painter->fillRect(inside, g);
  }
  if (hot) {
    painter->setPen(QPen(ToColor(scheme_.hot), 2));
    painter->drawRect(QRectF(inside).adjusted(1, 1, -1, -1));
  }
  painter->setPen(ToColor(enabled ? scheme_.indicatorBorder : Darken(face, kDisabledShade)));
  painter->drawRect(box.adjusted(0, 0, -1, -1));

  const QColor mark = ToColor(enabled ? scheme_.mark : Darken(face, 96));
  if (option->state & State_On) {
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF m = QRectF(inside).adjusted(2, 2, -2, -2);
    const QPointF tick[] = {{m.left(), m.top() + m.height() * 0.5},
                            {m.left() + m.width() * 0.38, m.bottom() - m.height() * 0.1},
                            {m.right(), m.top() + m.height() * 0.1}};
    painter->setPen(QPen(mark, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter->drawPolyline(tick, 3);
  } else if (option->state & State_NoChange) {
    painter->fillRect(inside.adjusted(2, 2, -2, -2), mark);
  }
  painter->restore();
}

void ThemedStyle::DrawRadioIndicator(const QStyleOption* option, QPainter* painter) const {
  const bool enabled = option->state & State_Enabled;
  const bool hot = enabled && (option->state & State_MouseOver);
  const bool down = enabled && (option->state & State_Sunken);
  const Rgb face = AppColour(QPalette::Button);
  const QRectF circle = QRectF(SquareIn(option->rect)).adjusted(0.5, 0.5, -0.5, -0.5);

  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  QBrush fill(ToColor(face));
  if (enabled) {
    QLinearGradient g(circle.topLeft(), circle.bottomRight());
    g.setColorAt(0, ToColor(down ? Darken(scheme_.indicatorTop, 24) : scheme_.indicatorTop));
    g.setColorAt(1, ToColor(scheme_.indicatorBottom));
    fill = QBrush(g);
  }
  painter->setBrush(fill);
  painter->setPen(
      QPen(ToColor(enabled ? scheme_.indicatorBorder : Darken(face, kDisabledShade)), 1));
  painter->drawEllipse(circle);
  if (hot) {
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(ToColor(scheme_.hot), 1.5));
    painter->drawEllipse(circle.adjusted(1.5, 1.5, -1.5, -1.5));
  }
  if (option->state & State_On) {
    const qreal inset = circle.width() * 0.3;
    const QRectF dot = circle.adjusted(inset, inset, -inset, -inset);
    QLinearGradient g(dot.topLeft(), dot.bottomRight());
    const Rgb mark = enabled ? scheme_.mark : Darken(face, 96);
    g.setColorAt(0, ToColor(mark).lighter(150));
    g.setColorAt(1, ToColor(mark));
    painter->setPen(Qt::NoPen);
    painter->setBrush(g);
    painter->drawEllipse(dot);
  }
  painter->restore();
}

void ThemedStyle::DrawComboBox(const QStyleOptionComplex* option, QPainter* painter,
                               const QWidget* widget) const {
  auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
  const bool enabled = option->state & State_Enabled;
  const Rgb face = AppColour(QPalette::Button);
  const QRect r = option->rect;

  painter->fillRect(r, enabled ? QBrush(option->palette.color(QPalette::Active, QPalette::Base))
                               : QBrush(ToColor(face)));
  if (combo->frame) {
    DrawRings(painter, r,
              ControlFrameRings(scheme_, AppColour(QPalette::Base), face, enabled, false));
  }
  if (ShowsFocusedField(option)) {
    const QRect field = subControlRect(CC_ComboBox, option, SC_ComboBoxEditField, widget);
    painter->fillRect(field.adjusted(0, 1, 0, -1), option->palette.brush(QPalette::Highlight));
  }
  if (combo->subControls & SC_ComboBoxArrow) {
    DrawDropButton(option, subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget), painter);
  }
}

void ThemedStyle::DrawDropButton(const QStyleOption* option, QRect rect, QPainter* painter) const {
  auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
  const bool enabled = option->state & State_Enabled;
  const bool onButton = combo && (combo->activeSubControls & SC_ComboBoxArrow);
  const bool down = enabled && (option->state & (State_Sunken | State_On)) && onButton;
  const bool hot = enabled && (option->state & State_MouseOver);
  const Rgb face = AppColour(QPalette::Button);

  Rgb top = scheme_.dropTop;
  Rgb bottom = scheme_.dropBottom;
  if (!enabled) {
    top = face;
    bottom = Darken(face, 12);
  } else if (down) {
    std::swap(top, bottom);
  }
  const QRectF body = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);

  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  QPainterPath outline;
  outline.addRoundedRect(body, 2, 2);
  QLinearGradient g = Vertical(body, top, bottom);
  if (hot && !down) {
    g.setColorAt(0, ToColor(top).lighter(106));
    g.setColorAt(1, ToColor(bottom).lighter(110));
  }
  painter->fillPath(outline, g);
  painter->setPen(QPen(ToColor(enabled ? scheme_.dropBorder : Darken(face, kDisabledShade)), 1));
  painter->drawPath(outline);

  // A bold chevron, as on the system's own drop-down buttons.
  const QPointF c = body.center() + QPointF(0, down ? 1.5 : 0.5);
  const qreal half = std::min(body.width(), body.height()) * 0.2;
  const QPointF chevron[] = {{c.x() - half, c.y() - half / 2},
                             {c.x(), c.y() + half / 2},
                             {c.x() + half, c.y() - half / 2}};
  painter->setPen(QPen(ToColor(enabled ? scheme_.arrow : Darken(face, 80)), 2, Qt::SolidLine,
                       Qt::FlatCap, Qt::MiterJoin));
  painter->drawPolyline(chevron, 3);
  painter->restore();
}

}  // namespace ld
