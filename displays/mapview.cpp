#include "mapview.h"

#include <utility>

#include "logging.h"
#include "numberedresources.h"
#include "silentwebpage.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

MapView::MapView(QWidget* parent) : QWebEngineView(parent) {
    setPage(new SilentWebPage(this));
    setContextMenuPolicy(Qt::NoContextMenu);
    m_batchTimer.setSingleShot(true);
    m_batchTimer.setInterval(0);
    connect(&m_batchTimer, &QTimer::timeout, this, &MapView::RunQueuedScripts);
    connect(this, &QWebEngineView::loadStarted, this, [this] { m_pageState = PageState::Loading; });
    connect(this, &QWebEngineView::loadFinished, this, &MapView::PageFinished);
    connect(page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                qCWarning(lcMap) << "the map page's renderer ended:" << status << "exit code"
                                 << exitCode;
                m_queuedScripts.clear();
                m_pageState = PageState::Failed;
            });
}

bool MapView::CreateInPlace(QWidget* placeholder) {
    QWidget* parent = placeholder != nullptr ? placeholder->parentWidget() : nullptr;
    if (parent == nullptr) {
        return false;
    }
    const QRect area = placeholder->geometry();
    delete placeholder;
    setParent(parent);
    setGeometry(area.adjusted(2, 2, -2, -2));
    raise();
    show();
    return true;
}

void MapView::LoadMapPage() {
    if (m_pageState != PageState::NotLoaded) {
        m_queuedScripts.clear();
    }
    m_pageState = PageState::Loading;
    // The China map page offers the same script calls; a user who chose it
    // gets it.
    load(PageUrl(m_mapType == 1 ? Page::ChinaMap : Page::Map));
}

void MapView::PageFinished(bool ok) {
    if (ok) {
        m_pageState = PageState::Loaded;
        m_batchTimer.start();
        return;
    }
    qCWarning(lcMap) << "the map page" << url().toString() << "did not load;"
                     << m_queuedScripts.size() << "calls dropped";
    m_queuedScripts.clear();
    m_pageState = PageState::Failed;
}

void MapView::WriteScript(std::string script) {
    if (m_pageState == PageState::Failed) {
        return;
    }
    m_queuedScripts.append(QString::fromStdString(script));
    if (m_pageState == PageState::Loaded && !m_batchTimer.isActive()) {
        m_batchTimer.start();
    }
}

void MapView::RunQueuedScripts() {
    if (m_pageState != PageState::Loaded || m_queuedScripts.isEmpty()) {
        return;
    }
    // Each call on its own guard, as when each ran as a script of its own: one
    // that fails leaves the others drawn, and says why in the log.
    QString batch;
    for (const QString& call : std::as_const(m_queuedScripts)) {
        batch += u"try { "_s + call + u"; } catch (e) { console.error(String(e)); }\n"_s;
    }
    m_queuedScripts.clear();
    RunInPage(batch);
}

void MapView::RunInPage(const QString& script) {
    page()->runJavaScript(script);
}

}  // namespace tavrel
