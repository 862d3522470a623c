// What the media engine reports, on the user-interface thread.

#include <QCoreApplication>

#include "mainwindow.h"
#include "messagebox.h"
#include "pictureindicator.h"
#include "positionslider.h"
#include "stringmodule.h"

namespace tavrel {

void MainWindow::OnEngineError() {
    // The platform lookup, not the interface language, as for every text
    // the engine's failures show.
    ShowMessageBox(this,
                   {LoadPlatformString(StringId::PlayerError), QCoreApplication::applicationName(),
                    MessageBoxButtons::Ok, MessageBoxIcon::None});
}

void MainWindow::OnNoFix() {
    m_gpsIndicator->SetActive(false);
}

void MainWindow::OnPositionChanged(qint64 timeMs) {
    // The thumb is the user's while it is dragged.
    if (m_positionSlider->IsDragging()) {
        return;
    }
    const std::int64_t lengthMs = m_player.GetLength();
    const int position = lengthMs == 0
                             ? 0
                             : static_cast<int>(static_cast<double>(timeMs) /
                                                static_cast<double>(lengthMs) * kPositionRange);
    m_positionSlider->setValue(position);
}

}  // namespace tavrel
