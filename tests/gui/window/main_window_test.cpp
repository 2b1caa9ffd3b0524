#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <set>

#include "window_fixture.h"

namespace ld::testing {
namespace {

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, everyControl_standsAsTheDefinitionSays) {
  StartWindow();
  for (const ControlDefinition& d : MainWindowDefinition().controls) {
    SCOPED_TRACE(FromGbk(d.name).toStdString());
    QWidget* w = Named(d.id);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w, Widget(d.id));
    EXPECT_EQ(w->geometry(), QRect(d.left, d.top, d.width, d.height));
    EXPECT_EQ(w->parentWidget(), Widget(d.parent));
    EXPECT_EQ(w->isVisible(), d.visible);
    EXPECT_EQ(access->Visible(d.id), d.visible);
    EXPECT_EQ(w->isEnabled(), d.enabled);
    EXPECT_EQ(access->Ticked(d.id), d.ticked);
    EXPECT_EQ(access->Selection(d.id), d.selection);
    if (d.kind != ControlKind::DropDownList && d.kind != ControlKind::BrowserView &&
        d.kind != ControlKind::Panel) {
      EXPECT_EQ(access->GetText(d.id), d.text);
    }
    const QFont font = w->font();
    if (d.font.systemDefault) {
      EXPECT_EQ(font, QApplication::font(w));
    } else {
      EXPECT_EQ(font.pixelSize(), d.font.pixelHeight);
      EXPECT_EQ(font.weight(), d.font.weight);
      EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    }
  }
  auto* list = static_cast<QComboBox*>(Widget(ControlId::EditionList));
  EXPECT_FALSE(list->isEditable());
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(ToGbk(list->itemText(0)), "\xbc\xaf\xca\xd0\xb0\xe6");  // 集市版
  EXPECT_EQ(ToGbk(list->itemText(1)), "\xcc\xec\xc3\xa8\xb0\xe6");  // 天猫版
  EXPECT_EQ(access->GetText(ControlId::Window), MainWindowDefinition().title);
  // Black text, greyed out while disabled.
  const QPalette buttons = Widget(ControlId::FullScreenButton)->palette();
  EXPECT_EQ(buttons.color(QPalette::Active, QPalette::ButtonText), QColor(Qt::black));
  EXPECT_NE(buttons.color(QPalette::Disabled, QPalette::ButtonText), QColor(Qt::black));
}

TEST_F(MainWindowTest, window_isCentredAtItsOuterSize) {
  StartWindow();
  EXPECT_EQ(access->Width(ControlId::Window), 1100);
  EXPECT_EQ(access->Height(ControlId::Window), 700);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(access->Left(ControlId::Window), (screen.width() - 1100) / 2);
  EXPECT_EQ(access->Top(ControlId::Window), (screen.height() - 700) / 2);
  EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindowTest, hooks_runInTheirOrderAroundTheFirstShow) {
  std::vector<std::string> seen;
  hooks.creationComplete = [&] {
    seen.push_back("created " + std::to_string(window->isVisible()));
  };
  hooks.sizeChanged = [&, a = access.get()] {
    seen.push_back("size " + std::to_string(a->Width(ControlId::Window)));
    ApplyLayout(*a);
  };
  window->SetHooks(hooks);
  StartWindow();
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], "created 0");
  EXPECT_EQ(seen[1], "size 1100");
}

