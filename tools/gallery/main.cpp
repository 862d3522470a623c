// tavrel-gallery [--screenshot FILE]: the picture buttons in each of their
// looks, both sliders, the outlined texts, the read-outs, the G-sensor graph
// playing and stopped, the status board and the tooltip, on the main window's
// RGB(64, 64, 64). With --screenshot it saves the window as a PNG and ends.

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "compass.h"
#include "gsensorgraph.h"
#include "languagetable.h"
#include "numberedresources.h"
#include "outlinedtext.h"
#include "picturebutton.h"
#include "pictureindicator.h"
#include "positionslider.h"
#include "richtooltip.h"
#include "samplegen.h"
#include "speedreadout.h"
#include "statusboard.h"
#include "volumeslider.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

const QColor kBackground(64, 64, 64);

struct ButtonArt {
    const char* name;
    Picture picture;
    std::optional<Picture> alternate;
    QSize size;
};

// The main window's buttons at the sizes its layout gives them.
const ButtonArt kButtons[] = {
    {"SLOW", Picture::Slower, {}, {40, 40}},
    {"STOP", Picture::Stop, {}, {40, 40}},
    {"PLAY", Picture::Play, Picture::Pause, {48, 48}},
    {"FAST", Picture::Faster, {}, {40, 40}},
    {"OPEN", Picture::Open, {}, {48, 36}},
    {"SNAP", Picture::Snapshot, {}, {48, 36}},
    {"SAVE", Picture::SaveAs, {}, {48, 36}},
    {"DEL", Picture::Delete, {}, {48, 36}},
    {"Vol", Picture::Volume, Picture::Muted, {12, 24}},
    {"Loop", Picture::AutoPlayNextOn, Picture::AutoPlayNextOff, {32, 32}},
    {"KML", Picture::Kml, {}, {32, 32}},
    {"MAP", Picture::Map, {}, {32, 32}},
    {"GSR", Picture::GSensor, {}, {32, 32}},
    {"LOCK", Picture::Unlock, {}, {32, 32}},
    {"FLIP", Picture::Rotate, {}, {32, 32}},
    {"?", Picture::About, {}, {25, 25}},
    {"-", Picture::Minimise, {}, {25, 25}},
    {"[ ]", Picture::Maximise, {}, {25, 25}},
    {"X", Picture::Close, {}, {25, 25}},
    {"S", Picture::SmallWindow, {}, {16, 16}},
    {"M", Picture::MediumWindow, {}, {16, 16}},
    {"L", Picture::LargeWindow, {}, {16, 16}},
};

// The pictures the pages show, by the file names the pages use: the map's
// marker and eraser and the about page's banner.
constexpr PagePicture kPagePictures[] = {PagePicture::MapMarker, PagePicture::Eraser,
                                         PagePicture::AboutLogo};

QLabel* Caption(const QString& text) {
    auto* label = new QLabel(text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(200, 200, 204));
    label->setPalette(palette);
    return label;
}

QWidget* Fixed(QWidget* widget, QSize size) {
    widget->setFixedSize(size);
    return widget;
}

// A surface that paints with one of the outlined text operations.
class TextSample : public QWidget {
public:
    TextSample(QSize size, QColor background, std::function<void(QPainter&)> draw)
        : m_background(background), m_draw(std::move(draw)) {
        setFixedSize(size);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), m_background);
        m_draw(painter);
    }

private:
    QColor m_background;
    std::function<void(QPainter&)> m_draw;
};

// A picture of the resources as it is, for the ones no control shows here.
QLabel* PictureLabel(const QImage& image) {
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(image));
    label->setFixedSize(image.size());
    return label;
}

void HoldHover(PictureButton* button) {
    const QPointF centre(button->width() / 2.0, button->height() / 2.0);
    QEnterEvent enter(centre, centre, button->mapToGlobal(centre));
    QApplication::sendEvent(button, &enter);
    QMouseEvent move(QEvent::MouseMove, centre, button->mapToGlobal(centre), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &move);
}

