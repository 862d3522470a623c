#pragma once

#include <array>
#include <optional>

#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "gdiplusbitmap.h"

// A push button drawn from PNG pictures: a standard picture and an optional
// alternate one, each prepared once in normal, pressed and hover form, plus a
// greyscale form of the standard picture. In toggle mode a press switches
// between the two pictures.
class CGdipButton : public QPushButton {
public:
    // The prepared images, in the order they are built.
    enum class Look { StdNormal, StdPressed, StdHover, Greyscale, AltNormal, AltPressed, AltHover };

    explicit CGdipButton(QWidget* parent = nullptr);

    bool LoadStdImage(int pngId);
    bool LoadAltImage(int pngId);
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
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PrepareImages();
    QPixmap& Image(Look look) { return m_images[static_cast<std::size_t>(look)]; }
    Look ChooseLook();
    void OnHover();
    // A press that ends without a click puts the picture back, so that it
    // keeps telling the state the owner knows.
    void CancelPress();

    std::optional<tavrel::CGdiPlusBitmapResource> m_stdImage;
    std::optional<tavrel::CGdiPlusBitmapResource> m_altImage;
    bool m_hasAltImage = false;
    bool m_disabledLook = false;
    bool m_toggle = false;
    bool m_hovering = false;
    bool m_tracking = false;
    bool m_showAlt = false;
    // One press flips the picture once, however often it is drawn pressed.
    bool m_flippedThisPress = false;
    std::array<QPixmap, 7> m_images;
    std::optional<Look> m_current;
    QTimer m_hoverTimer;
};
