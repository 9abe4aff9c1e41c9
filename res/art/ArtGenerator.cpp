// Draws every picture the program shows: the image buttons, the banner, the page arrow, the
// logo tiles, the application icon and the hand cursor. Runs at build time and writes PNG
// files (and the Windows icon file) into the folder named on its command line, so the
// pictures are part of the sources as code rather than as binary files.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QString>
#include <QtMath>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

enum class TileState { Normal, Pressed, Disabled };

using IconPainter = std::function<void(QPainter&, QPointF)>;

QImage newImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont uiFont(qreal pixelSize, int weight) {
    QFont font;
    font.setFamilies({"Liberation Sans", "DejaVu Sans", "Arial"});
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// A greyed copy keeps the shape and alpha but drops the colour and most of the contrast.
QImage greyed(const QImage& source) {
    QImage result = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = qGray(pixel);
            const int lifted = 120 + grey * 45 / 100;
            line[x] = qRgba(lifted, lifted, lifted + 4, qAlpha(pixel));
        }
    }
    return result.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QPainterPath roundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// The light-blue rounded tile behind the caption buttons and the logo.
void drawTile(QPainter& painter, const QRectF& bounds, TileState state) {
    const QRectF outer = bounds.adjusted(0.5, 0.5, -0.5, -1.5);
    const qreal radius = 9.0;

    // A soft shadow under the tile's lower edge lifts it off the page.
    if (state != TileState::Pressed) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 80, 140, 40));
        painter.drawPath(roundedRect(outer.translated(0, 1.0), radius));
    }

    QLinearGradient fill(outer.topLeft(), outer.bottomLeft());
    if (state == TileState::Pressed) {
        fill.setColorAt(0.0, QColor(0xA9, 0xC8, 0xEE));
        fill.setColorAt(0.55, QColor(0xC4, 0xDA, 0xF5));
        fill.setColorAt(1.0, QColor(0xDD, 0xEB, 0xFC));
    } else {
        fill.setColorAt(0.0, QColor(0xFD, 0xFE, 0xFF));
        fill.setColorAt(0.48, QColor(0xE6, 0xF1, 0xFD));
        fill.setColorAt(0.52, QColor(0xD6, 0xE7, 0xFA));
        fill.setColorAt(1.0, QColor(0xC0, 0xD9, 0xF6));
    }
    painter.setBrush(fill);
    painter.setPen(QPen(
        state == TileState::Pressed ? QColor(0x4C, 0x7C, 0xBE) : QColor(0x86, 0xAE, 0xDE), 1.0));
    painter.drawPath(roundedRect(outer, radius));

    painter.setBrush(Qt::NoBrush);
    if (state == TileState::Pressed) {
        // An inner shadow along the top and left edges makes the tile look pushed in.
        painter.save();
        painter.setClipPath(roundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5));
        for (int i = 0; i < 3; ++i) {
            painter.setPen(QPen(QColor(20, 55, 110, 70 - i * 22), 1.0));
            painter.drawPath(roundedRect(outer.adjusted(1 + i, 1 + i, 6, 6), radius));
        }
        painter.restore();
    } else {
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
        painter.drawPath(roundedRect(outer.adjusted(1, 1, -1, -1), radius - 1));
    }
}

void drawCaption(QPainter& painter, const QRectF& area, const QString& text, TileState state) {
    painter.setFont(uiFont(12, QFont::Bold));
    painter.setPen(QColor(255, 255, 255, 170));
    painter.drawText(area.translated(0, 1), Qt::AlignHCenter | Qt::AlignVCenter, text);
    painter.setPen(state == TileState::Pressed ? QColor(0x0A, 0x31, 0x6A)
                                               : QColor(0x12, 0x3E, 0x7C));
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignVCenter, text);
}

