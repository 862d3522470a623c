#include "chtmlaboutdialog.h"

#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "languagetable.h"
#include "numberedresources.h"

CHtmlAboutDialog::CHtmlAboutDialog(QWidget* parent, int minorVersion)
    : QDialog(parent), m_view(new QWebEngineView(this)), m_minorVersion(minorVersion) {
    auto* channel = new QWebChannel(this);
    channel->registerObject(QStringLiteral("external"), new AboutPageExternal(this));
    m_view->page()->setWebChannel(channel);
    // A right click shows no context menu.
    m_view->setContextMenuPolicy(Qt::NoContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    setWindowIcon(QIcon(tavrel::PngResourcePath(128)));
    resize(470, 230);
    setWindowTitle(tavrel::LoadUiString(101));
    m_view->load(tavrel::HtmlPageUrl(kAboutPage));
}

AboutPageExternal::AboutPageExternal(CHtmlAboutDialog* dialog)
    : QObject(dialog), m_dialog(dialog) {}

int AboutPageExternal::GetVersionNum(int index) const {
    return m_dialog->GetVersionNum(index);
}

void AboutPageExternal::ButtonOK() {
    m_dialog->accept();
}

int CHtmlAboutDialog::GetVersionNum(int index) const {
    switch (index) {
        case 0:
            return kMajorVersion;
        case 1:
            return m_minorVersion;
        default:
            return 0;
    }
}
