// The window's own buttons and toggles: the map and G-sensor columns, the
// about box and closing.

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include "aboutdialog.h"
#include "appsettings.h"
#include "gsensorgraph.h"
#include "mainwindow.h"
#include "mapview.h"
#include "stringmodule.h"

namespace tavrel {

void MainWindow::ApplyMapEnabled(bool on) {
    if (m_fullScreen) {
        return;
    }
    m_mapEnabled = on;
    ApplyLayout();
    m_mapView->setVisible(on);
    m_mapView->setEnabled(on);
    AppSettings::Instance().WriteInt(u"UI", u"MAP_ENABLE", on ? 1 : 0);
}

void MainWindow::ToggleMap() {
    if (!m_fullScreen) {
        ApplyMapEnabled(!m_mapEnabled);
    }
}

void MainWindow::ToggleGSensor() {
    m_gsensorEnabled = !m_gsensorEnabled;
    m_gsensorGraph->setVisible(m_gsensorEnabled);
    ApplyLayout();
    AppSettings::Instance().WriteInt(u"UI", u"GSNR_ENABLE", m_gsensorEnabled ? 1 : 0);
}

void MainWindow::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // The top bar stands in for the system menu a frameless window lacks.
    const QString aboutItem = LoadPlatformString(StringId::AboutItem);
    if (event->pos().y() >= kContentTop || aboutItem.isEmpty()) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    menu.addAction(aboutItem, this, &MainWindow::ShowAbout);
    menu.exec(event->globalPos());
}

void MainWindow::StopAndSaveWindowRect() {
    if (m_player.IsLoaded()) {
        m_player.Stop();
    }
    const QRect frame = frameGeometry();
    const AppSettings& settings = AppSettings::Instance();
    settings.WriteInt(u"WINPOS", u"LEFT", frame.left());
    settings.WriteInt(u"WINPOS", u"TOP", frame.top());
    settings.WriteInt(u"WINPOS", u"RIGHT", frame.x() + frame.width());
    settings.WriteInt(u"WINPOS", u"BOTTOM", frame.y() + frame.height());
}

void MainWindow::reject() {
    StopAndSaveWindowRect();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Escape would end a dialog; this one closes only on purpose.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    StopAndSaveWindowRect();
    done(QDialog::Rejected);
    event->accept();
}

}  // namespace tavrel
