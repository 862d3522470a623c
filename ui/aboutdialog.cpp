#include "aboutdialog.h"

#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "languagetable.h"
#include "numberedresources.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

AboutDialog::AboutDialog(QWidget* parent, int minorVersion)
    : QDialog(parent), m_view(new QWebEngineView(this)), m_minorVersion(minorVersion) {
    auto* channel = new QWebChannel(this);
    channel->registerObject(u"external"_s, new AboutPageExternal(this));
    m_view->page()->setWebChannel(channel);
    // A right click shows no context menu.
    m_view->setContextMenuPolicy(Qt::NoContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    setWindowIcon(QIcon(PicturePath(Picture::ApplicationIcon)));
    resize(470, 230);
    setWindowTitle(LoadUiString(StringId::AboutItem));
    m_view->load(PageUrl(Page::About));
}

AboutPageExternal::AboutPageExternal(AboutDialog* dialog) : QObject(dialog), m_dialog(dialog) {}

int AboutPageExternal::GetVersionNum(int index) const {
    return m_dialog->GetVersionNum(index);
}

void AboutPageExternal::ButtonOK() {
    m_dialog->accept();
}

int AboutDialog::GetVersionNum(int index) const {
    switch (index) {
        case 0:
            return kMajorVersion;
        case 1:
            return m_minorVersion;
        default:
            return 0;
    }
}

}  // namespace tavrel