QPainterPath gearPath(QPointF centre, qreal outerRadius, qreal rootRadius, int teeth,
                      qreal holeRadius, qreal phase) {
    QPainterPath path;
    const qreal pitch = 2 * M_PI / teeth;
    auto at = [&](qreal radius, qreal angle) {
        return QPointF(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
    };
    for (int i = 0; i < teeth; ++i) {
        const qreal a = phase + i * pitch;
        const QPointF rootStart = at(rootRadius, a - pitch * 0.30);
        if (i == 0) {
            path.moveTo(rootStart);
        } else {
            path.lineTo(rootStart);
        }
        path.lineTo(at(outerRadius, a - pitch * 0.17));
        path.lineTo(at(outerRadius, a + pitch * 0.17));
        path.lineTo(at(rootRadius, a + pitch * 0.30));
        // The root between two teeth follows the circle.
        for (int k = 1; k <= 3; ++k) {
            path.lineTo(at(rootRadius, a + pitch * (0.30 + 0.4 * k / 4.0)));
        }
    }
    path.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, holeRadius, holeRadius);
    return path.subtracted(hole);
}

void drawGear(QPainter& painter, QPointF centre, qreal radius, int teeth, qreal phase,
              const QColor& light, const QColor& dark, const QColor& edge) {
    const QPainterPath gear = gearPath(centre, radius, radius * 0.78, teeth, radius * 0.30, phase);
    QLinearGradient fill(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    fill.setColorAt(0.0, light);
    fill.setColorAt(1.0, dark);
    painter.setBrush(fill);
    painter.setPen(QPen(edge, 1.0));
    painter.drawPath(gear);
    // A bevelled ring around the hub.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
    painter.drawEllipse(centre, radius * 0.52, radius * 0.52);
    painter.setPen(QPen(edge, 0.8));
    painter.drawEllipse(centre, radius * 0.30, radius * 0.30);
}

void drawGears(QPainter& painter, QPointF centre) {
    drawGear(painter, centre + QPointF(-4.5, -3.0), 13.0, 10, 0.0, QColor(0xC9, 0xD6, 0xE4),
             QColor(0x5B, 0x73, 0x8E), QColor(0x33, 0x46, 0x5C));
    drawGear(painter, centre + QPointF(9.0, 8.0), 8.5, 8, 0.2, QColor(0xFF, 0xD8, 0x6A),
             QColor(0xD0, 0x86, 0x12), QColor(0x8A, 0x55, 0x08));
}

void drawQuestion(QPainter& painter, QPointF centre) {
    const qreal radius = 13.0;
    QRadialGradient fill(centre + QPointF(-4, -6), radius * 1.6);
    fill.setColorAt(0.0, QColor(0x7C, 0xB9, 0xFA));
    fill.setColorAt(0.55, QColor(0x2D, 0x7F, 0xE0));
    fill.setColorAt(1.0, QColor(0x15, 0x54, 0xB0));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(0x10, 0x44, 0x8E), 1.0));
    painter.drawEllipse(centre, radius, radius);

    painter.setPen(Qt::NoPen);
    QLinearGradient gloss(centre.x(), centre.y() - radius, centre.x(), centre.y());
    gloss.setColorAt(0.0, QColor(255, 255, 255, 130));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(gloss);
    painter.drawEllipse(QRectF(centre.x() - 9, centre.y() - radius + 1.5, 18, 11));

    painter.setFont(uiFont(20, QFont::Bold));
    const QRectF box(centre.x() - radius, centre.y() - radius + 0.5, 2 * radius, 2 * radius);
    painter.setPen(QColor(0x0B, 0x35, 0x74, 150));
    painter.drawText(box.translated(0.6, 0.8), Qt::AlignCenter, "?");
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, "?");
}

void drawCross(QPainter& painter, QPointF centre) {
    QPainterPath strokes;
    const qreal arm = 9.5;
    strokes.moveTo(centre + QPointF(-arm, -arm));
    strokes.lineTo(centre + QPointF(arm, arm));
    strokes.moveTo(centre + QPointF(arm, -arm));
    strokes.lineTo(centre + QPointF(-arm, arm));
    QPainterPathStroker stroker;
    stroker.setWidth(7.5);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath cross = stroker.createStroke(strokes).simplified();

    QLinearGradient fill(centre - QPointF(0, arm + 4), centre + QPointF(0, arm + 4));
    fill.setColorAt(0.0, QColor(0xFF, 0x7A, 0x6E));
    fill.setColorAt(0.5, QColor(0xE5, 0x3B, 0x2E));
    fill.setColorAt(1.0, QColor(0xA8, 0x1C, 0x12));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(0x7E, 0x14, 0x0C), 1.0));
    painter.drawPath(cross);
}

