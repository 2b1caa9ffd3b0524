#pragma once

#include <QProxyStyle>

#include "window/look/look_scheme.h"

namespace ld {

// The edge the look draws around edit boxes, combo boxes and opened lists: two one-pixel rings.
inline constexpr int kLookEdgeWidth = 2;

// Draws the controls of the XP look over the application's own style; everything it does not
// draw itself is left to that style.
class ThemedStyle : public QProxyStyle {
 public:
  explicit ThemedStyle(const LookScheme& scheme);

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget = nullptr) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl subControl, const QWidget* widget = nullptr) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;

 private:
  void DrawPushButtonPanel(const QStyleOption* option, QPainter* painter) const;
  void DrawCheckIndicator(const QStyleOption* option, QPainter* painter) const;
  void DrawRadioIndicator(const QStyleOption* option, QPainter* painter) const;
  void DrawComboBox(const QStyleOptionComplex* option, QPainter* painter,
                    const QWidget* widget) const;
  void DrawDropButton(const QStyleOption* option, QRect rect, QPainter* painter) const;

  LookScheme scheme_;
};

// Whether the widget is a combo box's opened list, the window that holds its items.
bool IsComboList(const QWidget* widget);

}  // namespace ld
