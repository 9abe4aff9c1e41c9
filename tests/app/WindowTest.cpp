// The main window without any server: start-up state, pages, layout, look, keys, exit, help,
// the check list's mouse rule, and window calls made from another thread.

#include "CheckListWidget.h"
#include "ConversionRun.h"
#include "GrabbedInk.h"
#include "ImageButton.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>

#include <thread>

namespace {

const QColor kPage(240, 247, 255);
const QColor kLabelText(0, 70, 213);

// An address on which no MySQL server listens: every port refuses at once.
const char* const kNoServer = "127.0.0.254";

int distance(const QColor& a, const QColor& b) {
    return ::colourDistance(a, b);
}

QColor inkOf(QWidget* widget) {
    return ::inkOf(widget, kPage);
}

QStringList colouredControls() {
    return {"IDC_GROUP_ORACLE",
            "IDC_GROUP_MYSQL",
            "IDC_MYSQL_LOGIN_LABEL",
            "IDC_MYSQL_PASSWORD_LABEL",
            "IDC_ORACLE_PASSWORD_LABEL",
            "IDC_ORACLE_USER_LABEL",
            "IDC_ORACLE_SERVICE_LABEL",
            "IDC_MYSQL_SERVER_LABEL",
            "IDC_GROUP_DATABASES",
            "IDC_GROUP_TABLES",
            "IDC_DATABASE_COUNT_LABEL",
            "IDC_DATABASE_COUNT",
            "IDC_TABLE_COUNT_LABEL",
            "IDC_TABLE_COUNT",
            "IDC_SELECT_ALL",
            "IDC_PROGRESS_1",
            "IDC_PROGRESS_2",
            "IDC_WAIT_TEXT",
            "IDC_CONVERTED_LABEL",
            "IDC_PROGRESS_TEXT"};
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpState();
    void tabOrderThroughTheSixFields();
    void pageSetsThroughEveryState();
    void placesControlsFromTheLayout();
    void colours();
    void fontsAndFixedSize();
    void keysAreSwallowed_data();
    void keysAreSwallowed();
    void otherKeysKeepTheirUse();
    void exitQuestion_data();
    void exitQuestion();
    void exitWithYesClosesTheWindowAndOpensTheProductPage();
    void helpOpensTheHelpFileMaximised();
    void logoOpensTheAboutBox();
    void messageBoxesKeepTheirKeys();
    void imageOfEachButtonState_data();
    void imageOfEachButtonState();
    void nextChecksFieldsBeforeConnecting_data();
    void nextChecksFieldsBeforeConnecting();
    void checkMarkAloneDoesNotFollowSelection();
    void activityBarWrapsPastTheTop();
    void windowCallsFromAnotherThreadKeepTheWindowAlive();
    void accessibleNames();
};

void WindowTest::startUpState() {
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    QCOMPARE(window.windowTitle(), QString("Vorlane Database Converter - MySQL to ORACLE"));
    QCOMPARE(control<QLineEdit>(window, "IDC_MYSQL_SERVER")->text(), QString("localhost"));
    for (const char* field : {"IDC_MYSQL_LOGIN", "IDC_MYSQL_PASSWORD", "IDC_ORACLE_SERVICE",
                              "IDC_ORACLE_USER", "IDC_ORACLE_PASSWORD"}) {
        QVERIFY2(control<QLineEdit>(window, field)->text().isEmpty(), field);
    }
    QTRY_COMPARE(QApplication::focusWidget(), control(window, "IDC_MYSQL_LOGIN"));
    QCOMPARE(control<QLineEdit>(window, "IDC_MYSQL_PASSWORD")->echoMode(), QLineEdit::Password);
    QCOMPARE(control<QLineEdit>(window, "IDC_ORACLE_PASSWORD")->echoMode(), QLineEdit::Password);
    QCOMPARE(control<QLabel>(window, "IDC_MYSQL_SERVER_LABEL")->text(), QString("MySQL Server\t:"));
    QCOMPARE(control<QLabel>(window, "IDC_WAIT_TEXT")->text(),
             QString("Please wait.. Database conversion is in progress."));
    QCOMPARE(control<QCheckBox>(window, "IDC_SELECT_ALL")->text(), QString("Select All"));
    QVERIFY(!control<QCheckBox>(window, "IDC_SELECT_ALL")->isChecked());
    QCOMPARE(TheConversionRun().quoteTargetName, 0);
}

void WindowTest::tabOrderThroughTheSixFields() {
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    QTRY_COMPARE(QApplication::focusWidget(), control(window, "IDC_MYSQL_LOGIN"));
    const char* const order[] = {"IDC_MYSQL_PASSWORD",  "IDC_ORACLE_SERVICE", "IDC_ORACLE_USER",
                                 "IDC_ORACLE_PASSWORD", "IDC_MYSQL_SERVER",   "IDC_MYSQL_LOGIN"};
    for (const char* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(next));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("IDC_MYSQL_SERVER"));
}