TEST_F(MainWindowTest, resizing_placesTheControlsAsTheLayoutRulesSay) {
  StartWindow();
  struct Size {
    int width, height;
  };
  for (const Size s : {Size{1500, 1000}, Size{120, 50}, Size{1100, 700}}) {
    SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height));
    access->SetWidth(ControlId::Window, s.width);
    access->SetHeight(ControlId::Window, s.height);
    QCoreApplication::processEvents();
    const int w = access->Width(ControlId::Window);
    const int h = access->Height(ControlId::Window);
    EXPECT_EQ(Widget(ControlId::BrowserView)->geometry(), QRect(0, 0, w, std::max(h - 70, 0)));
    EXPECT_EQ(Widget(ControlId::CodeBox)->geometry(), QRect(0, h - 190, w, 120));
    EXPECT_EQ(Widget(ControlId::OptionsPanel)->geometry(), QRect(0, h - 70, w, 40));
    EXPECT_EQ(Widget(ControlId::FullScreenButton)->geometry(), QRect(w - 90, 5, 70, 30));
    EXPECT_EQ(Widget(ControlId::PreviewButton)->geometry(), QRect(w - 170, 5, 70, 30));
    EXPECT_EQ(Widget(ControlId::ShowCodeOption)->geometry(), QRect(838, 14, 74, 16));
  }
  EXPECT_EQ(access->Width(ControlId::Window), 1100);
  EXPECT_EQ(Widget(ControlId::CodeBox)->y(), 510);
}

TEST_F(MainWindowTest, codeBoxCoversTheViewsFoot_untilItIsHidden) {
  StartWindow();
  auto viewColourAt = [&](QPoint p) { return window->grab().toImage().pixelColor(p); };
  const QPoint inCodeBox(550, 570);
  const QPoint aboveIt(550, 300);
  EXPECT_EQ(viewColourAt(aboveIt), FakeView::kColour);
  EXPECT_EQ(viewColourAt(inCodeBox), QColor(234, 234, 234));
  access->SetVisible(ControlId::CodeBox, false);
  EXPECT_EQ(viewColourAt(inCodeBox), FakeView::kColour);
  access->SetVisible(ControlId::CodeBox, true);
  EXPECT_EQ(viewColourAt(inCodeBox), QColor(234, 234, 234));
  // The panel is in front of everything and outlined in dotted grey.
  const QImage image = window->grab().toImage();
  int grey = 0;
  for (int x = 0; x < 40; ++x) {
    grey += image.pixelColor(x, 630) == QColor(128, 128, 128);
  }
  EXPECT_GE(grey, 10);
  EXPECT_LT(grey, 40);
}

TEST_F(MainWindowTest, tab_reachesOnlyTheTabStopsThatAreVisibleAndEnabled) {
  StartWindow();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.data()));
  auto reachedByTab = [&] {
    Widget(ControlId::EditionList)->setFocus();
    std::set<ControlId> reached;
    for (int i = 0; i < 12; ++i) {
      QWidget* focus = QApplication::focusWidget();
      for (const ControlDefinition& d : MainWindowDefinition().controls) {
        if (Widget(d.id) == focus) {
          reached.insert(d.id);
        }
      }
      QTest::keyClick(focus, Qt::Key_Tab);
    }
    return reached;
  };
  using enum ControlId;
  // 按钮2 starts disabled.
  EXPECT_EQ(reachedByTab(),
            (std::set<ControlId>{EditionList, PreviewButton, CodeBox, BrowserView}));
  access->SetEnabled(FullScreenButton, true);
  access->SetVisible(CodeBox, false);
  EXPECT_EQ(reachedByTab(),
            (std::set<ControlId>{EditionList, PreviewButton, FullScreenButton, BrowserView}));
}

