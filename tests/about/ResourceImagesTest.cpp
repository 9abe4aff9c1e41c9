// The pictures compiled into the program: each one reachable under :/res/ by the name the
// window uses, with the size its control is laid out for, and drawn the way its state needs.

#include <QImage>
#include <QPixmap>
#include <QTest>

class ResourceImagesTest : public QObject {
    Q_OBJECT

private slots:
    void imageHasItsSize_data();
    void imageHasItsSize();
    void pressedLookDiffersFromNormal_data();
    void pressedLookDiffersFromNormal();
    void disabledConvertIsGrey();
    void iconsHaveTransparentCorners_data();
    void iconsHaveTransparentCorners();
    void handCursorTouchesItsHotSpot();
};

void ResourceImagesTest::imageHasItsSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const QSize tile(70, 61);
    for (const char* name :
         {"convert", "convert_pressed", "convert_disabled", "help", "help_pressed", "exit",
          "exit_pressed", "next", "next_pressed", "back", "back_pressed", "stop", "stop_pressed"}) {
        QTest::newRow(name) << QString::fromLatin1(name) << tile;
    }
    QTest::newRow("logo") << "logo" << QSize(73, 66);
    QTest::newRow("logo_pressed") << "logo_pressed" << QSize(73, 66);
    QTest::newRow("arrow") << "arrow" << QSize(70, 155);
    QTest::newRow("banner") << "banner" << QSize(627, 89);
    QTest::newRow("about_logo") << "about_logo" << QSize(97, 97);
    for (const int size : {16, 24, 32, 48, 256}) {
        QTest::newRow(qPrintable(QString("icon_%1").arg(size)))
            << QString("icon_%1").arg(size) << QSize(size, size);
    }
    QTest::newRow("hand_cursor") << "hand_cursor" << QSize(32, 32);
}

// Loading through QPixmap also proves that linking the resource library registers the
// resources without any explicit initialisation call.
void ResourceImagesTest::imageHasItsSize() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QPixmap pixmap(":/res/" + name + ".png");
    QVERIFY2(!pixmap.isNull(), qPrintable(name + ".png does not load"));
    QCOMPARE(pixmap.size(), size);
}

void ResourceImagesTest::pressedLookDiffersFromNormal_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"logo", "convert", "help", "exit", "next", "back", "stop"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void ResourceImagesTest::pressedLookDiffersFromNormal() {
    QFETCH(QString, name);
    const QImage normal(":/res/" + name + ".png");
    const QImage pressed(":/res/" + name + "_pressed.png");
    QVERIFY(!normal.isNull() && !pressed.isNull());
    // Count clearly changed pixels: a pressed tile must look different, not just be re-encoded.
    int changed = 0;
    for (int y = 0; y < normal.height(); ++y) {
        for (int x = 0; x < normal.width(); ++x) {
            const QColor a = normal.pixelColor(x, y);
            const QColor b = pressed.pixelColor(x, y);
            if (qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) >
                30) {
                ++changed;
            }
        }
    }
    QVERIFY2(changed > normal.width() * normal.height() / 4,
             qPrintable(QString("only %1 pixels differ").arg(changed)));
}

void ResourceImagesTest::disabledConvertIsGrey() {
    const QImage image(":/res/convert_disabled.png");
    QVERIFY(!image.isNull());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() == 0) {
                continue;
            }
            QVERIFY2(qAbs(colour.red() - colour.green()) <= 8 &&
                         qAbs(colour.green() - colour.blue()) <= 8,
                     qPrintable(QString("coloured pixel at %1,%2").arg(x).arg(y)));
        }
    }
}

void ResourceImagesTest::iconsHaveTransparentCorners_data() {
    QTest::addColumn<QString>("name");
    for (const int size : {16, 24, 32, 48, 256}) {
        QTest::newRow(qPrintable(QString::number(size))) << QString("icon_%1").arg(size);
    }
}

void ResourceImagesTest::iconsHaveTransparentCorners() {
    QFETCH(QString, name);
    const QImage icon(":/res/" + name + ".png");
    QVERIFY(icon.hasAlphaChannel());
    const int last = icon.width() - 1;
    // The top-right corner is above the arrow and beside the cylinder; nothing is drawn there.
    QCOMPARE(icon.pixelColor(last, 0).alpha(), 0);
    // The mark itself is opaque in the middle of the cylinder.
    QCOMPARE(icon.pixelColor(icon.width() / 5, icon.height() / 2).alpha(), 255);
}

void ResourceImagesTest::handCursorTouchesItsHotSpot() {
    const QImage hand(":/res/hand_cursor.png");
    // The hot spot (12, 1) must be on the fingertip's outline, with nothing drawn above it.
    QVERIFY(hand.pixelColor(12, 1).alpha() > 100);
    QCOMPARE(hand.pixelColor(12, 0).alpha(), 0);
    QCOMPARE(hand.pixelColor(0, 0).alpha(), 0);
}

QTEST_MAIN(ResourceImagesTest)
#include "ResourceImagesTest.moc"