void WindowTest::pageSetsThroughEveryState() {
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    struct State {
        const char* name;
        std::function<void()> enter;
        bool connection, selection, run, next, convert, back;
    };
    const State states[] = {
        {"start", [] {}, true, false, false, true, false, false},
        {"selection page", [&] { window.ShowSelectionPage(); }, false, true, false, false, true,
         true},
        {"run", [&] { window.BeginRunControls(3); }, false, true, true, false, false, false},
        {"after the run", [&] { window.EndRunControls(); }, false, true, false, false, true, true},
        {"back on the connection page", [&] { window.ShowConnectionPage(); }, true, false, false,
         true, false, false},
    };
    for (const State& state : states) {
        state.enter();
        const QByteArray name(state.name);
        const auto wrong = [&](const QStringList& set, bool visible) {
            return withVisibility(window, set, !visible);
        };
        QVERIFY2(wrong(connectionPageSet(), state.connection).isEmpty(), name);
        QVERIFY2(wrong(selectionPageSet(), state.selection).isEmpty(), name);
        QVERIFY2(wrong(runSet(), state.run).isEmpty(), name);
        QVERIFY2(wrong(alwaysVisible(), true).isEmpty(), name);
        QVERIFY2(control(window, "IDC_STATIC_NEXT")->isVisible() == state.next, name);
        QVERIFY2(control(window, "IDC_STATIC_CONVERT")->isVisible() == state.convert, name);
        QVERIFY2(control(window, "IDC_STATIC_BACK")->isVisible() == state.back, name);
        QVERIFY2(!control(window, "IDC_CONVERTED_LABEL")->isVisible(), name);
    }
}

void WindowTest::placesControlsFromTheLayout() {
    CTabwrightDlg window;
    // Dialog units become pixels at 1.5 across and 1.625 down.
    QCOMPARE(control(window, "IDC_MYSQL_LOGIN")->geometry(), QRect(117, 219, 134, 23));
    QCOMPARE(control(window, "IDC_ORACLE_PASSWORD")->geometry(), QRect(458, 268, 120, 23));
    QCOMPARE(control(window, "IDC_TABLE_LIST")->geometry(), QRect(369, 130, 236, 180));
    QCOMPARE(control(window, "IDC_STOP")->geometry(), QRect(321, 392, 69, 60));
    QCOMPARE(control(window, "IDC_STATIC_BANNER")->geometry(), QRect(0, 0, 627, 89));
    // Image buttons sit at pixel positions; Next, Convert and the greyed Convert share a spot.
    QCOMPARE(control(window, "IDC_STATIC_LOGO")->geometry(), QRect(20, 7, 73, 66));
    for (const char* name : {"IDC_STATIC_NEXT", "IDC_STATIC_CONVERT", "IDC_STATIC_CONVERTD"}) {
        QCOMPARE(control(window, name)->geometry(), QRect(535, 455, 70, 61));
    }
    QCOMPARE(control(window, "IDC_STATIC_HELP")->pos(), QPoint(395, 455));
    QCOMPARE(control(window, "IDC_STATIC_EXIT")->pos(), QPoint(465, 455));
    QCOMPARE(control(window, "IDC_STATIC_BACK")->pos(), QPoint(326, 455));
    // A group box drawn over the fields would take their clicks.
    QWidget* login = control(window, "IDC_MYSQL_LOGIN");
    QCOMPARE(window.childAt(login->geometry().center()), login);
}