// As the catalog loads a recording: full scale from the rate word, range 5 G.
void LoadRecording(GSensorGraph& graph, const std::vector<samplegen::GSample>& samples,
                   std::uint32_t rateWord) {
    graph.ClearSamples();
    graph.SetScale((rateWord >> 8) & 0xFF, 5.0);
    graph.ClearSamples();
    for (const auto& s : samples) {
        graph.AddSample({s.x, s.y, s.z});
    }
    graph.SetSampleRate((rateWord & 0xFF) / 1000.0);
}

class Gallery : public QWidget {
public:
    Gallery() {
        setWindowTitle(u"Tavrel gallery"_s);
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, kBackground);
        setPalette(palette);

        auto* page = new QVBoxLayout(this);
        page->setContentsMargins(16, 12, 16, 16);
        page->setSpacing(10);
        page->addWidget(Caption(u"Picture buttons"_s));
        page->addLayout(ButtonRows());

        auto* middle = new QHBoxLayout;
        middle->setSpacing(28);
        middle->addLayout(SliderColumn());
        middle->addLayout(TextColumn());
        middle->addLayout(ReadoutColumn());
        middle->addStretch();
        page->addLayout(middle);

        page->addWidget(Caption(u"G-sensor graph: playing, then stopped (hard brake at 35 s)"_s));
        page->addLayout(GraphRows());

