#pragma once

#include <QDialog>

class QWebEngineView;

namespace tavrel {

class AboutDialog;

// What the about page may ask of its dialog, published to it as "external":
// the version numbers and the OK button, and nothing else of the window.
class AboutPageExternal : public QObject {
    Q_OBJECT

public:
    explicit AboutPageExternal(AboutDialog* dialog);

    Q_INVOKABLE int GetVersionNum(int index) const;
    Q_INVOKABLE void ButtonOK();

private:
    AboutDialog* m_dialog;
};

// The About box: the built-in about page in a dialog. The page builds its
// version line by asking the dialog for the version numbers.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMajorVersion = 1;
    static constexpr int kMinorVersion = 0;

    explicit AboutDialog(QWidget* parent = nullptr, int minorVersion = kMinorVersion);

    // 1 (the major version) for index 0, the minor version for index 1, 0
    // for any other index.
    int GetVersionNum(int index) const;

    QWebEngineView* View() const { return m_view; }

private:
    QWebEngineView* m_view;
    int m_minorVersion;
};

}  // namespace tavrel