void WindowTest::colours() {
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    window.ShowSelectionPage();
    window.BeginRunControls(2);
    control<QLabel>(window, "IDC_PROGRESS_TEXT")->setText("0 of 2 Table(s) are converted.");
    for (const QString& name : colouredControls()) {
        const QPalette palette = control(window, name.toLatin1().constData())->palette();
        const QByteArray what = name.toLatin1();
        // Disabled controls (the run disables Select All) keep the same colours.
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            QVERIFY2(palette.color(group, QPalette::WindowText) == kLabelText, what);
            QVERIFY2(palette.color(group, QPalette::Window) == kPage, what);
        }
    }
    // The text really is drawn blue, behind it the page colour.
    for (const char* name : {"IDC_TABLE_COUNT_LABEL", "IDC_WAIT_TEXT", "IDC_PROGRESS_TEXT"}) {
        QWidget* label = control(window, name);
        QVERIFY2(distance(inkOf(label), kLabelText) < 120, name);
        const QImage image = label->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), kPage);
    }
    QVERIFY(distance(inkOf(control(window, "IDC_SELECT_ALL")), kLabelText) < 120);

    for (const char* name :
         {"IDC_MYSQL_SERVER", "IDC_ORACLE_PASSWORD", "IDC_DATABASE_LIST", "IDC_TABLE_LIST"}) {
        QWidget* widget = control(window, name);
        const QPalette standard = QApplication::palette(widget);
        const QPalette palette = widget->palette();
        for (const auto role : {QPalette::Base, QPalette::Text}) {
            QVERIFY2(palette.color(QPalette::Active, role) ==
                         standard.color(QPalette::Active, role),
                     name);
        }
    }

    const QImage image = window.grab().toImage();
    for (const QPoint spot :
         {QPoint(620, 100), QPoint(300, 330), QPoint(5, 520), QPoint(450, 420), QPoint(620, 400)}) {
        QCOMPARE(image.pixelColor(spot), kPage);
    }
}

void WindowTest::fontsAndFixedSize() {
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    for (const char* name :
         {"IDC_GROUP_MYSQL", "IDC_GROUP_ORACLE", "IDC_GROUP_DATABASES", "IDC_GROUP_TABLES"}) {
        const QFontInfo font(control(window, name)->font());
        QVERIFY2(font.family() == "Arial" || font.family() == "Liberation Sans",
                 qPrintable(font.family()));
        QCOMPARE(font.pixelSize(), 16);
        QVERIFY(font.bold());
    }
    for (const char* name : {"IDC_MYSQL_LOGIN_LABEL", "IDC_MYSQL_LOGIN", "IDC_SELECT_ALL",
                             "IDC_TABLE_LIST", "IDC_WAIT_TEXT"}) {
        QCOMPARE(control(window, name)->font().pointSize(), 8);
        QVERIFY(!control(window, name)->font().bold());
    }

    QCOMPARE(window.size(), QSize(627, 527));
    QCOMPARE(window.minimumSize(), QSize(627, 527));
    QCOMPARE(window.maximumSize(), QSize(627, 527));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    window.resize(900, 700);
    QCOMPARE(window.size(), QSize(627, 527));
    const QList<QSize> iconSizes = window.windowIcon().availableSizes();
    for (const int size : {16, 24, 32, 48, 256}) {
        QVERIFY2(iconSizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }
}

void WindowTest::keysAreSwallowed_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    for (const char* field :
         {"IDC_MYSQL_SERVER", "IDC_MYSQL_LOGIN", "IDC_MYSQL_PASSWORD", "IDC_ORACLE_SERVICE",
          "IDC_ORACLE_USER", "IDC_ORACLE_PASSWORD", "IDC_TABLE_LIST", "IDC_DATABASE_LIST",
          "IDC_SELECT_ALL", "IDC_STATIC_NEXT", "IDC_STATIC_CONVERT", "IDC_STATIC_BACK",
          "IDC_STATIC_HELP"}) {
        QTest::addRow("Enter on %s", field) << QString(field) << int(Qt::Key_Return);
        QTest::addRow("keypad Enter on %s", field) << QString(field) << int(Qt::Key_Enter);
        QTest::addRow("Space on %s", field) << QString(field) << int(Qt::Key_Space);
    }
}

