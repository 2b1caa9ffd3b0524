#include "window/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <stdexcept>

#include "output/view_port.h"
#include "window/control_widgets.h"
#include "window/qt_message_box.h"
#include "window/qt_text.h"
#include "window/widget_control_access.h"
#include "window/window_bridge.h"
#include "window/window_definition.h"
#include "window/window_icon.h"
#include "window/window_manager_hints.h"

namespace ld {
namespace {

// Field and opened list of the edition list together.
constexpr int kEditionListDroppedHeight = 160;

QColor ColourOf(const Colour& colour, const QPalette& palette) {
  return colour.buttonFace ? palette.color(QPalette::Button)
                           : QColor(colour.red, colour.green, colour.blue);
}

void Paint(QWidget& widget, const ControlDefinition& definition) {
  QPalette palette = widget.palette();
  const QColor background = ColourOf(definition.background, palette);
  const QColor text = ColourOf(definition.textColour, palette);
  // The disabled group keeps the toolkit's greyed text.
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::WindowText, text);
    palette.setColor(group, QPalette::ButtonText, text);
    palette.setColor(group, QPalette::Text, text);
  }
  palette.setColor(QPalette::Window, background);
  if (definition.kind == ControlKind::EditBox || definition.kind == ControlKind::DropDownList) {
    palette.setColor(QPalette::Base, background);
  }
  widget.setPalette(palette);
}

void SetFont(QWidget& widget, const FontDefinition& font) {
  if (font.systemDefault) {
    return;
  }
  // No face name: the default face at the given height and weight.
  QFont f = QApplication::font();
  f.setPixelSize(font.pixelHeight);
  f.setWeight(static_cast<QFont::Weight>(font.weight));
  f.setItalic(false);
  f.setUnderline(false);
  f.setStrikeOut(false);
  widget.setFont(f);
}

QComboBox* MakeEditionList(QWidget* parent, const ControlDefinition& d) {
  auto* list = new QComboBox(parent);
  list->setEditable(false);
  for (const Text& item : d.items) {
    list->addItem(FromGbk(item));
  }
  list->setCurrentIndex(d.selection);
  // The opened list takes what the field leaves of the 160 pixels, with a scroll bar if needed.
  const int listHeight = kEditionListDroppedHeight - d.height;
  const int row = list->fontMetrics().height() + 1;
  list->setMaxVisibleItems(std::max(1, listHeight / row));
  list->view()->setMaximumHeight(listHeight);
  list->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return list;
}

void MakeEdge(QPlainTextEdit& box, Edge edge) {
  box.setFrameShape(QFrame::Panel);
  box.setFrameShadow(QFrame::Sunken);
  box.setLineWidth(edge == Edge::ThinSunken ? 1 : 2);
}

// Centred from the size of the whole primary screen, each half truncated toward zero.
QPoint CentredPlace() {
  const WindowDefinition& definition = MainWindowDefinition();
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return {definition.unusedLeft, definition.unusedTop};
  }
  const QRect whole = screen->geometry();
  return {whole.x() + (whole.width() - definition.width) / 2,
          whole.y() + (whole.height() - definition.height) / 2};
}

}  // namespace

MainWindow::MainWindow(const ViewFactory& makeView) {
  const WindowDefinition& definition = MainWindowDefinition();
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(FromGbk(definition.title));
  setWindowIcon(WindowIcon());
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColourOf(definition.background, palette));
  setPalette(palette);
  // The place the definition holds is not used; Start centres the window.
  setGeometry(definition.unusedLeft, definition.unusedTop, definition.width, definition.height);

  widgets_[static_cast<std::size_t>(ControlId::Window)] = this;
  BuildControls(makeView);

  direct_ = std::make_unique<WidgetControlAccess>(widgets_, view_);
  bridge_ = std::make_shared<WindowBridge>(this, direct_.get());
  access_ = std::make_shared<BridgedControlAccess>(bridge_);
  messageBox_ = std::make_shared<QtMessageBox>(bridge_);
  // Once the loop has ended nothing serves a worker any more: let them go.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [bridge = bridge_] { bridge->Close(); });

  fitTimer_.setInterval(50);
  connect(&fitTimer_, &QTimer::timeout, this, &MainWindow::FitOuterSize);
  settleTimer_.setSingleShot(true);
  settleTimer_.setInterval(150);
  connect(&settleTimer_, &QTimer::timeout, this, [this] {
    if (OuterRect(*this).size() != announcedOuterSize_) {
      AnnounceSize();
    }
  });
}

MainWindow::~MainWindow() {
  fitTimer_.stop();
  settleTimer_.stop();
  if (hooks_.aboutToBeDestroyed) {
    hooks_.aboutToBeDestroyed();
  }
  // Closed before the widgets go: later accesses fail at once, posted ones are dropped.
  bridge_->Close();
}

QWidget* MainWindow::Control(ControlId control) const {
  return widgets_[static_cast<std::size_t>(control)];
}

void MainWindow::SetHooks(WindowHooks hooks) {
  hooks_ = std::move(hooks);
}