QPainterPath arrowPath(QPointF centre, bool pointsRight) {
    // Drawn pointing right, mirrored for Back.
    const QPolygonF shape({{-12.5, -5.0},
                           {0.5, -5.0},
                           {0.5, -12.0},
                           {13.0, 0.0},
                           {0.5, 12.0},
                           {0.5, 5.0},
                           {-12.5, 5.0}});
    QPainterPath path;
    for (int i = 0; i < shape.size(); ++i) {
        const QPointF point(pointsRight ? shape[i].x() : -shape[i].x(), shape[i].y());
        if (i == 0) {
            path.moveTo(centre + point);
        } else {
            path.lineTo(centre + point);
        }
    }
    path.closeSubpath();
    return path;
}

void drawArrowIcon(QPainter& painter, QPointF centre, bool pointsRight) {
    const QPainterPath arrow = arrowPath(centre, pointsRight);
    QLinearGradient fill(centre - QPointF(0, 12), centre + QPointF(0, 12));
    fill.setColorAt(0.0, QColor(0x9B, 0xEA, 0x8A));
    fill.setColorAt(0.5, QColor(0x4C, 0xBF, 0x46));
    fill.setColorAt(1.0, QColor(0x25, 0x8A, 0x2B));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(0x1A, 0x66, 0x20), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(arrow);
    // Highlight on the upper half of the shaft.
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
    const qreal sign = pointsRight ? 1.0 : -1.0;
    painter.drawLine(centre + QPointF(-11.0 * sign, -3.6), centre + QPointF(0.0, -3.6));
}

void drawStopSquare(QPainter& painter, QPointF centre) {
    const QRectF square(centre.x() - 11, centre.y() - 11, 22, 22);
    QLinearGradient fill(square.topLeft(), square.bottomLeft());
    fill.setColorAt(0.0, QColor(0xFF, 0x78, 0x6C));
    fill.setColorAt(0.5, QColor(0xE2, 0x38, 0x2B));
    fill.setColorAt(1.0, QColor(0xA6, 0x1B, 0x11));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(0x7A, 0x12, 0x0B), 1.0));
    painter.drawRoundedRect(square, 4, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.drawRoundedRect(QRectF(square.left() + 2, square.top() + 2, square.width() - 4, 8), 3,
                            3);
}

QImage buttonImage(const IconPainter& icon, const QString& caption, TileState state) {
    QImage image = newImage(70, 61);
    QPainter painter(&image);
    prepare(painter);
    drawTile(painter, QRectF(0, 0, 70, 61),
             state == TileState::Pressed ? state : TileState::Normal);
    if (state == TileState::Pressed) {
        painter.translate(1, 1);
    }
    icon(painter, QPointF(35, 21.5));
    drawCaption(painter, QRectF(0, 39, 70, 16), caption,
                state == TileState::Pressed ? state : TileState::Normal);
    painter.end();
    return state == TileState::Disabled ? greyed(image) : image;
}

