// The About box: its texts, colours, layout, the hand cursor over the three links and nowhere
// else, where each link leads, and the keys that close it.

#include "CAboutDlg.h"
#include "DesktopOpener.h"
#include "GrabbedInk.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <cstdlib>

namespace {

const QColor kPage(240, 247, 255);
const QColor kLink(0, 70, 213);

struct Opened {
    QString target;
    bool maximised = false;
};

int distance(const QColor& a, const QColor& b) {
    return ::colourDistance(a, b);
}

QColor inkOf(QWidget* widget) {
    return ::inkOf(widget, kPage);
}

QList<QLabel*> plainLabels(const CAboutDlg& box) {
    QList<QLabel*> labels;
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label->objectName().isEmpty() && label->pixmap().isNull()) {
            labels.append(label);
        }
    }
    return labels;
}

QStringList labelTexts(const CAboutDlg& box) {
    QStringList texts;
    for (const QLabel* label : box.findChildren<QLabel*>()) {
        if (label->pixmap().isNull()) {
            texts.append(label->text());
        }
    }
    return texts;
}

QLabel* labelWithText(const CAboutDlg& box, const QString& text) {
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text() == text) {
            return label;
        }
    }
    return nullptr;
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void showsProductVersionAndAddresses();
    void isFixedAndLaidOutFromDialogUnits_data();
    void isFixedAndLaidOutFromDialogUnits();
    void plainTextsBlackLinksBlueOnPageColour();
    void handCursorOverLinksOnly();
    void linkOpensItsTarget_data();
    void linkOpensItsTarget();
    void clickOutsideLinksOpensNothing();
    void keysClose_data();
    void keysClose();
    void everythingHasAnAccessibleName();
    void usesTheMainWindowsDialogFont();
};

void AboutBoxTest::cleanup() {
    SetDesktopOpenerForTesting({});
}

void AboutBoxTest::showsProductVersionAndAddresses() {
    CAboutDlg box;
    QCOMPARE(box.windowTitle(), QString("Vorlane Database Converter - MySQL to ORACLE"));
    const QStringList texts = labelTexts(box);
    QVERIFY(texts.contains("Vorlane Database Converter - MySQL to ORACLE"));
    QVERIFY(texts.contains("Email:"));
    QVERIFY(texts.contains("Version : " TABWRIGHT_VERSION));
    QVERIFY(QRegularExpression(R"(^\d+\.\d+\.\d+\.\d+$)").match(TABWRIGHT_VERSION).hasMatch());

    QCOMPARE(box.findChild<QLabel*>("IDC_EMAIL_LINK")->text(),
             QString("support@tabwright.example"));
    QCOMPARE(box.findChild<QLabel*>("IDC_WEB_LINK")->text(), QString("https://tabwright.example/"));
    QCOMPARE(box.findChild<QLabel*>("IDC_WEB_LINK2")->text(),
             QString("https://tabwright.example/downloads"));
    // Four plain texts: product, version, the fifth line, "Email:".
    QCOMPARE(plainLabels(box).size(), 4);
    for (const QLabel* label : plainLabels(box)) {
        QVERIFY2(!label->text().trimmed().isEmpty(), "an empty plain text");
    }
    auto* ok = box.findChild<QPushButton*>();
    QVERIFY(ok != nullptr);
    QCOMPARE(ok->text(), QString("OK"));
    QVERIFY(ok->isDefault());
}

void AboutBoxTest::isFixedAndLaidOutFromDialogUnits_data() {
    // Left, top and height in pixels from the dialog units at 1.5 across and 1.625 down; a
    // label may be wider than its units where the desktop font needs it, never narrower.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("product") << "Vorlane Database Converter - MySQL to ORACLE"
                             << QRect(143, 20, 267, 13);
    QTest::newRow("version") << "Version : " TABWRIGHT_VERSION << QRect(189, 36, 83, 13);
    QTest::newRow("email label") << "Email:" << QRect(140, 73, 30, 13);
    QTest::newRow("email link") << "support@tabwright.example" << QRect(173, 73, 138, 13);
    QTest::newRow("web link") << "https://tabwright.example/" << QRect(140, 91, 152, 13);
    QTest::newRow("second web link")
        << "https://tabwright.example/downloads" << QRect(140, 106, 180, 13);
}

void AboutBoxTest::isFixedAndLaidOutFromDialogUnits() {
    QFETCH(QString, text);
    QFETCH(QRect, pixels);
    CAboutDlg box;
    QCOMPARE(box.minimumSize(), QSize(444, 146));
    QCOMPARE(box.maximumSize(), QSize(444, 146));
    const QLabel* found = labelWithText(box, text);
    QVERIFY(found != nullptr);
    QCOMPARE(found->y(), pixels.y());
    if (text == "support@tabwright.example") {
        // Behind "Email:" on the same line, never overlapping it.
        const int emailLabelEnd = labelWithText(box, "Email:")->geometry().right();
        QVERIFY(found->x() >= pixels.x());
        QVERIFY(found->x() > emailLabelEnd + 1);
    } else {
        QCOMPARE(found->x(), pixels.x());
    }
    QCOMPARE(found->height(), pixels.height());
    QVERIFY(found->width() >= pixels.width());
    QVERIFY(found->width() >= found->sizeHint().width());
    QVERIFY(found->geometry().right() < box.width());
}

