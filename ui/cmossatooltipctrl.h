#pragma once

#include <cstdint>
#include <vector>

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>

// Extra display data of one control's tooltip.
struct ToolEntry {
    std::int32_t controlId = 0;
    std::int32_t descriptionId = 0;  // string id; 0 for none
    std::int32_t iconId = 0;         // bitmap resource; 0 for none
};

// The main window's tooltip: a bold label, an optional description from the
// string table and a 32 x 32 icon, shown when the mouse rests on a control.
class CMossaToolTipCtrl : public QWidget {
public:
    CMossaToolTipCtrl();

    // Nothing shows before this, nor after the owner has gone.
    void InitTooltip(QWidget* owner);

    // An empty rectangle means the whole window.
    void AddTool(QWidget* window, const QString& label, const QRect& rect = {}, int toolId = 0);
    void DelTool(QWidget* window, int toolId = 0);
    void RemoveAllTools();

    // Registrations of a window, and the label of its first one.
    int ToolCount(const QWidget* window) const;
    QString ToolLabel(const QWidget* window) const;
    QString Description() const { return m_description; }
    int CurrentId() const { return m_currentId; }

    QSize GetIconSize() const { return {32, 32}; }
    // False when the current control has no icon.
    bool OnDrawIcon(QPainter& painter, const QRect& rect) const;

    // Filled and emptied by the owner: one entry per control with a tooltip.
    std::vector<ToolEntry> m_entries;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Registration {
        QPointer<QWidget> window;
        int toolId = 0;
        QString label;
        QRect rect;
    };

    void OnShow(QWidget* window, const QString& label, const QPoint& globalPos);
    const ToolEntry* FindEntry(int controlId) const;
    void Unregister(QWidget* window, int toolId);

    QPointer<QWidget> m_owner;
    std::vector<QPointer<QWidget>> m_tools;
    std::vector<Registration> m_registrations;
    std::int32_t m_currentId = 0;
    QString m_label;
    QString m_description;
    QTimer m_autoPop;
};