        auto* bottom = new QHBoxLayout;
        bottom->setSpacing(28);
        bottom->addLayout(BoardColumn());
        bottom->addLayout(PictureColumn());
        bottom->addStretch();
        page->addLayout(bottom);
    }

    // Puts the buttons into the looks of their rows once they are on screen.
    void ApplyLooks() {
        for (PictureButton* button : m_hovered) {
            HoldHover(button);
        }
        for (PictureButton* button : m_pressed) {
            button->setDown(true);
        }
        for (PaintedSlider* slider : m_held) {
            const QPointF at(slider->ChannelRect().left() + slider->ChannelRect().width() * 0.7,
                             slider->height() / 2.0);
            QMouseEvent press(QEvent::MouseButtonPress, at, slider->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(slider, &press);
        }
    }

    // Shows the tooltip of a button and keeps a picture of it on the page.
    void CaptureTooltip() {
        QHelpEvent help(QEvent::ToolTip, QPoint(10, 10), m_tipButton->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(m_tipButton, &help);
        m_tipPicture->setPixmap(m_tooltip.grab());
        m_tipPicture->setFixedSize(m_tooltip.size());
        m_tooltip.hide();
    }

private:
    QGridLayout* ButtonRows() {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(6);
        const char* looks[] = {"normal", "hover", "pressed", "alternate", "grey"};
        for (int row = 0; row < 5; ++row) {
            grid->addWidget(Caption(QString::fromLatin1(looks[row])), row + 1, 0);
        }
        int column = 1;
        for (const ButtonArt& art : kButtons) {
            grid->addWidget(Caption(QString::fromLatin1(art.name)), 0, column, Qt::AlignCenter);
            for (int row = 0; row < 5; ++row) {
                const bool alternate = row == 3;
                if (alternate && !art.alternate) {
                    continue;
                }
                auto* button = new PictureButton;
                button->setFixedSize(art.size);
                button->LoadStdImage(art.picture);
                if (art.alternate) {
                    button->LoadAltImage(*art.alternate);
                }
                if (row == 1) {
                    m_hovered.push_back(button);
                } else if (row == 2) {
                    m_pressed.push_back(button);
                } else if (alternate) {
                    button->SetLook(true, false);
                } else if (row == 4) {
                    button->SetLook(false, true);
                }
                if (row == 0 && art.picture == Picture::Play) {
                    m_tipButton = button;
                }
                grid->addWidget(button, row + 1, column, Qt::AlignCenter);
            }
            ++column;
        }
        grid->setColumnStretch(column, 1);

        m_tooltip.InitTooltip(this);
        m_tooltip.AddTool(m_tipButton, LoadUiString(StringId::PlayPauseTip),
                          {std::nullopt, Bitmap::CheckMark});
        return grid;
    }

    QVBoxLayout* SliderColumn() {
        auto* column = new QVBoxLayout;
        column->setSpacing(6);
        column->addWidget(Caption(u"Position slider: 0, 35 %, dragged"_s));
        for (int i = 0; i < 3; ++i) {
            auto* slider = new PositionSlider;
            slider->setRange(0, 1000);
            slider->setValue(i == 0 ? 0 : 350);
            column->addWidget(Fixed(slider, {400, 20}));
            if (i == 2) {
                m_held.push_back(slider);
            }
        }
        column->addWidget(Caption(u"Volume slider: 100, 40, dragged"_s));
        auto* volumes = new QHBoxLayout;
        for (int i = 0; i < 3; ++i) {
            auto* slider = new VolumeSlider;
            slider->setRange(0, 100);
            slider->setValue(i == 0 ? 100 : 40);
            volumes->addWidget(Fixed(slider, {80, 20}));
            if (i == 2) {
                m_held.push_back(slider);
            }
        }
        volumes->addStretch();
        column->addLayout(volumes);
        column->addStretch();
        return column;
    }

    QVBoxLayout* TextColumn() {
        auto* column = new QVBoxLayout;
        column->setSpacing(6);
        column->addWidget(Caption(u"Outlined texts: title, speed, scan counter"_s));
        column->addWidget(new TextSample({180, 40}, kBackground, [](QPainter& p) {
            p.translate(-40, 0);
            DrawTitleText(u"Orlin"_s, p, 18);
        }));
        column->addWidget(new TextSample({180, 40}, kBackground, [](QPainter& p) {
            DrawSpeedText(u" 88"_s, p, 0, 10, 20);
            DrawSpeedText(u"Km/h"_s, p, 40, 18, 12);
        }));
        column->addWidget(new TextSample(
            {260, 100}, Qt::black, [](QPainter& p) { DrawOverlayText(u"128\n"_s, p, 10, 72); }));
        column->addStretch();
        return column;
    }

    QVBoxLayout* ReadoutColumn() {
        auto* column = new QVBoxLayout;
        column->setSpacing(6);
        column->addWidget(Caption(u"Speed: 0, 5, 57, 128, no fix"_s));
        auto* speeds = new QHBoxLayout;
        speeds->setSpacing(4);
        for (const int speed : {0, 5, 57, 128, -1}) {
            auto* label = new SpeedReadout;
            if (speed >= 0) {
                label->SetSpeed(true, static_cast<std::uint16_t>(speed));
            } else {
                label->SetSpeed(false, 0);
            }
            speeds->addWidget(Fixed(label, {72, 40}));
        }
        speeds->addStretch();
        column->addLayout(speeds);

        column->addWidget(Caption(u"Compass: no heading, then heading 0, 45, ... 315"_s));
        auto* compasses = new QHBoxLayout;
        compasses->setSpacing(6);
        for (int heading = -45; heading < 360; heading += 45) {
            auto* compass = new Compass;
            compass->LoadHeadingImages();
            if (heading < 0) {
                compass->ShowNoHeading();
            } else {
                compass->SetHeading(heading);
            }
            compasses->addWidget(Fixed(compass, {32, 32}));
        }
        compasses->addStretch();
        column->addLayout(compasses);

        column->addWidget(Caption(u"GPS indicator on and off; logo"_s));
        auto* indicators = new QHBoxLayout;
        indicators->setSpacing(8);
        for (const bool active : {true, false}) {
            auto* gps = new PictureIndicator;
            gps->SetImage(LoadPicture(Picture::GpsIndicator));
            gps->SetActive(active);
            indicators->addWidget(Fixed(gps, {32, 32}));
        }
        auto* logo = new PictureIndicator;
        logo->SetImage(LoadPicture(Picture::Logo));
        logo->SetActive(true);
        indicators->addWidget(Fixed(logo, {40, 40}));
        indicators->addStretch();
        column->addLayout(indicators);
        column->addStretch();
        return column;
    }

    QVBoxLayout* GraphRows() {
        samplegen::DriveSpec hardBrake;
        hardBrake.seconds = 60;
        hardBrake.gsensorSamplesPerSecond = 10;
        hardBrake.hardBrakeAtSecond = 35;
        const auto drive = samplegen::MakeDrivingRecording(hardBrake);
        auto* rows = new QVBoxLayout;
        rows->setSpacing(6);
        for (const bool stopped : {false, true}) {
            auto* graph = new GSensorGraph;
            graph->setFixedSize(1200, 140);
            LoadRecording(*graph, drive.gsensor, *drive.gsensorRateWord);
            graph->SetPosition(stopped ? 0 : 38000);
            graph->SetStopped(stopped);
            rows->addWidget(graph);
        }
        return rows;
    }

    QVBoxLayout* BoardColumn() {
        auto* column = new QVBoxLayout;
        column->setSpacing(6);
        column->addWidget(Caption(u"Status board: 0, 42 and 100 %"_s));
        for (const int percent : {0, 42, 100}) {
            auto* board = new StatusBoard;
            board->SetFillTile(LoadBitmap(Bitmap::ProgressTile));
            board->SetProgress(percent);
            column->addWidget(Fixed(board, {360, 30}));
        }
        column->addStretch();
        return column;
    }

    QVBoxLayout* PictureColumn() {
        auto* column = new QVBoxLayout;
        column->setSpacing(6);
        column->addWidget(
            Caption(u"Tooltip; row locks, check mark, progress tile; map marker and eraser, "
                    u"about banner, icon"_s));
        auto* row = new QHBoxLayout;
        row->setSpacing(12);
        m_tipPicture = new QLabel;
        row->addWidget(m_tipPicture, 0, Qt::AlignTop);
        for (const Bitmap bitmap : {Bitmap::LockCells, Bitmap::CheckMark, Bitmap::ProgressTile}) {
            row->addWidget(PictureLabel(LoadBitmap(bitmap)), 0, Qt::AlignTop);
        }
        for (const PagePicture picture : kPagePictures) {
            row->addWidget(PictureLabel(QImage(PagePicturePath(picture))), 0, Qt::AlignTop);
        }
        row->addWidget(
            PictureLabel(LoadPicture(Picture::ApplicationIcon)
                             .scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation)),
            0, Qt::AlignTop);
        row->addStretch();
        column->addLayout(row);
        column->addStretch();
        return column;
    }

    std::vector<PictureButton*> m_hovered;
    std::vector<PictureButton*> m_pressed;
    std::vector<PaintedSlider*> m_held;
    PictureButton* m_tipButton = nullptr;
    RichToolTip m_tooltip;
    QLabel* m_tipPicture = nullptr;
};

}  // namespace
}  // namespace tavrel

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QString screenshot;
    const QStringList arguments = QApplication::arguments();
    if (const qsizetype at = arguments.indexOf(u"--screenshot"_s); at >= 0) {
        if (at + 1 >= arguments.size()) {
            std::fprintf(stderr, "usage: tavrel-gallery [--screenshot FILE]\n");
            return 2;
        }
        screenshot = arguments[at + 1];
    }

    // Keep the pointer off the page: only the hover row should hover.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QCursor::setPos(screen->geometry().bottomRight());
    }
    tavrel::Gallery gallery;
    gallery.move(0, 0);
    gallery.show();
    QTimer::singleShot(50, &gallery, [&gallery] {
        gallery.ApplyLooks();
        gallery.CaptureTooltip();
    });
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(600, &gallery, [&gallery, screenshot] {
            const bool saved = gallery.grab().save(screenshot, "PNG");
            if (!saved) {
                std::fprintf(stderr, "tavrel-gallery: cannot write %s\n", qPrintable(screenshot));
            }
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
