#include "cgdipbutton.h"

#include <QMouseEvent>
#include <QPainter>

#include "colormatrix.h"

namespace {

using tavrel::ColorMatrix;

// The picture drawn into a transparent image of the button's size: scaled to
// the whole button, or one pixel right and down for the pressed form. As many
// pixels as the screen has, so that scaled screens show it sharp.
QPixmap DrawPicture(const QImage& picture, QSize size, qreal pixelRatio, QPoint offset,
                    const ColorMatrix* matrix = nullptr) {
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(offset, size), picture);
    }
    if (matrix != nullptr) {
        image = tavrel::ApplyColorMatrix(image, *matrix);
    }
    return QPixmap::fromImage(image);
}

}  // namespace

CGdipButton::CGdipButton(QWidget* parent) : QPushButton(parent) {
    setMouseTracking(true);
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(1);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CGdipButton::OnHover);
    connect(this, &QAbstractButton::clicked, this, [this] { m_flippedThisPress = false; });
}

bool CGdipButton::LoadStdImage(int pngId) {
    m_stdImage.emplace();
    const bool loaded = m_stdImage->Load(pngId);
    m_images = {};
    update();
    return loaded;
}

bool CGdipButton::LoadAltImage(int pngId) {
    m_altImage.emplace();
    const bool loaded = m_altImage->Load(pngId);
    m_hasAltImage = true;
    m_images = {};
    update();
    return loaded;
}

void CGdipButton::EnableToggle() {
    if (m_hasAltImage) {
        m_toggle = true;
    }
}

void CGdipButton::SetLook(bool alternate, bool greyed) {
    m_showAlt = alternate;
    m_disabledLook = greyed;
    update();
}

void CGdipButton::PrepareImages() {
    if (!m_stdImage) {
        return;
    }
    const QSize size = this->size();
    const qreal ratio = devicePixelRatioF();
    if (Image(Look::StdNormal).isNull()) {
        const QImage& picture = m_stdImage->Image();
        Image(Look::StdNormal) = DrawPicture(picture, size, ratio, {0, 0});
        Image(Look::StdPressed) = DrawPicture(picture, size, ratio, {1, 1});
        Image(Look::StdHover) = DrawPicture(picture, size, ratio, {0, 0}, &tavrel::kHoverMatrix);
        Image(Look::Greyscale) =
            DrawPicture(picture, size, ratio, {0, 0}, &tavrel::kGreyscaleMatrix);
    }
    if (m_hasAltImage && Image(Look::AltNormal).isNull()) {
        const QImage& picture = m_altImage->Image();
        Image(Look::AltNormal) = DrawPicture(picture, size, ratio, {0, 0});
        Image(Look::AltPressed) = DrawPicture(picture, size, ratio, {1, 1});
        Image(Look::AltHover) = DrawPicture(picture, size, ratio, {0, 0}, &tavrel::kHoverMatrix);
    }
}

CGdipButton::Look CGdipButton::ChooseLook() {
    if (m_disabledLook) {
        return Look::Greyscale;
    }
    const bool pressed = isDown();
    if (m_toggle && pressed && !m_flippedThisPress) {
        m_showAlt = !m_showAlt;
        m_flippedThisPress = true;
    }
    // Without an alternate picture there is only the standard one to show.
    const bool alternate = m_showAlt && m_hasAltImage;
    if (pressed) {
        return alternate ? Look::AltPressed : Look::StdPressed;
    }
    if (m_hovering) {
        return alternate ? Look::AltHover : Look::StdHover;
    }
    return alternate ? Look::AltNormal : Look::StdNormal;
}

void CGdipButton::paintEvent(QPaintEvent*) {
    PrepareImages();
    if (!m_stdImage) {
        return;
    }
    m_current = ChooseLook();
    QPainter painter(this);
    painter.drawPixmap(0, 0, Image(*m_current));
}

void CGdipButton::resizeEvent(QResizeEvent* event) {
    // The images are made for one size; a new size gets new images rather
    // than a clipped or undersized picture.
    m_images = {};
    QPushButton::resizeEvent(event);
}

void CGdipButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_tracking) {
        m_hoverTimer.start();
        m_tracking = true;
    }
    QPushButton::mouseMoveEvent(event);
}

void CGdipButton::OnHover() {
    m_hovering = true;
    update();
}

void CGdipButton::leaveEvent(QEvent* event) {
    m_hoverTimer.stop();
    m_tracking = false;
    m_hovering = false;
    update();
    QPushButton::leaveEvent(event);
}

void CGdipButton::CancelPress() {
    if (m_flippedThisPress) {
        m_showAlt = !m_showAlt;
        m_flippedThisPress = false;
    }
}

void CGdipButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        !(isDown() && hitButton(event->position().toPoint()))) {
        CancelPress();
    }
    QPushButton::mouseReleaseEvent(event);
}

void CGdipButton::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason && isDown()) {
        CancelPress();
    }
    QPushButton::focusOutEvent(event);
}
