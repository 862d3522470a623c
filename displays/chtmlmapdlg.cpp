#include "chtmlmapdlg.h"

#include "controlid.h"
#include "numberedresources.h"
#include "silentwebpage.h"

CHtmlMapDlg::CHtmlMapDlg(QWidget* parent) : QWebEngineView(parent) {
    setPage(new SilentWebPage(this));
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QWebEngineView::loadStarted, this, [this] { m_pageLoaded = false; });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        m_pageLoaded = ok;
        if (ok) {
            emit PageLoaded();
        }
    });
}

bool CHtmlMapDlg::CreateInPlace(QWidget* parent) {
    QWidget* placeholder = tavrel::FindControl(parent, kPlaceholderId);
    if (placeholder == nullptr) {
        return false;
    }
    const QRect area = placeholder->geometry();
    delete placeholder;
    setParent(parent);
    tavrel::SetControlId(this, kPlaceholderId);
    setGeometry(area.adjusted(2, 2, -2, -2));
    raise();
    show();
    return true;
}

void CHtmlMapDlg::LoadMapPage() {
    m_pageLoaded = false;
    // The China map page offers the same script calls; a user who chose it
    // gets it.
    load(tavrel::HtmlPageUrl(m_mapType == 1 ? kChinaMapPage : kMapPage));
}

void CHtmlMapDlg::RunScript(const std::string& script) {
    if (!m_pageLoaded) {
        return;
    }
    page()->runJavaScript(QString::fromStdString(script));
}
