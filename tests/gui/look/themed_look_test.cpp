#include "window/look/themed_look.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QWidget>
#include <memory>

namespace ld {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "themed_look_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

QColor Face() {
  return QApplication::palette().color(QPalette::Active, QPalette::Button);
}
QColor Window() {
  return QApplication::palette().color(QPalette::Active, QPalette::Base);
}
QColor Shaded(const QColor& c, int by) {
  return QColor(std::max(0, c.red() - by), std::max(0, c.green() - by), std::max(0, c.blue() - by));
}

QColor PixelOf(QWidget* w, QPoint p) {
  return w->grab().toImage().pixelColor(p);
}
// The two rings of an edit box's or combo box's edge, taken halfway down its left side.
QColor OuterRing(QWidget* w) {
  return PixelOf(w, {0, w->height() / 2});
}
QColor InnerRing(QWidget* w) {
  return PixelOf(w, {1, w->height() / 2});
}

// A small window with one control of each kind the look draws, placed as the main window places
// them: absolute places, a code box with a thin edge and a background of its own, a bold button
// font. One edit box takes its background from a style sheet instead.
struct StandIn {
  StandIn() {
    window.resize(420, 150);
    code = new QPlainTextEdit(&window);
    code->setGeometry(10, 10, 200, 80);
    code->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    code->setLineWidth(1);
    QPalette grey = code->palette();
    grey.setColor(QPalette::Base, QColor(234, 234, 234));
    code->setPalette(grey);
    locked = new QPlainTextEdit(&window);
    locked->setGeometry(10, 100, 90, 40);
    locked->setEnabled(false);
    shown = new QPlainTextEdit(&window);
    shown->setGeometry(110, 100, 90, 40);
    shown->setReadOnly(true);
    shown->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    shown->setLineWidth(2);
    shown->setStyleSheet("QPlainTextEdit { background-color: rgb(234,234,234); }");
    field = new QLineEdit(&window);
    field->setGeometry(310, 110, 90, 22);
    preview = new QPushButton("Preview", &window);
    preview->setGeometry(230, 10, 70, 30);
    QFont bold = preview->font();
    bold.setPixelSize(12);
    bold.setBold(true);
    preview->setFont(bold);
    full = new QPushButton("Full", &window);
    full->setGeometry(310, 10, 70, 30);
    full->setEnabled(false);
    restart = new QCheckBox("Restart", &window);
    restart->setGeometry(230, 50, 80, 16);
    column = new QRadioButton("Column", &window);
    column->setGeometry(320, 50, 80, 16);
    column->setChecked(true);
    edition = new QComboBox(&window);
    edition->setGeometry(230, 80, 64, 20);
    edition->addItems({"Market", "Tmall"});
    window.show();
  }

  QWidget window;
  QPlainTextEdit* code;
  QPlainTextEdit* locked;
  QPlainTextEdit* shown;
  QPushButton* preview;
  QPushButton* full;
  QCheckBox* restart;
  QRadioButton* column;
  QComboBox* edition;
  QLineEdit* field;
};

class ThemedLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    ThemedLook(0);
    ui = std::make_unique<StandIn>();
  }
  void TearDown() override {
    ThemedLook(0);
    ui.reset();
  }
  std::unique_ptr<StandIn> ui;
};

TEST_F(ThemedLookTest, eachScheme_framesEditBoxAndComboInItsColourAroundWindowColour) {
  const struct {
    int scheme;
    QColor frame;
  } cases[] = {{1, QColor(123, 158, 189)}, {2, QColor(164, 185, 127)}, {3, QColor(198, 197, 215)}};
  for (const auto& c : cases) {
    ThemedLook(c.scheme);
    EXPECT_EQ(CurrentLookScheme(), c.scheme);
    EXPECT_EQ(OuterRing(ui->code), c.frame) << c.scheme;
    EXPECT_EQ(InnerRing(ui->code), Window()) << c.scheme;
    EXPECT_EQ(OuterRing(ui->edition), c.frame) << c.scheme;
    EXPECT_EQ(InnerRing(ui->edition), Window()) << c.scheme;
    EXPECT_EQ(OuterRing(ui->field), c.frame) << c.scheme;
    EXPECT_EQ(InnerRing(ui->field), Window()) << c.scheme;
  }
  if (const QByteArray path = qgetenv("LD_LOOK_SNAPSHOT"); !path.isEmpty()) {
    ThemedLook(2);
    ui->window.grab().save(QString::fromLocal8Bit(path));
  }
}

TEST_F(ThemedLookTest, ownBackground_fromPaletteOrStyleSheet_staysInsideTheFrame) {
  ThemedLook(2);
  for (QPlainTextEdit* box : {ui->code, ui->shown}) {
    EXPECT_EQ(PixelOf(box, {box->width() / 2, box->height() - 6}), QColor(234, 234, 234));
  }
}

