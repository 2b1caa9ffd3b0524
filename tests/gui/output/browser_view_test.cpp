#include "output/browser_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "common/file_io.h"
#include "common/program_files.h"
#include "output/display.h"
#include "support/fake_controls.h"

namespace ld {
namespace {

// "店招预览", "第一版", "第二版" as the GBK page carries them and as the page reads.
constexpr const char* kTitleGbk = "\xb5\xea\xd5\xd0\xd4\xa4\xc0\xc0";
constexpr const char* kFirstGbk = "\xb5\xda\xd2\xbb\xb0\xe6";
constexpr const char* kSecondGbk = "\xb5\xda\xb6\xfe\xb0\xe6";
const QString kTitle = QString::fromUtf8("\xe5\xba\x97\xe6\x8b\x9b\xe9\xa2\x84\xe8\xa7\x88");
const QString kFirst = QString::fromUtf8("\xe7\xac\xac\xe4\xb8\x80\xe7\x89\x88");
const QString kSecond = QString::fromUtf8("\xe7\xac\xac\xe4\xba\x8c\xe7\x89\x88");

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) {
      return false;
    }
    QTest::qWait(20);
  }
  return true;
}

// A GBK page with the given body text, a 200x100 box at the top left and, when given, a style
// sheet linked the way the Navigation rule links it: a plain absolute path.
std::string GbkPage(const char* body, const Text& styleAddress = {},
                    const std::string& extra = {}) {
  std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=gbk\"><title>";
  page += kTitleGbk;
  page += "</title>";
  if (!styleAddress.empty()) {
    page += "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + styleAddress + "\">";
  }
  page +=
      "<style>body{margin:0}#box{position:absolute;left:0;top:0;width:200px;height:100px}"
      "</style></head><body><div id=\"box\"></div><p style=\"margin-top:120px\">";
  page += body;
  page += "</p>" + extra + "</body></html>";
  return page;
}

class BrowserViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A program directory with Chinese characters ("中文 目录") and a space.
    dir_ = std::filesystem::temp_directory_path() /
           ("ld-view-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name()) /
           "\xe4\xb8\xad\xe6\x96\x87 \xe7\x9b\xae\xe5\xbd\x95";
    std::filesystem::remove_all(dir_.parent_path());
    std::filesystem::create_directories(dir_);
    files_ = ProgramFilesIn(dir_.string());
    view_ = std::make_unique<BrowserView>();
    view_->resize(400, 300);
    view_->show();
    engine_ = qobject_cast<QWebEngineView*>(view_->EngineWidget());
    ASSERT_NE(engine_, nullptr);
    QObject::connect(engine_->page(), &QWebEnginePage::loadFinished,
                     [this](bool ok) { loads_.push_back(ok); });
    // Any window besides the view is a dialog the view raised: note it and close it, so that a
    // dialog fails the test instead of holding it.
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != view_.get() && widget->isVisible()) {
          otherWindows_.push_back(widget->metaObject()->className());
          widget->close();
        }
      }
    });
    watchdog_.start(20);
  }

  void TearDown() override {
    watchdog_.stop();
    view_.reset();
    std::filesystem::remove_all(dir_.parent_path());
  }

  // Navigates and waits for the load to finish; returns whether the page loaded.
  bool Show(const Text& address) {
    const std::size_t before = loads_.size();
    view_->SetViewAddress(address);
    if (!WaitFor([&] { return loads_.size() > before; })) {
      ADD_FAILURE() << "no load finished for " << address;
      return false;
    }
    return loads_.back();
  }

  QVariant Evaluate(const QString& script) {
    QVariant result;
    bool done = false;
    engine_->page()->runJavaScript(script, [&](const QVariant& value) {
      result = value;
      done = true;
    });
    EXPECT_TRUE(WaitFor([&] { return done; })) << script.toStdString();
    return result;
  }

  QString PlainText() {
    QString text;
    bool done = false;
    engine_->page()->toPlainText([&](const QString& value) {
      text = value;
      done = true;
    });
    EXPECT_TRUE(WaitFor([&] { return done; }));
    return text;
  }

  // Waits until the view's picture has the colour at the point (a load can finish before paint).
  bool ShowsColourAt(QPoint point, QColor colour) {
    return WaitFor([&] { return view_->grab().toImage().pixelColor(point) == colour; }, 10000);
  }

  std::filesystem::path dir_;
  ProgramFiles files_;
  std::unique_ptr<BrowserView> view_;
  QWebEngineView* engine_ = nullptr;
  std::vector<bool> loads_;
  QTimer watchdog_;
  std::vector<std::string> otherWindows_;
};

