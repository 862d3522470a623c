#include "picturebutton.h"

#include <QMouseEvent>
#include <QPainter>

#include "colormatrix.h"
#include "numberedresources.h"

namespace tavrel {

namespace {

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
        image = ApplyColorMatrix(image, *matrix);
    }
    return QPixmap::fromImage(image);
}

}  // namespace

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent) {
    setMouseTracking(true);
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(1);
    connect(&m_hoverTimer, &QTimer::timeout, this, &PictureButton::OnHover);
}

// A picture loaded after the button has painted, standard or alternate,
// has its images made afresh: keeping the prepared ones would show the old
// picture for good.
bool PictureButton::LoadStdImage(Picture picture) {
    m_stdImage = LoadPicture(picture);
    m_images = {};
    update();
    return !m_stdImage.isNull();
}

bool PictureButton::LoadAltImage(Picture picture) {
    m_altImage = LoadPicture(picture);
    m_hasAltImage = true;
    m_images = {};
    update();
    return !m_altImage.isNull();
}

void PictureButton::EnableToggle() {
    if (m_hasAltImage) {
        m_toggle = true;
    }
}

void PictureButton::SetLook(bool alternate, bool greyed) {
    m_showAlt = alternate;
    m_disabledLook = greyed;
    update();
}

// Every click passes here before clicked() goes out, whether it came from
// the mouse, the keyboard or click() in code, shown or hidden: the owner's
// slot and the picture then agree on the new state.
void PictureButton::nextCheckState() {
    if (m_toggle) {
        m_showAlt = !m_showAlt;
        update();
    }
    QPushButton::nextCheckState();
}

void PictureButton::PrepareImages() {
    if (m_stdImage.isNull()) {
        return;
    }
    const QSize size = this->size();
    const qreal ratio = devicePixelRatioF();
    if (Image(Look::StdNormal).isNull()) {
        Image(Look::StdNormal) = DrawPicture(m_stdImage, size, ratio, {0, 0});
        Image(Look::StdPressed) = DrawPicture(m_stdImage, size, ratio, {1, 1});
        Image(Look::StdHover) = DrawPicture(m_stdImage, size, ratio, {0, 0}, &kHoverMatrix);
        Image(Look::Greyscale) = DrawPicture(m_stdImage, size, ratio, {0, 0}, &kGreyscaleMatrix);
    }
    if (m_hasAltImage && Image(Look::AltNormal).isNull()) {
        Image(Look::AltNormal) = DrawPicture(m_altImage, size, ratio, {0, 0});
        Image(Look::AltPressed) = DrawPicture(m_altImage, size, ratio, {1, 1});
        Image(Look::AltHover) = DrawPicture(m_altImage, size, ratio, {0, 0}, &kHoverMatrix);
    }
}

PictureButton::Look PictureButton::ChooseLook() const {
    if (m_disabledLook) {
        return Look::Greyscale;
    }
    const bool pressed = isDown();
    // A held toggle button already shows the picture its click will make
    // current; the state itself changes only with the click, so a press
    // abandoned by sliding off the button shows the old picture again.
    const bool showAlt = m_toggle && pressed ? !m_showAlt : m_showAlt;
    // Without an alternate picture there is only the standard one to show.
    const bool alternate = showAlt && m_hasAltImage;
    if (pressed) {
        return alternate ? Look::AltPressed : Look::StdPressed;
    }
    if (m_hovering) {
        return alternate ? Look::AltHover : Look::StdHover;
    }
    return alternate ? Look::AltNormal : Look::StdNormal;
}

void PictureButton::paintEvent(QPaintEvent*) {
    PrepareImages();
    if (m_stdImage.isNull()) {
        return;
    }
    m_current = ChooseLook();
    QPainter painter(this);
    painter.drawPixmap(0, 0, Image(*m_current));
}

void PictureButton::resizeEvent(QResizeEvent* event) {
    // The images are made for one size; a new size gets new images rather
    // than a clipped or undersized picture.
    m_images = {};
    QPushButton::resizeEvent(event);
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_tracking) {
        m_hoverTimer.start();
        m_tracking = true;
    }
    QPushButton::mouseMoveEvent(event);
}

void PictureButton::OnHover() {
    m_hovering = true;
    update();
}

void PictureButton::leaveEvent(QEvent* event) {
    m_hoverTimer.stop();
    m_tracking = false;
    m_hovering = false;
    update();
    QPushButton::leaveEvent(event);
}

}  // namespace tavrel