// The product mark: a database cylinder, a green arrow to the right and a red tile, laid out
// on a 256 unit square. Small sizes drop the fine detail that would only blur.
void drawProductMark(QPainter& painter, const QRectF& box) {
    const qreal scale = box.width() / 256.0;
    const bool small = box.width() < 30;
    const qreal edgeWidth = qMax(1.0, box.width() / 64.0); // device pixels
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(scale, scale);
    auto edge = [&](const QColor& colour) {
        QPen pen(colour, edgeWidth / scale);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    };

    // Database cylinder.
    const qreal left = small ? 8 : 14, right = small ? 150 : 140;
    const qreal top = small ? 30 : 36, bottom = small ? 226 : 222;
    const qreal ry = small ? 30 : 24;
    QPainterPath body;
    body.moveTo(left, top);
    body.lineTo(left, bottom);
    body.arcTo(QRectF(left, bottom - ry, right - left, 2 * ry), 180, 180);
    body.lineTo(right, top);
    body.closeSubpath();
    QLinearGradient bodyFill(left, 0, right, 0);
    bodyFill.setColorAt(0.0, QColor(0x1F, 0x4E, 0x8C));
    bodyFill.setColorAt(0.32, QColor(0x6C, 0xA8, 0xEE));
    bodyFill.setColorAt(0.55, QColor(0x3A, 0x7B, 0xCB));
    bodyFill.setColorAt(1.0, QColor(0x1A, 0x43, 0x7C));
    painter.setBrush(bodyFill);
    painter.setPen(edge(QColor(0x12, 0x33, 0x63)));
    painter.drawPath(body);
    if (!small) {
        // Bands between the stacked discs.
        for (const qreal y : {top + (bottom - top) / 3.0, top + 2 * (bottom - top) / 3.0}) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(QColor(0x12, 0x33, 0x63), edgeWidth / scale));
            painter.drawArc(QRectF(left, y - ry, right - left, 2 * ry), 180 * 16, 180 * 16);
            painter.setPen(QPen(QColor(255, 255, 255, 90), edgeWidth / scale));
            painter.drawArc(QRectF(left, y - ry + 4, right - left, 2 * ry), 200 * 16, 140 * 16);
        }
    }
    QLinearGradient lidFill(0, top - ry, 0, top + ry);
    lidFill.setColorAt(0.0, QColor(0xD4, 0xE7, 0xFD));
    lidFill.setColorAt(1.0, QColor(0x7F, 0xB3, 0xEF));
    painter.setBrush(lidFill);
    painter.setPen(edge(QColor(0x12, 0x33, 0x63)));
    painter.drawEllipse(QRectF(left, top - ry, right - left, 2 * ry));

    // Red tile, the target table.
    const QRectF tile = small ? QRectF(130, 118, 120, 120) : QRectF(134, 122, 112, 112);
    QLinearGradient tileFill(tile.topLeft(), tile.bottomRight());
    tileFill.setColorAt(0.0, QColor(0xFF, 0x7D, 0x6F));
    tileFill.setColorAt(0.45, QColor(0xE2, 0x3A, 0x2C));
    tileFill.setColorAt(1.0, QColor(0xA3, 0x1A, 0x10));
    painter.setBrush(tileFill);
    painter.setPen(edge(QColor(0x76, 0x12, 0x0A)));
    painter.drawRoundedRect(tile, small ? 14 : 16, small ? 14 : 16);
    if (!small) {
        // Rows of the table as light lines under a header band.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 70));
        painter.drawRoundedRect(QRectF(tile.left() + 12, tile.top() + 14, tile.width() - 24, 18), 4,
                                4);
        painter.setBrush(QColor(255, 255, 255, 150));
        for (int row = 0; row < 3; ++row) {
            painter.drawRoundedRect(
                QRectF(tile.left() + 12, tile.top() + 44 + row * 20, tile.width() - 24, 8), 3, 3);
        }
    }

    // Green arrow from the cylinder to the tile.
    const QPolygonF arrow =
        small
            ? QPolygonF(
                  {{70, 64}, {170, 64}, {170, 26}, {250, 100}, {170, 174}, {170, 136}, {70, 136}})
            : QPolygonF(
                  {{84, 74}, {180, 74}, {180, 40}, {248, 100}, {180, 160}, {180, 126}, {84, 126}});
    QLinearGradient arrowFill(0, arrow.boundingRect().top(), 0, arrow.boundingRect().bottom());
    arrowFill.setColorAt(0.0, QColor(0xA8, 0xF0, 0x96));
    arrowFill.setColorAt(0.5, QColor(0x4C, 0xC0, 0x45));
    arrowFill.setColorAt(1.0, QColor(0x23, 0x85, 0x29));
    painter.setBrush(arrowFill);
    painter.setPen(edge(QColor(0x15, 0x5C, 0x1A)));
    painter.drawPolygon(arrow);
    painter.restore();
}