TEST_F(ThemedLookTest, disabledOrReadOnlyEditBox_takesButtonFaceInside) {
  ThemedLook(2);
  const QColor olive(164, 185, 127);
  const struct {
    QPlainTextEdit* box;
    QColor outer;
    QColor inner;
  } cases[] = {{ui->locked, Shaded(Face(), 32), Face()}, {ui->shown, olive, Face()}};
  for (const auto& c : cases) {
    EXPECT_EQ(OuterRing(c.box), c.outer) << c.box->isEnabled();
    EXPECT_EQ(InnerRing(c.box), c.inner) << c.box->isEnabled();
  }
}

TEST_F(ThemedLookTest, disabledComboBox_getsDarkenedButtonFaceFrame) {
  ThemedLook(2);
  ui->edition->setEnabled(false);
  EXPECT_EQ(OuterRing(ui->edition), Shaded(Face(), 32));
  EXPECT_EQ(InnerRing(ui->edition), Face());
}

TEST_F(ThemedLookTest, openedComboList_isFramedInSchemeColour) {
  ThemedLook(2);
  ui->edition->showPopup();
  QWidget* list = ui->edition->view()->window();
  ASSERT_NE(list, &ui->window);
  EXPECT_EQ(OuterRing(list), QColor(164, 185, 127));
  EXPECT_EQ(InnerRing(list), Window());
  // The list opens below the field.
  EXPECT_GE(list->geometry().top(), ui->edition->mapToGlobal(QPoint(0, 0)).y() + 20 - 1);
  ui->edition->hidePopup();
}

TEST_F(ThemedLookTest, pushButtonFace_isVerticalGradientAndDisabledOneDiffers) {
  const QFont fontBefore = ui->preview->font();
  ThemedLook(2);
  const QImage enabled = ui->preview->grab().toImage();
  const QImage disabled = ui->full->grab().toImage();
  // Sampled beside the text, inside the rounded edge.
  const int x = 4;
  EXPECT_NE(enabled.pixelColor(x, 2), enabled.pixelColor(x, enabled.height() - 4));
  EXPECT_NE(enabled.pixelColor(x, enabled.height() / 2),
            disabled.pixelColor(x, disabled.height() / 2));
  EXPECT_NE(enabled.pixelColor(0, enabled.height() / 2),
            disabled.pixelColor(0, disabled.height() / 2));
  EXPECT_EQ(ui->preview->font(), fontBefore);
  EXPECT_EQ(ui->preview->font().pixelSize(), 12);
  EXPECT_TRUE(ui->preview->font().bold());
}

TEST_F(ThemedLookTest, checkAndRadioIndicators_areGradientFilled) {
  ThemedLook(2);
  QStyleOptionButton option;
  option.initFrom(ui->restart);
  const QRect box =
      ui->restart->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, ui->restart);
  const QImage check = ui->restart->grab().toImage();
  EXPECT_NE(check.pixelColor(box.left() + 2, box.top() + 2),
            check.pixelColor(box.right() - 2, box.bottom() - 2));

  const QImage before = [&] {
    ThemedLook(0);
    return ui->column->grab().toImage();
  }();
  ThemedLook(2);
  EXPECT_NE(ui->column->grab().toImage(), before);
}

TEST_F(ThemedLookTest, controlCreatedLater_isTakenOver) {
  ThemedLook(2);
  auto* later = new QPlainTextEdit(&ui->window);
  later->setGeometry(300, 100, 100, 40);
  later->show();
  auto* laterCombo = new QComboBox(&ui->window);
  laterCombo->setGeometry(300, 120, 64, 20);
  laterCombo->show();
  EXPECT_EQ(OuterRing(later), QColor(164, 185, 127));
  EXPECT_EQ(OuterRing(laterCombo), QColor(164, 185, 127));
}

TEST_F(ThemedLookTest, parentlessMessageBox_keepsStandardLook) {
  QMessageBox before(QMessageBox::NoIcon, "title", "text", QMessageBox::Ok);
  before.show();
  const QImage standard = before.grab().toImage();

  ThemedLook(2);
  EXPECT_EQ(before.grab().toImage(), standard);
  QMessageBox after(QMessageBox::NoIcon, "title", "text", QMessageBox::Ok);
  after.show();
  EXPECT_EQ(after.grab().toImage(), standard);
}

TEST_F(ThemedLookTest, anyOtherNumber_switchesLookOffAndRestoresStandardDrawing) {
  const QImage standard = ui->window.grab().toImage();
  for (int off : {0, 4, -1}) {
    ThemedLook(2);
    ASSERT_EQ(OuterRing(ui->code), QColor(164, 185, 127));
    ThemedLook(off);
    EXPECT_EQ(CurrentLookScheme(), 0) << off;
    EXPECT_NE(OuterRing(ui->code), QColor(164, 185, 127)) << off;
    EXPECT_EQ(ui->window.grab().toImage(), standard) << off;
  }
}

}  // namespace
}  // namespace ld