void WindowTest::keysAreSwallowed() {
    QFETCH(QString, name);
    QFETCH(int, key);
    MessageAnswerer answerer;
    OpenRecorder opener;
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    const bool selectionPage = selectionPageSet().contains(name) || name == "IDC_STATIC_CONVERT" ||
                               name == "IDC_STATIC_BACK";
    if (selectionPage) {
        window.ShowSelectionPage();
    }
    auto* databases = control<QListWidget>(window, "IDC_DATABASE_LIST");
    {
        const QSignalBlocker blocker(databases); // no server to list tables from
        databases->addItems({"one", "two"});
        databases->setCurrentRow(0);
    }
    auto* tables = control<CheckListWidget>(window, "IDC_TABLE_LIST");
    tables->AddCheckItem("first");
    tables->AddCheckItem("second");
    tables->setCurrentRow(0);
    control<QLineEdit>(window, "IDC_MYSQL_LOGIN")->setText("ab");

    QWidget* target = control(window, name.toLatin1().constData());
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);
    auto* field = qobject_cast<QLineEdit*>(target);
    if (field != nullptr) {
        field->end(false);
    }
    const QString fieldText = field != nullptr ? field->text() : QString();

    QTest::keyClick(target, Qt::Key(key));
    QTest::qWait(20);

    QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.texts().join('|')));
    QVERIFY(opener.opened.isEmpty());
    QVERIFY(window.isVisible());
    if (field != nullptr) {
        QCOMPARE(field->text(), fieldText);
    }
    QVERIFY(!control<QCheckBox>(window, "IDC_SELECT_ALL")->isChecked());
    QCOMPARE(tables->count(), 2);
    QCOMPARE(tables->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(tables->item(1)->checkState(), Qt::Unchecked);
    QCOMPARE(control<QListWidget>(window, "IDC_DATABASE_LIST")->currentRow(), 0);
    QCOMPARE(control(window, "IDC_STATIC_NEXT")->isVisible(), !selectionPage);
}

void WindowTest::otherKeysKeepTheirUse() {
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    auto* server = control<QLineEdit>(window, "IDC_MYSQL_SERVER");
    server->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), server);
    server->end(false);
    QTest::keyClick(server, Qt::Key_Left);
    QTest::keyClick(server, Qt::Key_Backspace);
    QTest::keyClicks(server, "S");
    QCOMPARE(server->text(), QString("localhoSt"));

    window.ShowSelectionPage();
    auto* tables = control<CheckListWidget>(window, "IDC_TABLE_LIST");
    for (const char* name : {"a", "b", "c"}) {
        tables->AddCheckItem(name);
        tables->item(tables->count() - 1)->setCheckState(Qt::Checked);
    }
    tables->setCurrentRow(0);
    control<QCheckBox>(window, "IDC_SELECT_ALL")->setChecked(false);
    tables->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), tables);
    // An arrow moves the selection, and the selection change runs its handler.
    QTest::keyClick(tables, Qt::Key_Down);
    QCOMPARE(tables->currentRow(), 1);
    QVERIFY(control<QCheckBox>(window, "IDC_SELECT_ALL")->isChecked());
}

void WindowTest::exitQuestion_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc in a field") << "escape";
    QTest::newRow("Esc on the table list") << "escape on list";
    QTest::newRow("Exit button") << "exit";
    QTest::newRow("close request") << "close";
}

void WindowTest::exitQuestion() {
    QFETCH(QString, how);
    MessageAnswerer answerer(QMessageBox::No);
    OpenRecorder opener;
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    auto* login = control<QLineEdit>(window, "IDC_MYSQL_LOGIN");
    login->setText("kept");
    if (how == "escape") {
        QTest::keyClick(login, Qt::Key_Escape);
    } else if (how == "escape on list") {
        window.ShowSelectionPage();
        QWidget* list = control(window, "IDC_TABLE_LIST");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Escape);
    } else if (how == "exit") {
        QTest::mouseClick(control(window, "IDC_STATIC_EXIT"), Qt::LeftButton);
    } else {
        QVERIFY(!window.close());
    }
    QCOMPARE(answerer.messages.size(), 1);
    const ShownMessage& question = answerer.messages.first();
    QCOMPARE(question.text,
             QString("Do you want to exit from Vorlane Database Converter - MySQL to ORACLE?"));
    QCOMPARE(question.icon, QMessageBox::Question);
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    // No changes nothing.
    QTest::qWait(20);
    QVERIFY(window.isVisible());
    QVERIFY(opener.opened.isEmpty());
    QCOMPARE(login->text(), QString("kept"));
    QCOMPARE(control(window, "IDC_STATIC_NEXT")->isVisible(), how != "escape on list");
}

