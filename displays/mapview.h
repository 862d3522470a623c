#pragma once

#include <string>

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWebEngineView>

#include "trackscriptwriter.h"

namespace tavrel {

// The web map beside the video: a built-in map page in an embedded browser,
// which draws what the catalog gives it through the page's script interface.
// The calls of one turn of the event loop run in the page as one script, and
// calls made while the page loads wait for it.
class MapView : public QWebEngineView, public TrackScriptWriter {
    Q_OBJECT

public:
    explicit MapView(QWidget* parent = nullptr);

    // Takes the place of the placeholder in its parent, 2 pixels inside its
    // rectangle, on top of its siblings, and deletes the placeholder. False
    // (and nothing changed) without a placeholder in a parent.
    bool CreateInPlace(QWidget* placeholder);

    // 0 for the map page, 1 for the China map page; set before LoadMapPage.
    void SetMapType(int mapType) { m_mapType = mapType; }
    int MapType() const { return m_mapType; }
    // (Re)loads the page of the map type. Everything drawn is discarded, and
    // so are the calls still waiting for the page being replaced; the calls
    // made from now on wait for the new page.
    void LoadMapPage();
    bool IsPageLoaded() const { return m_pageState == PageState::Loaded; }

protected:
    // Runs one batch of calls in the page.
    virtual void RunInPage(const QString& script);

private:
    enum class PageState {
        NotLoaded,  // no page asked for yet: calls wait for the first one
        Loading,
        Loaded,
        Failed,  // no page to draw on until the next load
    };

    void WriteScript(std::string script) override;
    void PageFinished(bool ok);
    void RunQueuedScripts();

    int m_mapType = 0;
    PageState m_pageState = PageState::NotLoaded;
    QStringList m_queuedScripts;
    // Zero-time, single shot: fires once the turn that queued the calls is over.
    QTimer m_batchTimer;
};

}  // namespace tavrel