void MainWindow::BuildControls(const ViewFactory& makeView) {
  const WindowDefinition& definition = MainWindowDefinition();
  auto slot = [this](ControlId id) -> QWidget*& { return widgets_[static_cast<std::size_t>(id)]; };

  // The panel first: the controls on it need their parent.
  slot(ControlId::OptionsPanel) = new OptionsPanelWidget(this);
  for (const ControlDefinition& d : definition.controls) {
    QWidget* parent = slot(d.parent);
    QWidget* widget = nullptr;
    switch (d.kind) {
      case ControlKind::Panel:
        widget = slot(d.id);
        break;
      case ControlKind::TransparentLabel: {
        auto* label = new QLabel(FromGbk(d.text), parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setWordWrap(false);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
      }
      case ControlKind::DropDownList: {
        auto* list = MakeEditionList(parent, d);
        connect(list, &QComboBox::activated, this, [this] { Announce(hooks_.editionChosen); });
        widget = list;
        break;
      }
      case ControlKind::RadioButton: {
        // Radio buttons sharing the panel form the one exclusive group.
        auto* radio = new QRadioButton(FromGbk(d.text), parent);
        radio->setChecked(d.ticked);
        widget = radio;
        break;
      }
      case ControlKind::CheckBox: {
        auto* box = new QCheckBox(FromGbk(d.text), parent);
        box->setChecked(d.ticked);
        if (d.id == ControlId::ShowCodeOption) {
          connect(box, &QCheckBox::clicked, this, [this] { Announce(hooks_.showCodeClicked); });
        }
        widget = box;
        break;
      }
      case ControlKind::PushButton: {
        auto* button = new QPushButton(FromGbk(d.text), parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        const bool preview = d.id == ControlId::PreviewButton;
        connect(button, &QPushButton::clicked, this, [this, preview] {
          Announce(preview ? hooks_.previewClicked : hooks_.fullScreenClicked);
        });
        widget = button;
        break;
      }
      case ControlKind::EditBox: {
        QPlainTextEdit* box = nullptr;
        if (d.id == ControlId::CodeBox) {
          auto* code = new CodeBoxWidget(parent);
          code->OnDoubleClick([this] { Announce(hooks_.codeBoxDoubleClicked); });
          code->setPlainText(FromCodeBoxBytes(d.text));
          box = code;
        } else {
          auto* hidden = new HiddenTextBox(parent);
          hidden->SetBytes(d.text);
          box = hidden;
        }
        MakeEdge(*box, d.edge);
        widget = box;
        break;
      }
      case ControlKind::BrowserView: {
        widget = makeView(parent);
        view_ = dynamic_cast<BrowserViewPort*>(widget);
        if (view_ == nullptr) {
          throw std::logic_error("the browser view must be a BrowserViewPort");
        }
        break;
      }
    }
    slot(d.id) = widget;
    widget->setObjectName(FromGbk(d.name));
    widget->setGeometry(d.left, d.top, d.width, d.height);
    Paint(*widget, d);
    SetFont(*widget, d.font);
    widget->setEnabled(d.enabled);
    if (d.tabStop) {
      if (!(widget->focusPolicy() & Qt::TabFocus)) {
        widget->setFocusPolicy(Qt::StrongFocus);
      }
    } else if (d.kind == ControlKind::RadioButton || d.kind == ControlKind::CheckBox) {
      widget->setFocusPolicy(Qt::ClickFocus);
    } else {
      widget->setFocusPolicy(Qt::NoFocus);
    }
    widget->setVisible(d.visible);
  }

  // Stacking: raising from the back to the front leaves the first one in front.
  for (auto it = definition.windowStacking.rbegin(); it != definition.windowStacking.rend(); ++it) {
    slot(*it)->raise();
  }
  for (auto it = definition.panelStacking.rbegin(); it != definition.panelStacking.rend(); ++it) {
    slot(*it)->raise();
  }
  QWidget* previous = nullptr;
  for (ControlId id : {ControlId::EditionList, ControlId::PreviewButton,
                       ControlId::FullScreenButton, ControlId::CodeBox, ControlId::BrowserView}) {
    if (previous != nullptr) {
      setTabOrder(previous, slot(id));
    }
    previous = slot(id);
  }
}

void MainWindow::Announce(const std::function<void()>& hook) {
  if (hook) {
    hook();
  }
}

void MainWindow::Start() {
  const WindowDefinition& definition = MainWindowDefinition();
  Announce(hooks_.creationComplete);
  resize(definition.width, definition.height);
  AnnounceSize();
  move(CentredPlace());
  show();
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  fitTries_ = 0;
  FitOuterSize();
  fitTimer_.start();
}

// The defined size is the outer one. Once the frame is known the client area gives up what frame
// and caption take, and the window manager learns that the user may not drag the edges.
void MainWindow::FitOuterSize() {
  const WindowDefinition& definition = MainWindowDefinition();
  if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
    fitTimer_.stop();
    WriteFixedSizeHints(*this, normalClientSize_.isValid() ? normalClientSize_ : size());
    return;
  }
  const QSize frame = OuterRect(*this).size() - geometry().size();
  const bool frameKnown = !frame.isEmpty() || ++fitTries_ > 40;
  if (!normalClientSize_.isValid() && frameKnown) {
    resize(definition.width - frame.width(), definition.height - frame.height());
    move(CentredPlace());
    normalClientSize_ = size();
  }
  if (frameKnown) {
    fitTimer_.stop();
  }
  WriteFixedSizeHints(*this, normalClientSize_.isValid() ? normalClientSize_ : size());
}

void MainWindow::AnnounceSize() {
  announcedOuterSize_ = OuterRect(*this).size();
  Announce(hooks_.sizeChanged);
  if (isVisible()) {
    settleTimer_.start();
  }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  AnnounceSize();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (isVisible() && OuterRect(*this).size() != announcedOuterSize_) {
    AnnounceSize();
  }
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) {
    AnnounceSize();
    if (isVisible()) {
      // The toolkit may rewrite the hints on a state change.
      QTimer::singleShot(0, this, [this] {
        WriteFixedSizeHints(*this, normalClientSize_.isValid() ? normalClientSize_ : size());
      });
    }
  }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Keys the focused control leaves unused come here, the view's included.
  const auto held =
      event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (event->key() == Qt::Key_Escape && held == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace ld