TEST_F(MainWindowTest, escInTheCodeBox_closesAndDestroysTheWindow) {
  StartWindow();
  QWidget* code = Widget(ControlId::CodeBox);
  QTest::keyClick(code, Qt::Key_Escape, Qt::ShiftModifier);
  QTest::keyClick(code, Qt::Key_Return);
  QTest::keyClick(code, Qt::Key_F1);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(destroyedHookRuns, 0);
  QTest::keyClick(code, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(destroyedHookRuns, 1);
  EXPECT_THROW(access->GetText(ControlId::CodeBox), WindowGone);
}

TEST_F(MainWindowTest, escInTheView_closesOnlyWhenThePageLeavesTheKey) {
  StartWindow();
  auto* view = static_cast<FakeView*>(Widget(ControlId::BrowserView));
  view->usesEscape = true;
  QTest::keyClick(view, Qt::Key_Escape);
  EXPECT_TRUE(window->isVisible());
  view->usesEscape = false;
  QTest::keyClick(view, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST_F(MainWindowTest, codeBox_givesItsTextAsGb18030WithCrLf) {
  StartWindow();
  EXPECT_EQ(access->GetText(ControlId::CodeBox), HelpText());
  EXPECT_EQ(access->GetText(ControlId::CodeBox).size(), 560u);
  // A character outside GBK, a non-breaking space and a line break.
  const Text typed = "a\xa8\xa0\r\n\x95\x32\x82\x36<b>&nbsp;</b>";
  access->SetText(ControlId::CodeBox, typed);
  auto* box = static_cast<QPlainTextEdit*>(Widget(ControlId::CodeBox));
  EXPECT_EQ(box->document()->blockCount(), 2);
  EXPECT_EQ(access->GetText(ControlId::CodeBox), typed);
  QTest::keyClicks(box, "x");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(access->GetText(ControlId::CodeBox).substr(0, 3), "x\r\n");
}

TEST_F(MainWindowTest, hiddenBoxes_holdAnyBytesUnchanged) {
  StartWindow();
  Text odd("\x80\xff\x00<html>\xa1\r\n\n\r\xfe", 13);
  access->SetText(ControlId::MarketTemplateBox, odd);
  EXPECT_EQ(access->GetText(ControlId::MarketTemplateBox), odd);
  Text page(8u << 20, '\0');
  for (std::size_t i = 0; i < page.size(); ++i) {
    page[i] = static_cast<char>(i * 131 % 251);
  }
  access->SetText(ControlId::WorkingPageBox, page);
  EXPECT_EQ(access->GetText(ControlId::WorkingPageBox), page);
  EXPECT_EQ(access->GetText(ControlId::MarketTemplateBox), odd);
}

TEST_F(MainWindowTest, controlEvents_reachTheirHooksAfterTheControlHasChanged) {
  std::vector<std::string> seen;
  hooks.showCodeClicked = [&, a = access.get()] {
    seen.push_back("show " + std::to_string(a->Ticked(ControlId::ShowCodeOption)));
  };
  hooks.previewClicked = [&] { seen.push_back("preview"); };
  hooks.fullScreenClicked = [&] { seen.push_back("full"); };
  hooks.editionChosen = [&, a = access.get()] {
    seen.push_back("edition " + std::to_string(a->Selection(ControlId::EditionList)));
  };
  hooks.codeBoxDoubleClicked = [&, a = access.get()] {
    seen.push_back("double");
    a->SetText(ControlId::CodeBox, "");
  };
  window->SetHooks(hooks);
  StartWindow();
  QTest::mouseClick(Widget(ControlId::ShowCodeOption), Qt::LeftButton, {}, QPoint(5, 8));
  QTest::mouseClick(Widget(ControlId::PreviewButton), Qt::LeftButton);
  QTest::mouseClick(Widget(ControlId::FullScreenButton), Qt::LeftButton);  // disabled
  auto* list = static_cast<QComboBox*>(Widget(ControlId::EditionList));
  list->activated(0);  // the item already selected, as the opened list reports it
  QTest::mouseDClick(static_cast<QPlainTextEdit*>(Widget(ControlId::CodeBox))->viewport(),
                     Qt::LeftButton);
  EXPECT_EQ(seen, (std::vector<std::string>{"show 0", "preview", "edition 0", "double"}));
  EXPECT_EQ(access->GetText(ControlId::CodeBox), "");
  EXPECT_EQ(access->Selection(ControlId::EditionList), 0);
}

TEST_F(MainWindowTest, radioButtons_formOneExclusiveGroup) {
  StartWindow();
  QTest::mouseClick(Widget(ControlId::FooterRadio), Qt::LeftButton, {}, QPoint(5, 8));
  int selected = 0;
  for (ControlId id = ControlId::ShopSignRadio; id <= ControlId::FooterRadio;
       id = static_cast<ControlId>(static_cast<int>(id) + 1)) {
    selected += access->Ticked(id);
  }
  EXPECT_EQ(selected, 1);
  EXPECT_TRUE(access->Ticked(ControlId::FooterRadio));
}

}  // namespace
}  // namespace ld::testing
