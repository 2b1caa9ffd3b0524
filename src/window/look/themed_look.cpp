#include "window/look/themed_look.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QThread>
#include <QToolButton>
#include <memory>

#include "window/look/themed_style.h"

namespace ld {
namespace {

// Marks the widgets the look gave its style, so that only those are given back.
constexpr char kTakenOver[] = "ldThemedLook";
// The line width an edit box had before the look widened its edge.
constexpr char kOwnLineWidth[] = "ldThemedLookLineWidth";

bool IsLookKind(const QWidget* w) {
  if (qobject_cast<const QAbstractButton*>(w)) {
    return !qobject_cast<const QToolButton*>(w);
  }
  return qobject_cast<const QGroupBox*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
         qobject_cast<const QTextEdit*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
         IsComboList(w);
}

// Message boxes, such as the not-ready message, keep the standard look.
bool InsideMessageBox(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    if (qobject_cast<const QMessageBox*>(w)) {
      return true;
    }
  }
  return false;
}

// A thin plain edge leaves no room for the inner ring, so the look widens it while it is on. A
// styled edge takes its width from the look's style and needs nothing.
void WidenEdge(QWidget* w) {
  auto* box = qobject_cast<QFrame*>(w);
  if (!box || !(qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))) {
    return;
  }
  const QFrame::Shape shape = box->frameShape();
  if ((shape == QFrame::Box || shape == QFrame::Panel) && box->lineWidth() < kLookEdgeWidth) {
    box->setProperty(kOwnLineWidth, box->lineWidth());
    box->setLineWidth(kLookEdgeWidth);
  }
}

void RestoreEdge(QWidget* w) {
  const QVariant own = w->property(kOwnLineWidth);
  if (auto* box = qobject_cast<QFrame*>(w); box && own.isValid()) {
    box->setProperty(kOwnLineWidth, QVariant());
    box->setLineWidth(own.toInt());
  }
}

// The look while it is on: its style, the widgets wearing it, and the watch for new widgets.
class LookKeeper : public QObject {
 public:
  LookKeeper(int scheme, const LookScheme& colours)
      : QObject(qApp), scheme_(scheme), style_(std::make_unique<ThemedStyle>(colours)) {
    for (QWidget* w : QApplication::allWidgets()) {
      TakeOver(w);
    }
    qApp->installEventFilter(this);
  }

  ~LookKeeper() override {
    if (QCoreApplication::closingDown()) {
      return;  // the widgets fall back to the application's style once the style is gone
    }
    qApp->removeEventFilter(this);
    for (const QPointer<QWidget>& w : takenOver_) {
      if (w && w->property(kTakenOver).toBool()) {
        w->setProperty(kTakenOver, QVariant());
        w->setStyle(nullptr);
        RestoreEdge(w);
      }
    }
  }

  int scheme() const { return scheme_; }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // Polish reaches a widget before its first showing, when its kind and parents are final.
    if (event->type() == QEvent::Polish && watched->isWidgetType()) {
      TakeOver(static_cast<QWidget*>(watched));
    }
    return false;
  }

 private:
  void TakeOver(QWidget* w) {
    // A widget with a style of its own keeps it.
    if (!IsLookKind(w) || w->testAttribute(Qt::WA_SetStyle) || InsideMessageBox(w)) {
      return;
    }
    w->setStyle(style_.get());
    w->setProperty(kTakenOver, true);
    WidenEdge(w);
    takenOver_.append(w);
  }

  int scheme_;
  std::unique_ptr<ThemedStyle> style_;
  QList<QPointer<QWidget>> takenOver_;
};

QPointer<LookKeeper>& Current() {
  static QPointer<LookKeeper> keeper;
  return keeper;
}

}  // namespace

void ThemedLook(int scheme) {
  if (!qApp || QThread::currentThread() != qApp->thread()) {
    return;
  }
  delete Current().data();
  if (const std::optional<LookScheme> colours = LookSchemeColours(scheme)) {
    Current() = new LookKeeper(scheme, *colours);
  }
}

int CurrentLookScheme() {
  return Current() ? Current()->scheme() : 0;
}

}  // namespace ld