QImage appIcon(int size) {
    QImage image = newImage(size, size);
    QPainter painter(&image);
    prepare(painter);
    drawProductMark(painter, QRectF(0, 0, size, size));
    return image;
}

// The logo tile of the main window (73 x 66) and, larger, of the About box (97 x 97).
QImage logoTile(int width, int height, TileState state) {
    QImage image = newImage(width, height);
    QPainter painter(&image);
    prepare(painter);
    drawTile(painter, QRectF(0, 0, width, height), state);
    if (state == TileState::Pressed) {
        painter.translate(1, 1);
    }
    const qreal markSize = height * 0.56;
    drawProductMark(painter, QRectF((width - markSize) / 2, height * 0.08, markSize, markSize));
    const qreal textTop = height * 0.08 + markSize + height * 0.02;
    QFont font = uiFont(height * 0.19, QFont::Bold);
    font.setLetterSpacing(QFont::PercentageSpacing, 104);
    painter.setFont(font);
    const QRectF textBox(0, textTop, width, height - textTop - height * 0.07);
    painter.setPen(QColor(255, 255, 255, 170));
    painter.drawText(textBox.translated(0, 1), Qt::AlignCenter, "Vorlane");
    painter.setPen(QColor(0x0E, 0x3F, 0x85));
    painter.drawText(textBox, Qt::AlignCenter, "Vorlane");
    return image;
}

QImage banner() {
    const int width = 627, height = 89;
    QImage image = newImage(width, height);
    QPainter painter(&image);
    prepare(painter);

    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0.0, QColor(0xF6, 0xFA, 0xFF));
    sky.setColorAt(0.45, QColor(0xDD, 0xEB, 0xFC));
    sky.setColorAt(1.0, QColor(0xA9, 0xCB, 0xF2));
    painter.fillRect(image.rect(), sky);

    // Two soft sweeping bands give the banner depth without competing with the text.
    QPainterPath sweep;
    sweep.moveTo(230, height);
    sweep.cubicTo(360, 70, 470, 10, width, 6);
    sweep.lineTo(width, height);
    sweep.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 60));
    painter.drawPath(sweep);
    QPainterPath sweep2;
    sweep2.moveTo(330, height);
    sweep2.cubicTo(430, 80, 520, 40, width, 36);
    sweep2.lineTo(width, height);
    sweep2.closeSubpath();
    painter.setBrush(QColor(0x5C, 0x96, 0xDC, 40));
    painter.drawPath(sweep2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    QPainterPath streak;
    streak.moveTo(250, height);
    streak.cubicTo(380, 66, 480, 18, width, 16);
    painter.drawPath(streak);

    // A pale blue echo of the product mark on the right, keeping its shading but not its
    // colours so that it stays in the background.
    QImage mark = newImage(86, 86);
    {
        QPainter markPainter(&mark);
        prepare(markPainter);
        drawProductMark(markPainter, QRectF(0, 0, 86, 86));
    }
    mark = mark.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < mark.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(mark.scanLine(y));
        for (int x = 0; x < mark.width(); ++x) {
            const int light = qGray(line[x]);
            const int alpha = qAlpha(line[x]) * 55 / 100;
            line[x] = qRgba(90 + light * 165 / 255, 140 + light * 115 / 255, 210 + light * 45 / 255,
                            alpha);
        }
    }
    painter.drawImage(QPointF(522, 2), mark);

    const qreal textLeft = 112;
    QFont title = uiFont(25, QFont::Bold);
    painter.setFont(title);
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(QPointF(textLeft + 1, 42 + 1), "Vorlane Database Converter");
    painter.setPen(QColor(0x0D, 0x3B, 0x7E));
    painter.drawText(QPointF(textLeft, 42), "Vorlane Database Converter");

    const QFont strong = uiFont(16, QFont::Bold);
    const QFont plain = uiFont(16, QFont::Normal);
    qreal x = textLeft + 1;
    const qreal baseline = 67;
    auto part = [&](const QString& text, const QFont& font, const QColor& colour) {
        painter.setFont(font);
        painter.setPen(QColor(255, 255, 255, 180));
        painter.drawText(QPointF(x + 0.8, baseline + 0.8), text);
        painter.setPen(colour);
        painter.drawText(QPointF(x, baseline), text);
        x += QFontMetricsF(font).horizontalAdvance(text);
    };
    part("MySQL", strong, QColor(0x1B, 0x68, 0xB3));
    part("  to  ", plain, QColor(0x4A, 0x5B, 0x70));
    part("ORACLE", strong, QColor(0xC4, 0x28, 0x1C));

    // A thin rule under the title.
    QLinearGradient rule(textLeft, 0, textLeft + 330, 0);
    rule.setColorAt(0.0, QColor(0x2A, 0x6C, 0xC4, 200));
    rule.setColorAt(1.0, QColor(0x2A, 0x6C, 0xC4, 0));
    painter.fillRect(QRectF(textLeft + 1, 49, 330, 1.5), rule);

    // The bottom edge separates the banner from the page.
    painter.fillRect(QRectF(0, height - 2, width, 1), QColor(255, 255, 255, 160));
    painter.fillRect(QRectF(0, height - 1, width, 1), QColor(0x7F, 0xA9, 0xDD));
    return image;
}

