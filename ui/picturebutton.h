#pragma once

#include <array>
#include <optional>

#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "pictureids.h"

namespace tavrel {

// A push button drawn from PNG pictures: a standard picture and an optional
// alternate one, each prepared once in normal, pressed and hover form, plus a
// greyscale form of the standard picture. In toggle mode each click switches
// between the two pictures.
class PictureButton : public QPushButton {
    Q_OBJECT

public:
    // The prepared images, in the order they are built.
    enum class Look { StdNormal, StdPressed, StdHover, Greyscale, AltNormal, AltPressed, AltHover };

    explicit PictureButton(QWidget* parent = nullptr);

    // False (and nothing to draw from it) when the picture is missing.
    bool LoadStdImage(Picture picture);
    bool LoadAltImage(Picture picture);
    // Toggle mode needs an alternate picture; without one this does nothing.
    void EnableToggle();
    bool IsToggle() const { return m_toggle; }

    // Shows the state of a function that also changes without a click (the
    // play button shows its alternate picture while playing).
    void SetLook(bool alternate, bool greyed);

    // The alternate picture is the current one: for the mute button it means
    // muted. A click has flipped it before the owner hears of the click.
    bool ShowAlt() const { return m_showAlt; }
    bool IsHovering() const { return m_hovering; }
    // The image last drawn; none before the first paint.
    std::optional<Look> Current() const { return m_current; }

protected:
    void nextCheckState() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PrepareImages();
    QPixmap& Image(Look look) { return m_images[static_cast<std::size_t>(look)]; }
    Look ChooseLook() const;
    void OnHover();

    QImage m_stdImage;
    QImage m_altImage;
    bool m_hasAltImage = false;
    bool m_disabledLook = false;
    bool m_toggle = false;
    bool m_hovering = false;
    bool m_tracking = false;
    bool m_showAlt = false;
    std::array<QPixmap, 7> m_images;
    std::optional<Look> m_current;
    QTimer m_hoverTimer;
};

}  // namespace tavrel
