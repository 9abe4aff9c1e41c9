#include "ImageButton.h"

#include <QPainter>

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent) {
    // Image buttons are no tab stops, but a click or the program may still focus them.
    setFocusPolicy(Qt::ClickFocus);
}

void ImageButton::LoadImages(const QString& normal, const QString& pressed, const QString& focused,
                             const QString& disabled) {
    const QString paths[FaceCount] = {normal, pressed, focused, disabled};
    for (int face = 0; face < FaceCount; ++face) {
        m_paths[face] = paths[face];
        m_images[face] = QPixmap(paths[face]);
    }
    update();
}

void ImageButton::SizeToContent(QSize fallback) {
    resize(m_images[Normal].isNull() ? fallback
                                     : m_images[Normal].deviceIndependentSize().toSize());
}

QSize ImageButton::sizeHint() const {
    return m_images[Normal].isNull() ? size() : m_images[Normal].deviceIndependentSize().toSize();
}

ImageButton::Face ImageButton::CurrentFace() const {
    if (!isEnabled()) {
        return Disabled;
    }
    if (isDown()) {
        return Pressed;
    }
    if (hasFocus()) {
        return Focused;
    }
    return Normal;
}

QString ImageButton::CurrentImagePath() const {
    return m_paths[CurrentFace()];
}

void ImageButton::paintEvent(QPaintEvent*) {
    const QPixmap& image = m_images[CurrentFace()];
    if (image.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, image);
}
