#include "output/browser_view.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QPalette>
#include <QProcess>
#include <QUrl>
#include <QWebEngineCertificateError>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineQuotaRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>
#include <QWebEngineView>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace ld {
namespace {

// A page that never raises a dialog of its own: script dialogs are answered at once, and every
// request that a browser would put to the user is declined.
class SilentPage : public QWebEnginePage {
 public:
  SilentPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
              setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
    connect(this, &QWebEnginePage::certificateError, this,
            [](const QWebEngineCertificateError& error) {
              QWebEngineCertificateError rejected = error;
              rejected.rejectCertificate();
            });
    connect(this, &QWebEnginePage::authenticationRequired, this,
            [](const QUrl&, QAuthenticator* authenticator) { *authenticator = QAuthenticator(); });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            [](const QUrl&, QAuthenticator* authenticator, const QString&) {
              *authenticator = QAuthenticator();
            });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::quotaRequested, this,
            [](QWebEngineQuotaRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
  }

 protected:
  void javaScriptAlert(const QUrl&, const QString&) override {}
  // The engine also asks here whether to leave a page that has a leave-page handler. Yes keeps the
  // view free to follow the next preview.
  bool javaScriptConfirm(const QUrl&, const QString&) override { return true; }
  bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override {
    return false;
  }
  QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override {
    return {};
  }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                const QString&) override {}
};

bool IsPlainLocalPath(const QString& address) {
  // A leading ':' is Qt's resource prefix, not a file-system path.
  return QDir::isAbsolutePath(address) && !address.startsWith(u':');
}

}  // namespace

void PrepareBrowserEngine() {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // Shop previews are static pages. With Qt Quick's software scene graph the engine composites in
  // software as well, and a repaint of one of the window's own controls (按钮1 greyed out and back)
  // stays a plain image copy instead of a GL composition of the whole window, which cost every
  // preview about 25 ms and the process tree about 30 MiB under a software GL.
  if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND")) {
    qputenv("QT_QUICK_BACKEND", "software");
  }
#ifndef _WIN32
  if (geteuid() == 0) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
#endif
}

struct BrowserView::Engine {
  bool startPosted = false;
  QWebEngineProfile* profile = nullptr;
  SilentPage* page = nullptr;
  QWebEngineView* view = nullptr;
};

BrowserView::BrowserView(QWidget* parent) : QWidget(parent), engine_(std::make_unique<Engine>()) {
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
}

// The engine's start takes longer than the whole window's first paint, and the view is blank until
// the first navigation anyway: it starts once the blank view has been painted, or earlier when
// someone needs it.
void BrowserView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (engine_->view == nullptr && !engine_->startPosted) {
    engine_->startPosted = true;
    QMetaObject::invokeMethod(
        this, [this] { StartEngine(); }, Qt::QueuedConnection);
  }
}

void BrowserView::StartEngine() {
  if (engine_->view != nullptr) {
    return;
  }
  // Off the record: the cache lives in memory for the view's lifetime, so a run reads nothing that
  // an earlier run left behind. Local files are never kept in it and are read afresh on each
  // navigation; pictures from the web are.
  engine_->profile = new QWebEngineProfile(this);
  engine_->profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);

  engine_->page = new SilentPage(engine_->profile, this);
  engine_->page->setBackgroundColor(Qt::white);
  engine_->page->setZoomFactor(1.0);
  QWebEngineSettings* settings = engine_->page->settings();
  // A preview links its style sheet by plain absolute path and its pictures from the web.
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);

  const bool focused = hasFocus();
  engine_->view = new QWebEngineView(this);
  engine_->view->setPage(engine_->page);
  engine_->view->setGeometry(rect());
  engine_->view->show();
  setFocusProxy(engine_->view);
  if (focused) {
    engine_->view->setFocus();
  }
}

BrowserView::~BrowserView() {
  // The engine wants the page gone before its profile. Never started, all three are null.
  delete engine_->view;
  delete engine_->page;
  delete engine_->profile;
}

void BrowserView::SetViewAddress(const Text& address) {
  StartEngine();
  const QString text =
      QString::fromLocal8Bit(address.data(), static_cast<qsizetype>(address.size()));
  const QUrl url = IsPlainLocalPath(text) ? QUrl::fromLocalFile(text) : QUrl::fromUserInput(text);
  engine_->page->load(url);
}

Text BrowserView::ViewAddress() {
  if (engine_->page == nullptr) {
    return Text();
  }
  const QByteArray bytes = engine_->page->url().toString().toLocal8Bit();
  return Text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QWidget* BrowserView::EngineWidget() {
  StartEngine();
  return engine_->view;
}

void BrowserView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (engine_->view != nullptr) {
    engine_->view->setGeometry(rect());
  }
}

QWidget* CreateBrowserView(QWidget* parent) {
  return new BrowserView(parent);
}

void QtShell::Open(const Text& address) {
  const QString text =
      QString::fromLocal8Bit(address.data(), static_cast<qsizetype>(address.size()));
  const QUrl url = text.isEmpty() ? QUrl() : QUrl::fromUserInput(text);
  if (QDesktopServices::openUrl(url) || !url.isValid()) {
    return;
  }
#ifndef _WIN32
  // A platform plugin without desktop services (offscreen, minimal) declines; the desktop's opener
  // is still there, so it gets the address in the form the desktop services would give it.
  QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
#endif
}

}  // namespace ld
