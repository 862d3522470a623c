#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "catalogviews.h"

// How far a copy has got: a bar filled from the left in proportion to the
// percentage, the percentage in the middle, inside a raised frame. Hidden
// except while copying.
class CStatusBoardStatic : public QWidget, public tavrel::StatusBoardView {
public:
    explicit CStatusBoardStatic(QWidget* parent = nullptr);

    // Shows the board and repaints it at once: the copy runs on this thread
    // and gives the event loop no chance in between. Clamped to 0..100.
    void SetProgress(int percent) override;
    void HideBoard() override;

    // A bitmap resource tiled over the bar; 0 fills it with the bar colour.
    void SetFillBitmap(int bitmapId);

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
    int m_fillBitmap = 0;
};