void AboutBoxTest::plainTextsBlackLinksBlueOnPageColour() {
    CAboutDlg box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QImage whole = box.grab().toImage();
    // The README's picture of the box is taken here, from the same grab the checks read.
    if (const QString folder = qEnvironmentVariable("TABWRIGHT_SCREENSHOT_DIR");
        !folder.isEmpty()) {
        QVERIFY(whole.save(folder + "/about-box.png"));
    }
    // Corners and the gap between the texts and the OK button show the page colour.
    for (const QPoint point : {QPoint(0, 0), QPoint(443, 0), QPoint(0, 145), QPoint(443, 145),
                               QPoint(120, 60), QPoint(300, 130)}) {
        QCOMPARE(whole.pixelColor(point), kPage);
    }
    for (QLabel* label : plainLabels(box)) {
        QCOMPARE(label->palette().color(label->foregroundRole()), QColor(Qt::black));
        const QColor ink = inkOf(label);
        QVERIFY2(distance(ink, Qt::black) < 90,
                 qPrintable(label->text() + " is drawn in " + ink.name()));
    }
    for (const char* name : {"IDC_EMAIL_LINK", "IDC_WEB_LINK", "IDC_WEB_LINK2"}) {
        auto* link = box.findChild<QLabel*>(name);
        QCOMPARE(link->palette().color(link->foregroundRole()), kLink);
        QCOMPARE(link->palette().color(QPalette::Window), kPage);
        const QColor ink = inkOf(link);
        QVERIFY2(distance(ink, kLink) < 90,
                 qPrintable(QString(name) + " is drawn in " + ink.name()));
    }
}

void AboutBoxTest::handCursorOverLinksOnly() {
    CAboutDlg box;
    const QList<QWidget*> links = {box.findChild<QLabel*>("IDC_EMAIL_LINK"),
                                   box.findChild<QLabel*>("IDC_WEB_LINK"),
                                   box.findChild<QLabel*>("IDC_WEB_LINK2")};
    QSet<QWidget*> linksSeen;
    // Walk the whole box: the cursor a point gets is that of the widget under it.
    for (int y = 0; y < box.height(); y += 2) {
        for (int x = 0; x < box.width(); x += 2) {
            QWidget* under = box.childAt(x, y);
            const QCursor cursor = (under != nullptr ? under : &box)->cursor();
            if (links.contains(under)) {
                linksSeen.insert(under);
                QCOMPARE(cursor.shape(), Qt::BitmapCursor);
                QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
                QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
            } else {
                QVERIFY2(
                    cursor.shape() == Qt::ArrowCursor,
                    qPrintable(QString("cursor %1 at %2,%3").arg(cursor.shape()).arg(x).arg(y)));
            }
        }
    }
    QCOMPARE(linksSeen.size(), 3);
}

void AboutBoxTest::linkOpensItsTarget_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("target");
    QTest::newRow("e-mail") << "IDC_EMAIL_LINK"
                            << "mailto:support@tabwright.example";
    QTest::newRow("web site") << "IDC_WEB_LINK"
                              << "https://tabwright.example/";
    QTest::newRow("second web site") << "IDC_WEB_LINK2"
                                     << "https://tabwright.example/downloads";
}

void AboutBoxTest::linkOpensItsTarget() {
    QFETCH(QString, link);
    QFETCH(QString, target);
    QList<Opened> opened;
    SetDesktopOpenerForTesting([&](const QString& what, bool maximised) {
        opened.append({what, maximised});
    });
    CAboutDlg box;
    box.show();
    auto* label = box.findChild<QLabel*>(link);
    QTest::mouseClick(label, Qt::RightButton);
    QVERIFY2(opened.isEmpty(), "a right click opened the link");
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.front().target, target);
    QCOMPARE(opened.front().maximised, false);
    // The box stays open: a link is not a way to close it.
    QVERIFY(box.isVisible());
}

void AboutBoxTest::clickOutsideLinksOpensNothing() {
    QList<Opened> opened;
    SetDesktopOpenerForTesting([&](const QString& what, bool maximised) {
        opened.append({what, maximised});
    });
    CAboutDlg box;
    box.show();
    for (QLabel* label : plainLabels(box)) {
        QTest::mouseClick(label, Qt::LeftButton);
    }
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(300, 130));
    QVERIFY(opened.isEmpty());
}

void AboutBoxTest::keysClose_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter presses OK") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("keypad Enter presses OK") << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("Esc cancels") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void AboutBoxTest::keysClose() {
    QFETCH(int, key);
    QFETCH(int, result);
    CAboutDlg box;
    box.setResult(-1);
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QSignalSpy finished(&box, &QDialog::finished);
    QTest::keyClick(&box, Qt::Key(key));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(box.result(), result);
    QVERIFY(!box.isVisible());
}

void AboutBoxTest::everythingHasAnAccessibleName() {
    CAboutDlg box;
    QVERIFY(!box.accessibleName().isEmpty());
    for (QWidget* child : box.findChildren<QWidget*>()) {
        QVERIFY2(!child->accessibleName().isEmpty(),
                 qPrintable(child->metaObject()->className() + QString(" without a name")));
    }
}

void AboutBoxTest::usesTheMainWindowsDialogFont() {
    QWidget mainWindow;
    QFont dialogFont("Liberation Sans");
    dialogFont.setPointSize(8);
    mainWindow.setFont(dialogFont);
    CAboutDlg box(&mainWindow);
    QCOMPARE(box.font().family(), QString("Liberation Sans"));
    QCOMPARE(box.font().pointSize(), 8);
    QCOMPARE(box.findChild<QLabel*>("IDC_EMAIL_LINK")->font().family(), QString("Liberation Sans"));
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