// The pale arrow that points from the MySQL side of the page to the Oracle side.
QImage pageArrow() {
    QImage image = newImage(70, 155);
    QPainter painter(&image);
    prepare(painter);
    const QPolygonF shape({{5, 58}, {37, 58}, {37, 30}, {66, 77.5}, {37, 125}, {37, 97}, {5, 97}});
    QPainterPath arrow;
    arrow.addPolygon(shape);
    arrow.closeSubpath();
    QPainterPathStroker rounding;
    rounding.setWidth(5);
    rounding.setJoinStyle(Qt::RoundJoin);
    const QPainterPath rounded = arrow.united(rounding.createStroke(arrow)).simplified();

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3A, 0x6F, 0xB5, 26));
    painter.drawPath(rounded.translated(1.5, 2.5));

    QLinearGradient fill(0, 30, 0, 125);
    fill.setColorAt(0.0, QColor(0xEE, 0xF5, 0xFE));
    fill.setColorAt(0.5, QColor(0xD2, 0xE4, 0xFA));
    fill.setColorAt(1.0, QColor(0xBB, 0xD4, 0xF3));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(0xA4, 0xC3, 0xEA), 1.2));
    painter.drawPath(rounded);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(6, 57.0), QPointF(36, 57.0));
    painter.drawLine(QPointF(38.5, 29.5), QPointF(62, 68));
    return image;
}