void WindowTest::exitWithYesClosesTheWindowAndOpensTheProductPage() {
    MessageAnswerer answerer(QMessageBox::Yes);
    OpenRecorder opener;
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    QTimer::singleShot(
        0, &window, [&] { QTest::keyClick(control(window, "IDC_MYSQL_LOGIN"), Qt::Key_Escape); });
    QCOMPARE(window.exec(), int(QDialog::Rejected));
    QVERIFY(!window.isVisible());
    QCOMPARE(answerer.messages.size(), 1);
    QCOMPARE(opener.opened.size(), 1);
    QCOMPARE(opener.opened.first().target, CTabwrightDlg::ProductPageAddress());
    QVERIFY(opener.opened.first().target.startsWith("https://"));
    QVERIFY(opener.opened.first().target.contains(".example"));
}

void WindowTest::helpOpensTheHelpFileMaximised() {
    OpenRecorder opener;
    MessageAnswerer answerer;
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    QTest::mouseClick(control(window, "IDC_STATIC_HELP"), Qt::LeftButton);
    QTest::keyClick(control(window, "IDC_MYSQL_SERVER"), Qt::Key_F1);
    window.ShowSelectionPage();
    QTest::keyClick(control(window, "IDC_TABLE_LIST"), Qt::Key_F1);
    QCOMPARE(opener.opened.size(), 3);
    for (const OpenRecorder::Opened& opened : opener.opened) {
        QCOMPARE(opened.target, QCoreApplication::applicationDirPath() + "/tabwright-help.html");
        QVERIFY(opened.maximised);
    }
    QVERIFY(answerer.messages.isEmpty());
}

void WindowTest::logoOpensTheAboutBox() {
    MessageAnswerer answerer;
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    // The About box keeps its own keys: Esc closes it and asks nothing, Enter presses OK.
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QString seen;
        int result = -1;
        QTimer::singleShot(50, &window, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (box != nullptr && box != &window) {
                seen = box->metaObject()->className();
                QObject::connect(box, &QDialog::finished, [&](int code) { result = code; });
                QTest::keyClick(box, key);
            }
        });
        QTest::mouseClick(control(window, "IDC_STATIC_LOGO"), Qt::LeftButton);
        QCOMPARE(seen, QString("CAboutDlg"));
        QCOMPARE(result, key == Qt::Key_Escape ? int(QDialog::Rejected) : int(QDialog::Accepted));
        QVERIFY(window.isVisible());
    }
    QVERIFY(answerer.messages.isEmpty());
}

void WindowTest::messageBoxesKeepTheirKeys() {
    OpenRecorder opener;
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    // A real question box: its Esc answers No and is not taken for another exit request.
    QString question;
    QTimer::singleShot(50, &window, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            question = box->windowTitle() + "|" + box->text();
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    QTest::keyClick(control(window, "IDC_MYSQL_LOGIN"), Qt::Key_Escape);
    QCOMPARE(
        question,
        QString("Message|Do you want to exit from Vorlane Database Converter - MySQL to ORACLE?"));
    QVERIFY(window.isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // Enter presses the default button of an information box.
    bool closed = false;
    QTimer::singleShot(50, &window, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            QTest::keyClick(box, Qt::Key_Return);
            closed = true;
        }
    });
    control<QLineEdit>(window, "IDC_MYSQL_SERVER")->clear();
    QTest::mouseClick(control(window, "IDC_STATIC_NEXT"), Qt::LeftButton);
    QVERIFY(closed);
    QVERIFY(opener.opened.isEmpty());
}

void WindowTest::imageOfEachButtonState_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("image");
    const QList<QPair<const char*, QString>> buttons = {
        {"IDC_STATIC_LOGO", "logo"}, {"IDC_STATIC_CONVERT", "convert"},
        {"IDC_STATIC_HELP", "help"}, {"IDC_STATIC_EXIT", "exit"},
        {"IDC_STATIC_NEXT", "next"}, {"IDC_STATIC_BACK", "back"}};
    for (const auto& [name, image] : buttons) {
        const QString normal = ":/res/" + image + ".png";
        const QString pressed = ":/res/" + image + "_pressed.png";
        QTest::addRow("%s normal", name) << QString(name) << "normal" << normal;
        QTest::addRow("%s pressed", name) << QString(name) << "pressed" << pressed;
        QTest::addRow("%s focused", name) << QString(name) << "focused" << normal;
        QTest::addRow("%s disabled", name) << QString(name) << "disabled" << pressed;
    }
    for (const char* state : {"normal", "pressed", "focused", "disabled"}) {
        QTest::addRow("greyed Convert %s", state)
            << "IDC_STATIC_CONVERTD" << state << ":/res/convert_disabled.png";
    }
    QTest::newRow("Stop normal") << "IDC_STOP"
                                 << "normal"
                                 << ":/res/stop.png";
    QTest::newRow("Stop pressed") << "IDC_STOP"
                                  << "pressed"
                                  << ":/res/stop_pressed.png";
    QTest::newRow("Stop focused") << "IDC_STOP"
                                  << "focused"
                                  << ":/res/stop.png";
    QTest::newRow("Stop disabled") << "IDC_STOP"
                                   << "disabled"
                                   << ":/res/stop.png";
}

