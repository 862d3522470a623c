#pragma once

#include <string>

#include <QWebEngineView>

#include "catalogviews.h"

// The web map beside the video: a built-in map page in an embedded browser,
// driven only by script calls (movpos, path_plot, ...). It stands where the
// main window's placeholder control 1004 was.
class CHtmlMapDlg : public QWebEngineView, public tavrel::MapView {
    Q_OBJECT

public:
    static constexpr int kPlaceholderId = 1004;
    static constexpr int kMapPage = 143;
    static constexpr int kChinaMapPage = 145;

    explicit CHtmlMapDlg(QWidget* parent = nullptr);

    // Takes the place of the parent's control 1004, 2 pixels inside its
    // rectangle, on top of its siblings; false when the parent has none.
    bool CreateInPlace(QWidget* parent);

    // 0 for the map page, 1 for the China map page; set before LoadMapPage.
    void SetMapType(int mapType) { m_mapType = mapType; }
    int MapType() const { return m_mapType; }
    // (Re)loads the page of the map type; everything drawn is discarded.
    void LoadMapPage();
    bool IsPageLoaded() const { return m_pageLoaded; }

    // Runs one script call in the page, after the calls given before it.
    // Before the page has loaded there is nothing to run it in, and the call
    // is dropped.
    void RunScript(const std::string& script) override;

signals:
    void PageLoaded();

private:
    int m_mapType = 0;
    bool m_pageLoaded = false;
};