TEST_F(BrowserViewTest, isBlankAndWhiteWithNoAddressBeforeTheFirstNavigation) {
  EXPECT_EQ(view_->ViewAddress(), "");
  EXPECT_TRUE(ShowsColourAt(QPoint(100, 50), Qt::white));
  EXPECT_TRUE(ShowsColourAt(QPoint(399, 299), Qt::white));
  QTest::qWait(300);
  EXPECT_TRUE(loads_.empty());
  EXPECT_DOUBLE_EQ(engine_->zoomFactor(), 1.0);

  // The engine follows the view's size, as the window sets it.
  view_->resize(640, 480);
  EXPECT_EQ(engine_->geometry(), QRect(0, 0, 640, 480));
  EXPECT_TRUE(ShowsColourAt(QPoint(639, 479), Qt::white));
}

TEST_F(BrowserViewTest, showsAGbkPageByItsPlainPathWithoutWaitingForTheLoad) {
  ASSERT_TRUE(WriteWholeFile(files_.previewFile,
                             GbkPage(kFirstGbk, {}, "<style>#box{background:#0000ff}</style>")));
  view_->SetViewAddress(files_.previewFile.string());
  // The call returned before the engine had any chance to load.
  EXPECT_TRUE(loads_.empty());
  ASSERT_TRUE(WaitFor([&] { return !loads_.empty(); }));
  EXPECT_TRUE(loads_.back());

  EXPECT_EQ(engine_->title(), kTitle);
  EXPECT_TRUE(PlainText().contains(kFirst)) << PlainText().toStdString();
  EXPECT_TRUE(ShowsColourAt(QPoint(100, 50), QColor(0, 0, 255)));
  EXPECT_TRUE(ShowsColourAt(QPoint(300, 50), Qt::white));

  // The location comes back as a file URL that leads to the same file.
  const Text address = view_->ViewAddress();
  const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
  EXPECT_TRUE(url.isLocalFile()) << address;
  EXPECT_EQ(std::filesystem::path(url.toLocalFile().toStdString()), files_.previewFile) << address;
}

TEST_F(BrowserViewTest, navigatingToTheSameAddressAgainReadsPageAndStyleSheetAfresh) {
  const Text style = PageAddressOfFile(files_.styleFile);
  ASSERT_TRUE(WriteWholeFile(files_.styleFile, "#box{background:#ff0000}"));
  ASSERT_TRUE(WriteWholeFile(files_.previewFile, GbkPage(kFirstGbk, style)));
  ASSERT_TRUE(Show(files_.previewFile.string()));
  EXPECT_TRUE(PlainText().contains(kFirst));
  EXPECT_EQ(Evaluate("getComputedStyle(document.getElementById('box')).backgroundColor"),
            QVariant(QString("rgb(255, 0, 0)")));
  EXPECT_TRUE(ShowsColourAt(QPoint(100, 50), QColor(255, 0, 0)));

  ASSERT_TRUE(WriteWholeFile(files_.styleFile, "#box{background:#00ff00}"));
  ASSERT_TRUE(WriteWholeFile(files_.previewFile, GbkPage(kSecondGbk, style)));
  ASSERT_TRUE(Show(files_.previewFile.string()));
  const QString text = PlainText();
  EXPECT_TRUE(text.contains(kSecond)) << text.toStdString();
  EXPECT_FALSE(text.contains(kFirst));
  EXPECT_EQ(Evaluate("getComputedStyle(document.getElementById('box')).backgroundColor"),
            QVariant(QString("rgb(0, 255, 0)")));
  EXPECT_TRUE(ShowsColourAt(QPoint(100, 50), QColor(0, 255, 0)));
}