void WindowTest::imageOfEachButtonState() {
    QFETCH(QString, name);
    QFETCH(QString, state);
    QFETCH(QString, image);
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    window.ShowSelectionPage();
    auto* button = control<ImageButton>(window, name.toLatin1().constData());
    button->show();
    if (state == "pressed") {
        button->setDown(true);
    } else if (state == "focused") {
        button->setFocus();
        QTRY_VERIFY(button->hasFocus());
    } else if (state == "disabled") {
        button->setEnabled(false);
    }
    QCOMPARE(button->CurrentImagePath(), image);
    QVERIFY2(!QPixmap(image).isNull(), qPrintable(image));
    // No image button is a tab stop, but Stop is.
    QCOMPARE(bool(button->focusPolicy() & Qt::TabFocus), name == "IDC_STOP");
}

void WindowTest::nextChecksFieldsBeforeConnecting_data() {
    QTest::addColumn<QStringList>("fields"); // server, login, password, service, user, password
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QStringList>("after");

    const QString noMySql = "There is an error to connect with MySQL. Please check your input "
                            "parameters or server configuration.";
    QTest::newRow("all six empty")
        << QStringList{"", "", "", "", "", ""} << "Please enter MySQL Server Name."
        << int(QMessageBox::Information) << "IDC_MYSQL_SERVER"
        << QStringList{"", "", "", "", "", ""};
    QTest::newRow("login empty") << QStringList{"db", "", "pw", "svc", "", ""}
                                 << "Please enter MySQL Login Name."
                                 << int(QMessageBox::Information) << "IDC_MYSQL_LOGIN"
                                 << QStringList{"db", "", "pw", "svc", "", ""};
    QTest::newRow("password empty")
        << QStringList{"db", "me", "", "", "", ""} << "Please enter MySQL Password."
        << int(QMessageBox::Information) << "IDC_MYSQL_PASSWORD"
        << QStringList{"db", "me", "", "", "", ""};
    QTest::newRow("no MySQL server, Oracle fields empty and not looked at")
        << QStringList{kNoServer, "me", "pw", "", "", ""} << noMySql << int(QMessageBox::NoIcon)
        << "IDC_MYSQL_LOGIN" << QStringList{kNoServer, "", "", "", "", ""};
    QTest::newRow("no MySQL server, Oracle fields untouched")
        << QStringList{kNoServer, "me", "pw", "svc", "usr", "opw"} << noMySql
        << int(QMessageBox::NoIcon) << "IDC_MYSQL_LOGIN"
        << QStringList{kNoServer, "", "", "svc", "usr", "opw"};
    QTest::newRow("a blank password counts as typed")
        << QStringList{kNoServer, "me", " ", "", "", ""} << noMySql << int(QMessageBox::NoIcon)
        << "IDC_MYSQL_LOGIN" << QStringList{kNoServer, "", "", "", "", ""};
}

