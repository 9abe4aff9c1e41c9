#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <cstdlib>

// How far apart two colours are: the sum of the differences of their channels.
inline int colourDistance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

// The pixel of a grabbed widget farthest from its background: a stroke of its text.
inline QColor inkOf(QWidget* widget, const QColor& background) {
    const QImage image = widget->grab().toImage();
    QColor ink = background;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colourDistance(colour, background) > colourDistance(ink, background)) {
                ink = colour;
            }
        }
    }
    return ink;
}