TEST_F(BrowserViewTest, scriptDialogsAndLeavePageQuestionsRaiseNoWindowAndHoldNothing) {
  const std::string script =
      "<script>alert('a'); var c = confirm('b'); var p = prompt('c', 'd');"
      "window.onbeforeunload = function(e) { e.preventDefault(); e.returnValue = 'stay'; "
      "return 'stay'; };"
      "document.title = 'done ' + c + ' ' + p;</script>";
  ASSERT_TRUE(WriteWholeFile(files_.previewFile, GbkPage(kFirstGbk, {}, script)));
  ASSERT_TRUE(Show(files_.previewFile.string()));
  EXPECT_TRUE(WaitFor([&] { return engine_->title().startsWith("done"); }));
  EXPECT_EQ(engine_->title(), "done true null");

  // A click gives the page the user's attention, which the engine needs before it asks whether
  // to leave the page.
  ASSERT_NE(engine_->focusProxy(), nullptr);
  QTest::mouseClick(engine_->focusProxy(), Qt::LeftButton, {}, QPoint(300, 200));
  QTest::qWait(200);

  ASSERT_TRUE(WriteWholeFile(files_.previewFile, GbkPage(kSecondGbk)));
  ASSERT_TRUE(Show(files_.previewFile.string()));
  EXPECT_TRUE(PlainText().contains(kSecond));
  EXPECT_EQ(otherWindows_, std::vector<std::string>{});
}

TEST_F(BrowserViewTest, aMissingPreviewFileShowsAsAnUnloadablePageWithoutADialog) {
  view_->SetViewAddress(files_.previewFile.string());
  ASSERT_TRUE(WaitFor([&] { return !loads_.empty(); }));
  EXPECT_FALSE(loads_.back());
  EXPECT_EQ(otherWindows_, std::vector<std::string>{});
  EXPECT_NE(view_->ViewAddress(), "");
}

TEST_F(BrowserViewTest, afterFollowingALinkReportsTheLinkedPageInAFormItTakesBack) {
  const auto linked = dir_ / "linked page.html";
  ASSERT_TRUE(WriteWholeFile(linked, GbkPage(kSecondGbk)));
  const std::string link = "<a id=\"next\" href=\"linked%20page.html\">next</a>";
  ASSERT_TRUE(WriteWholeFile(files_.previewFile, GbkPage(kFirstGbk, {}, link)));
  ASSERT_TRUE(Show(files_.previewFile.string()));
  const Text shown = view_->ViewAddress();

  const std::size_t before = loads_.size();
  Evaluate("document.getElementById('next').click()");
  ASSERT_TRUE(WaitFor([&] { return loads_.size() > before; }));
  const Text address = view_->ViewAddress();
  const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
  EXPECT_EQ(std::filesystem::path(url.toLocalFile().toStdString()), linked) << address;

  // The reported form of the preview's own location leads back to it.
  ASSERT_TRUE(Show(shown));
  EXPECT_TRUE(PlainText().contains(kFirst));
  EXPECT_EQ(view_->ViewAddress(), shown);
}

// A loopback web server that answers every request with a 3x2 picture.
class PictureServer {
 public:
  PictureServer() {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QBuffer buffer(&png_);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
          if (!socket->readAll().contains("\r\n\r\n")) {
            return;
          }
          ++requests;
          socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
                        QByteArray::number(png_.size()) + "\r\nConnection: close\r\n\r\n" + png_);
          socket->disconnectFromHost();
        });
      }
    });
    server_.listen(QHostAddress::LocalHost);
  }
  quint16 Port() const { return server_.serverPort(); }
  int requests = 0;

 private:
  QTcpServer server_;
  QByteArray png_;
};