void WindowTest::nextChecksFieldsBeforeConnecting() {
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(QString, focus);
    QFETCH(QStringList, after);
    const char* const names[] = {"IDC_MYSQL_SERVER",   "IDC_MYSQL_LOGIN", "IDC_MYSQL_PASSWORD",
                                 "IDC_ORACLE_SERVICE", "IDC_ORACLE_USER", "IDC_ORACLE_PASSWORD"};
    MessageAnswerer answerer;
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    for (int i = 0; i < 6; ++i) {
        auto* field = control<QLineEdit>(window, names[i]);
        field->clear();
        if (fields[i].contains(' ')) {
            field->setText(fields[i]); // a blank can only be pasted
        } else {
            QTest::keyClicks(field, fields[i]);
        }
    }
    QTest::mouseClick(control(window, "IDC_STATIC_NEXT"), Qt::LeftButton);

    QCOMPARE(answerer.texts(), QStringList{message});
    QCOMPARE(int(answerer.messages.first().icon), icon);
    QCOMPARE(answerer.messages.first().buttons, QMessageBox::Ok);
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), focus);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(control<QLineEdit>(window, names[i])->text(), after[i]);
    }
    QVERIFY(control(window, "IDC_STATIC_NEXT")->isVisible());
    QVERIFY(!control(window, "IDC_TABLE_LIST")->isVisible());
}

void WindowTest::checkMarkAloneDoesNotFollowSelection() {
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    window.ShowSelectionPage();
    auto* tables = control<CheckListWidget>(window, "IDC_TABLE_LIST");
    auto* selectAll = control<QCheckBox>(window, "IDC_SELECT_ALL");
    tables->AddCheckItem("orders");
    tables->AddCheckItem("customers");
    tables->setCurrentRow(0);
    CheckedTables().clear();

    // A mark on the selected item changes the mark only.
    QTest::mouseClick(tables->viewport(), Qt::LeftButton, {}, checkMarkCentre(tables, 1));
    QCOMPARE(tables->item(1)->checkState(), Qt::Checked);
    QCOMPARE(tables->currentRow(), 1);
    QCOMPARE(CheckedTables().size(), std::size_t(2)); // the selection moved to item 1
    QVERIFY(!selectAll->isChecked());
    QTest::mouseClick(tables->viewport(), Qt::LeftButton, {}, checkMarkCentre(tables, 1));
    QCOMPARE(tables->item(1)->checkState(), Qt::Unchecked);
    QTest::mouseClick(tables->viewport(), Qt::LeftButton, {}, checkMarkCentre(tables, 1));
    QCOMPARE(tables->item(1)->checkState(), Qt::Checked);

    // Marking the last unmarked item by clicking it also moves the selection: the handler sees
    // the new mark and Select All follows.
    QTest::mouseClick(tables->viewport(), Qt::LeftButton, {}, checkMarkCentre(tables, 0));
    QCOMPARE(tables->item(0)->checkState(), Qt::Checked);
    QVERIFY(selectAll->isChecked());

    // Clearing a mark of the selected item leaves Select All until the selection changes.
    QTest::mouseClick(tables->viewport(), Qt::LeftButton, {}, checkMarkCentre(tables, 0));
    QCOMPARE(tables->item(0)->checkState(), Qt::Unchecked);
    QVERIFY(selectAll->isChecked());
    const QRect text = tables->visualItemRect(tables->item(1));
    QTest::mouseClick(tables->viewport(), Qt::LeftButton, {},
                      QPoint(text.right() - 10, text.center().y()));
    QCOMPARE(tables->currentRow(), 1);
    QCOMPARE(tables->item(1)->checkState(), Qt::Checked); // a click on the name marks nothing
    QVERIFY(!selectAll->isChecked());
}

void WindowTest::activityBarWrapsPastTheTop() {
    CTabwrightDlg window;
    auto* bar = control<QProgressBar>(window, "IDC_PROGRESS_1");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QList<int> seen;
    for (int tick = 0; tick < 12; ++tick) {
        window.OnTimer();
        seen.append(bar->value());
    }
    QCOMPARE(seen, (QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 0, 10}));

    auto* tableBar = control<QProgressBar>(window, "IDC_PROGRESS_2");
    window.BeginRunControls(3);
    QCOMPARE(tableBar->maximum(), 3);
    window.StepTableBar();
    window.StepTableBar();
    QCOMPARE(tableBar->value(), 2);
    window.BeginRunControls(2);
    QCOMPARE(tableBar->value(), 0);
    QCOMPARE(bar->value(), 0);
}

