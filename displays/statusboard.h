#pragma once

#include <optional>

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include "catalogviews.h"

namespace tavrel {

// How far a copy has got: a bar filled from the left in proportion to the
// percentage, the percentage in the middle, inside a raised frame. Hidden
// except while copying.
class StatusBoard : public QWidget, public StatusBoardView {
public:
    explicit StatusBoard(QWidget* parent = nullptr);

    // Shows the board and repaints it at once: the copy runs on this thread
    // and gives the event loop no chance in between. Clamped to 0..100.
    void SetProgress(int percent) override;
    void HideBoard() override;

    // A picture tiled over the bar. Until one is given the bar has the bar
    // colour; a null picture (one that did not load) leaves the bar unpainted.
    void SetFillTile(const QImage& tile);

    int Percent() const { return m_percent; }
    QString Text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_percent = 0;
    QString m_text;
    QColor m_emptyColor{64, 64, 64};
    // The same as the empty colour: the text shows over the bar only.
    QColor m_textColor{64, 64, 64};
    QColor m_barColor{64, 64, 64};
    std::optional<QImage> m_fillTile;
};

}  // namespace tavrel