TEST_F(BrowserViewTest, aLocalPreviewStillLoadsItsPicturesFromTheWeb) {
  PictureServer server;
  ASSERT_NE(server.Port(), 0);
  const std::string picture =
      "<img id=\"pic\" src=\"http://127.0.0.1:" + std::to_string(server.Port()) +
      "/shop/logo.png\">";
  ASSERT_TRUE(WriteWholeFile(files_.previewFile, GbkPage(kFirstGbk, {}, picture)));
  ASSERT_TRUE(Show(files_.previewFile.string()));
  EXPECT_TRUE(WaitFor(
      [&] { return Evaluate("document.getElementById('pic').naturalWidth").toInt() == 3; }));
  EXPECT_GE(server.requests, 1);
}

// The window's control access as far as the view goes: the address property of 超文本浏览框1.
class ViewControls : public testing::FakeControls {
 public:
  explicit ViewControls(BrowserViewPort& view) : view_(view) {}
  Text Address(ControlId c) override {
    return c == ControlId::BrowserView ? view_.ViewAddress() : FakeControls::Address(c);
  }
  void SetAddress(ControlId c, Text address) override {
    if (c == ControlId::BrowserView) {
      view_.SetViewAddress(address);
    } else {
      FakeControls::SetAddress(c, std::move(address));
    }
  }

 private:
  BrowserViewPort& view_;
};

Text ReadAll(const std::filesystem::path& file) {
  QFile in(QString::fromStdString(file.string()));
  if (!in.open(QIODevice::ReadOnly)) {
    return {};
  }
  return in.readAll().toStdString();
}

TEST_F(BrowserViewTest, fullScreenOpensTheShownPreviewThroughTheDesktopAndClosingRemovesIt) {
  // A stand-in for the desktop's opener, first on the path, that records what it was given.
  const auto bin = dir_.parent_path() / "bin";
  const auto record = dir_.parent_path() / "opened.txt";
  std::filesystem::create_directories(bin);
  ASSERT_TRUE(WriteWholeFile(bin / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" +
                                                   record.string() + ".part\"\nmv \"" +
                                                   record.string() + ".part\" \"" +
                                                   record.string() + "\"\n"));
  std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
  qputenv("PATH", QByteArray::fromStdString(bin.string()) + ":" + qgetenv("PATH"));
  qunsetenv("BROWSER");
  qunsetenv("DEFAULT_BROWSER");

  ASSERT_TRUE(WriteWholeFile(files_.previewFile, GbkPage(kFirstGbk)));
  ASSERT_TRUE(WriteWholeFile(files_.styleFile, "#box{background:#ff0000}"));
  ViewControls controls(*view_);
  DisplayTask(controls, files_);
  ASSERT_TRUE(WaitFor([&] { return !loads_.empty(); }));
  ASSERT_TRUE(loads_.back());

  QtShell shell;
  OpenInSystemBrowser(controls, shell);
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(record); }, 10000));
  Text recorded = ReadAll(record);
  ASSERT_FALSE(recorded.empty());
  recorded.pop_back();  // the line end
  const QUrl url(QString::fromUtf8(recorded.data(), static_cast<qsizetype>(recorded.size())));
  ASSERT_TRUE(url.isLocalFile()) << recorded;
  const std::filesystem::path reopened(url.toLocalFile().toStdString());
  EXPECT_EQ(reopened, files_.previewFile) << recorded;
  EXPECT_TRUE(std::filesystem::exists(reopened));
  EXPECT_EQ(reopened.filename().string(), "\xe6\x95\x88\xe6\x9e\x9c.html");  // "效果.html"

  RemovePreviewFile(files_);
  EXPECT_FALSE(std::filesystem::exists(files_.previewFile));
  EXPECT_TRUE(std::filesystem::exists(files_.styleFile));
}

}  // namespace
}  // namespace ld

int main(int argc, char** argv) {
  // The view is tested without a display, also while the tests are only being listed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  ld::PrepareBrowserEngine();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