void WindowTest::windowCallsFromAnotherThreadKeepTheWindowAlive() {
    MessageAnswerer answerer;
    CTabwrightDlg window;
    QVERIFY(showAndActivate(window));
    window.ShowSelectionPage();
    auto* tables = control<CheckListWidget>(window, "IDC_TABLE_LIST");
    for (const char* name : {"a", "b", "c"}) {
        tables->AddCheckItem(name);
    }
    tables->item(1)->setCheckState(Qt::Checked);
    auto* databases = control<QListWidget>(window, "IDC_DATABASE_LIST");
    {
        const QSignalBlocker blocker(databases); // no server to list tables from
        databases->addItem("shop");
        databases->setCurrentRow(0);
    }
    auto* activity = control<QProgressBar>(window, "IDC_PROGRESS_1");

    // While the box of the run is open the window thread goes on: the activity bar moves.
    int activityDuringBox = -1;
    answerer.onMessage = [&](const ShownMessage& message) {
        if (message.text != "Data Length is too long.") {
            return;
        }
        const int before = activity->value();
        // A box's own event loop, as an open message box runs it.
        QEventLoop box;
        QTimer::singleShot(120, &box, &QEventLoop::quit);
        box.exec();
        activityDuringBox = activity->value() != before ? 1 : 0;
    };

    // A minimised window is restored at the end of the run.
    window.showMinimized();
    std::atomic<bool> done{false};
    int count = 0;
    bool checked[3] = {};
    std::string database;
    bool selected = false;
    std::thread worker([&] {
        count = window.TableItemCount();
        for (int i = 0; i < 3; ++i) {
            checked[i] = window.IsTableChecked(i);
        }
        selected = window.SelectedDatabase(database);
        window.BeginRunControls(1);
        window.StartActivityTimer();
        window.SetTitle("Converting Table: [B] 7 rows converted...");
        window.SetProgressText("1 of 1 Table(s) are converted.");
        window.ShowMessage("Data Length is too long.", MessageIcon::None);
        window.StepTableBar();
        window.EndRunControls();
        window.UncheckTable(1);
        window.UncheckTable(7); // beyond the list: nothing to clear
        window.ShowMessage("MySQL to ORACLE conversion completed successfully.",
                           MessageIcon::Information);
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    worker.join();

    QCOMPARE(count, 3);
    QVERIFY(!checked[0] && checked[1] && !checked[2]);
    QVERIFY(selected);
    QCOMPARE(database, std::string("shop"));
    QCOMPARE(activityDuringBox, 1);
    QVERIFY(!window.isMinimized());
    QCOMPARE(answerer.texts(), (QStringList{"Data Length is too long.",
                                            "MySQL to ORACLE conversion completed successfully."}));
    QCOMPARE(answerer.messages[0].icon, QMessageBox::NoIcon);
    QCOMPARE(answerer.messages[1].icon, QMessageBox::Information);
    QCOMPARE(control<QProgressBar>(window, "IDC_PROGRESS_2")->value(), 1);
    QCOMPARE(window.windowTitle(), QString("Vorlane Database Converter - MySQL to ORACLE"));
    QCOMPARE(tables->item(1)->checkState(), Qt::Unchecked);
    QVERIFY(withVisibility(window, runSet(), true).isEmpty());
    QVERIFY(control(window, "IDC_STATIC_CONVERT")->isVisible());
    QVERIFY(control(window, "IDC_STATIC_CONVERT")->isEnabled());
    QVERIFY(tables->isEnabled());
    const int stopped = activity->value();
    QTest::qWait(60);
    QCOMPARE(activity->value(), stopped); // the activity timer was stopped at the end
}

void WindowTest::accessibleNames() {
    CTabwrightDlg window;
    const QList<QPair<const char*, QString>> expected = {
        {"IDC_STATIC_NEXT", "Next"},
        {"IDC_STATIC_CONVERT", "Convert"},
        {"IDC_STATIC_BACK", "Back"},
        {"IDC_STATIC_HELP", "Help"},
        {"IDC_STATIC_EXIT", "Exit"},
        {"IDC_STOP", "Stop"},
        {"IDC_MYSQL_SERVER", "MySQL Server"},
        {"IDC_MYSQL_LOGIN", "Login Name"},
        {"IDC_ORACLE_SERVICE", "Service Name"},
        {"IDC_SELECT_ALL", "Select All"},
    };
    for (const auto& [name, accessible] : expected) {
        QCOMPARE(control(window, name)->accessibleName(), accessible);
    }
    // Every control a person reads or uses has a name.
    QStringList unnamed;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->objectName().startsWith("IDC_") && widget->accessibleName().isEmpty()) {
            unnamed.append(widget->objectName());
        }
    }
    QCOMPARE(unnamed, QStringList());
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
