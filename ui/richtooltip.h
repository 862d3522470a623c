#pragma once

#include <optional>
#include <vector>

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "pictureids.h"
#include "stringids.h"

namespace tavrel {

// What a tooltip shows beside its label: a description from the string
// table, fetched in the interface language of the moment it shows, and a
// 32 x 32 icon.
struct ToolEntry {
    std::optional<StringId> description;
    std::optional<Bitmap> icon;
};

// The main window's tooltip: a bold label, an optional description and an
// optional icon, shown when the mouse rests on a control.
class RichToolTip : public QWidget {
    Q_OBJECT

public:
    RichToolTip();

    // Nothing shows before this, nor after the owner has gone.
    void InitTooltip(QWidget* owner);

    // An empty rectangle means the whole window; tool ids tell apart
    // several areas of one window. A tool without an entry shows no icon and
    // leaves the description of the tooltip shown before as it was.
    void AddTool(QWidget* window, const QString& label, const QRect& rect = {}, int toolId = 0);
    void AddTool(QWidget* window, const QString& label, const ToolEntry& entry,
                 const QRect& rect = {}, int toolId = 0);
    void DelTool(QWidget* window, int toolId = 0);
    // Every registration of every window, whatever its tool id.
    void RemoveAllTools();

    // Registrations of a window, and the label of its first one.
    int ToolCount(const QWidget* window) const;
    QString ToolLabel(const QWidget* window) const;
    QString Description() const { return m_description; }
    // The window whose tooltip shows or showed last.
    const QWidget* CurrentTool() const { return m_current; }

    QSize GetIconSize() const { return {32, 32}; }
    // False when the current tool has no icon. A named icon that cannot be
    // loaded counts as drawn: the tooltip's layout does not depend on it.
    bool OnDrawIcon(QPainter& painter, const QRect& rect) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Registration {
        QPointer<QWidget> window;
        int toolId = 0;
        QString label;
        QRect rect;
        std::optional<ToolEntry> entry;
    };

    void Register(Registration registration);
    void OnShow(const Registration& registration, const QPoint& globalPos);
    void Unregister(QWidget* window, int toolId);

    QPointer<QWidget> m_owner;
    std::vector<Registration> m_registrations;
    QPointer<const QWidget> m_current;
    std::optional<Bitmap> m_currentIcon;
    QString m_label;
    QString m_description;
    QTimer m_autoPop;
};

}  // namespace tavrel