// A 32 x 32 pointing hand; the outline of the index fingertip is pixel (12, 1), the cursor's
// hot spot.
QImage handCursor() {
    QImage image = newImage(32, 32);
    QPainter painter(&image);
    prepare(painter);

    // Straight edges lie on pixel centres so that the one-pixel outline stays crisp.
    auto finger = [](qreal left, qreal top, qreal right, qreal bottom) {
        QPainterPath path;
        path.addRoundedRect(QRectF(left, top, right - left, bottom - top), 2.0, 2.0);
        return path;
    };
    QPainterPath hand = finger(10.5, 1.5, 14.5, 18.5);
    hand = hand.united(finger(14.5, 9.5, 18.5, 18.5));
    hand = hand.united(finger(18.5, 10.5, 22.5, 19.5));
    hand = hand.united(finger(22.5, 12.5, 26.5, 20.5));
    QPainterPath palm;
    palm.addRoundedRect(QRectF(10.5, 15.5, 16.0, 10.0), 3.0, 3.0);
    hand = hand.united(palm);
    QPainterPath wrist;
    wrist.addRect(QRectF(12.5, 23.5, 12.0, 6.0));
    hand = hand.united(wrist);
    QPainterPath thumb;
    thumb.moveTo(11.0, 23.5);
    thumb.lineTo(5.5, 17.5);
    QPainterPathStroker thick;
    thick.setWidth(4.6);
    thick.setCapStyle(Qt::RoundCap);
    hand = hand.united(thick.createStroke(thumb)).simplified();

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawPath(hand.translated(1.0, 1.0));
    painter.setBrush(Qt::white);
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(hand);
    // Creases between the folded fingers and the cuff at the wrist.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.drawLine(14, 14, 14, 18);
    painter.drawLine(18, 15, 18, 18);
    painter.drawLine(22, 16, 22, 19);
    painter.drawLine(13, 26, 24, 26);
    return image;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Windows reads PNG-compressed entries in .ico files, which keeps the 32-bit alpha intact.
bool writeIco(const QString& path, const std::vector<QImage>& images) {
    QByteArray data;
    auto put16 = [&](int value) {
        data.append(char(value & 0xFF));
        data.append(char((value >> 8) & 0xFF));
    };
    auto put32 = [&](qint64 value) {
        put16(int(value & 0xFFFF));
        put16(int((value >> 16) & 0xFFFF));
    };
    std::vector<QByteArray> encoded;
    for (const QImage& image : images) {
        encoded.push_back(pngBytes(image));
    }
    put16(0);
    put16(1);
    put16(int(images.size()));
    qint64 offset = 6 + 16 * qint64(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        data.append(char(images[i].width() >= 256 ? 0 : images[i].width()));
        data.append(char(images[i].height() >= 256 ? 0 : images[i].height()));
        data.append(char(0));
        data.append(char(0));
        put16(1);
        put16(32);
        put32(encoded[i].size());
        put32(offset);
        offset += encoded[i].size();
    }
    for (const QByteArray& bytes : encoded) {
        data.append(bytes);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    std::vector<std::pair<QString, QImage>> images;
    struct Button {
        const char* name;
        QString caption;
        IconPainter icon;
    };
    const std::vector<Button> buttons = {
        {"convert", "Convert", drawGears},
        {"help", "Help", drawQuestion},
        {"exit", "Exit", drawCross},
        {"next", "Next", [](QPainter& p, QPointF c) { drawArrowIcon(p, c, true); }},
        {"back", "Back", [](QPainter& p, QPointF c) { drawArrowIcon(p, c, false); }},
        {"stop", "Stop", drawStopSquare},
    };
    for (const Button& button : buttons) {
        const QString name = QString::fromLatin1(button.name);
        images.emplace_back(name + ".png",
                            buttonImage(button.icon, button.caption, TileState::Normal));
        images.emplace_back(name + "_pressed.png",
                            buttonImage(button.icon, button.caption, TileState::Pressed));
    }
    images.emplace_back("convert_disabled.png",
                        buttonImage(drawGears, "Convert", TileState::Disabled));
    images.emplace_back("logo.png", logoTile(73, 66, TileState::Normal));
    images.emplace_back("logo_pressed.png", logoTile(73, 66, TileState::Pressed));
    images.emplace_back("about_logo.png", logoTile(97, 97, TileState::Normal));
    images.emplace_back("banner.png", banner());
    images.emplace_back("arrow.png", pageArrow());
    images.emplace_back("hand_cursor.png", handCursor());
    std::vector<QImage> iconImages;
    for (const int size : {16, 24, 32, 48, 256}) {
        iconImages.push_back(appIcon(size));
        images.emplace_back(QString("icon_%1.png").arg(size), iconImages.back());
    }

    for (const auto& [name, image] : images) {
        if (!image.save(folder.filePath(name), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder.filePath(name)));
            return 1;
        }
    }
    if (!writeIco(folder.filePath("tabwright.ico"), iconImages)) {
        std::fprintf(stderr, "cannot write the icon file\n");
        return 1;
    }
    return 0;
}
