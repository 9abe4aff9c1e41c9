// The main window against the test MariaDB and the Oracle simulator: Next and its failures,
// Back, the selection page, and a conversion from end to end in the real window.

#include "CheckListWidget.h"
#include "ConversionRun.h"
#include "OracleSimState.h"
#include "TestMariaDb.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

const char* const kService = "FREEPDB1";
const char* const kOracleUser = "SYSTEM";
const char* const kOraclePassword = "sim-secret";

// Databases of this test; "aaa_" sorts before every other database of the server.
const char* const kShop = "app_shop";
const char* const kEmpty = "app_no_tables";
const char* const kMany = "app_many_tables";
const char* const kFirstEmpty = "aaa_app_first_empty";
const char* const kOnlyEmptyLogin = "app_empty_viewer";
constexpr int kManyTables = 1750;

const char* const kFieldNames[] = {"IDC_MYSQL_SERVER",   "IDC_MYSQL_LOGIN", "IDC_MYSQL_PASSWORD",
                                   "IDC_ORACLE_SERVICE", "IDC_ORACLE_USER", "IDC_ORACLE_PASSWORD"};

// What the server lists, in its order.
QStringList serverDatabases() {
    QStringList names;
    for (const TestMariaDb::Row& row : TestMariaDb::query("SHOW DATABASES")) {
        names.append(QString::fromStdString(row.at(0).value_or("")));
    }
    return names;
}

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.append(list->item(i)->text());
    }
    return texts;
}

QList<Qt::CheckState> checkStates(const QListWidget* list) {
    QList<Qt::CheckState> states;
    for (int i = 0; i < list->count(); ++i) {
        states.append(list->item(i)->checkState());
    }
    return states;
}

void clickItem(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        qFatal("no item %s", qPrintable(text));
    }
    list->scrollToItem(found.first());
    const QRect rect = list->visualItemRect(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(rect.right() - 4, rect.center().y()));
}

void clickCheckMark(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        qFatal("no item %s", qPrintable(text));
    }
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      checkMarkCentre(list, list->row(found.first())));
}

} // namespace

class ServerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void nextFailures_data();
    void nextFailures();
    void nextOpensTheSelectionPageAndBackReturns();
    void selectionPageCountsAndSelectAll();
    void databaseChangeAndADatabaseWithoutTables();
    void firstDatabaseWithoutTablesRightAfterNext();
    void moreThan1700Tables();
    void convertTwoTablesEndToEnd();
    void escapeWithNoDuringARunAndStop();
    void exitWithYesDuringARunEndsTheProcessAtOnce();

private:
    // Types the six fields as a person would, presses Next and answers every box with OK.
    void typeFields(const QStringList& values);
    void next(const QStringList& values);
    QStringList goodFields() const;

    QTemporaryDir m_folder;
    std::unique_ptr<OracleSimState> m_sim;
    std::unique_ptr<MessageAnswerer> m_answerer;
    std::unique_ptr<CTabwrightDlg> m_window;
};

void ServerWindowTest::initTestCase() {
    QVERIFY(m_folder.isValid());
    try {
        std::string sql =
            "DROP DATABASE IF EXISTS app_shop; CREATE DATABASE app_shop; USE app_shop;"
            "CREATE TABLE items (id INT PRIMARY KEY, name VARCHAR(20));"
            "INSERT INTO items VALUES (1,'pen'),(2,'ink'),(3,'O''Brien''s pad');"
            "CREATE TABLE notes (note TEXT);"
            "INSERT INTO notes VALUES ('first'),(NULL);"
            "CREATE TABLE untouched (id INT);"
            "INSERT INTO untouched VALUES (7);"
            "CREATE TABLE "
            "a_table_whose_name_is_far_wider_than_the_list_that_shows_it (x INT);"
            "DROP DATABASE IF EXISTS app_no_tables; CREATE DATABASE app_no_tables;"
            "DROP DATABASE IF EXISTS aaa_app_first_empty;"
            "CREATE DATABASE aaa_app_first_empty;"
            "DROP USER IF EXISTS app_empty_viewer;"
            "CREATE USER app_empty_viewer IDENTIFIED BY 'viewer-secret';"
            "GRANT ALL ON aaa_app_first_empty.* TO app_empty_viewer;"
            "DROP DATABASE IF EXISTS app_exit; CREATE DATABASE app_exit;"
            "CREATE TABLE app_exit.slow (id INT PRIMARY KEY, label VARCHAR(10));";
        for (int i = 1; i <= 40; ++i) {
            sql += "INSERT INTO app_exit.slow VALUES (" + std::to_string(i) + ", 'row " +
                   std::to_string(i) + "');";
        }
        sql += "DROP DATABASE IF EXISTS app_many_tables; CREATE DATABASE app_many_tables;"
               "USE app_many_tables;";
        for (int i = 0; i < kManyTables; ++i) {
            sql += "CREATE TABLE t" + std::to_string(10000 + i) + " (id INT) ENGINE=MEMORY;";
        }
        TestMariaDb::exec(sql);
    } catch (const std::exception& error) {
        QFAIL(error.what());
    }
}

void ServerWindowTest::cleanupTestCase() {
    try {
        TestMariaDb::exec("DROP DATABASE IF EXISTS app_shop; DROP DATABASE IF EXISTS app_exit; "
                          "DROP DATABASE IF EXISTS "
                          "app_no_tables; DROP DATABASE IF EXISTS aaa_app_first_empty; DROP "
                          "DATABASE IF EXISTS app_many_tables; DROP USER IF EXISTS "
                          "app_empty_viewer");
    } catch (const std::exception& error) {
        qWarning("%s", error.what());
    }
}

void ServerWindowTest::init() {
    const QString state = m_folder
                              .filePath(QString::fromLatin1(QTest::currentTestFunction()) +
                                        QString::fromLatin1(QTest::currentDataTag()) + ".sqlite")
                              .replace(' ', '_');
    m_sim = std::make_unique<OracleSimState>(OracleSimState::create(state.toStdString()));
    m_sim->addService(kService);
    m_sim->addAccount(kService, kOracleUser, kOraclePassword, true);
    setenv("ORACLE_SIM_STATE", state.toLocal8Bit().constData(), 1);
    TheConversionRun().quoteTargetName = 0;
    m_answerer = std::make_unique<MessageAnswerer>();
    m_window = std::make_unique<CTabwrightDlg>();
    QVERIFY(showAndActivate(*m_window));
}

void ServerWindowTest::cleanup() {
    m_window.reset();
    m_answerer.reset();
    m_sim.reset();
}

QStringList ServerWindowTest::goodFields() const {
    return {QString::fromStdString(TestMariaDb::host()),
            TestMariaDb::kLogin,
            TestMariaDb::kPassword,
            kService,
            kOracleUser,
            kOraclePassword};
}

void ServerWindowTest::typeFields(const QStringList& values) {
    for (int i = 0; i < 6; ++i) {
        auto* field = control<QLineEdit>(*m_window, kFieldNames[i]);
        field->clear();
        QTest::keyClicks(field, values[i]);
    }
}

void ServerWindowTest::next(const QStringList& values) {
    typeFields(values);
    QTest::mouseClick(control(*m_window, "IDC_STATIC_NEXT"), Qt::LeftButton);
}

void ServerWindowTest::nextFailures_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("simSwitch");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("focus");

    const QStringList good = goodFields();
    const auto with = [&](int index, const QString& value) {
        QStringList fields = good;
        fields[index] = value;
        return fields;
    };
    const int info = QMessageBox::Information;
    const int none = QMessageBox::NoIcon;

    QTest::newRow("Oracle service empty, after the MySQL connect")
        << with(3, "") << ""
        << "Please enter ORACLE Service Name." << info << with(3, "") << "IDC_ORACLE_SERVICE";
    QTest::newRow("Oracle user empty")
        << with(4, "") << ""
        << "Please enter ORACLE User Name." << info << with(4, "") << "IDC_ORACLE_USER";
    QTest::newRow("Oracle password empty")
        << with(5, "") << ""
        << "Please enter ORACLE Password." << info << with(5, "") << "IDC_ORACLE_PASSWORD";

    QStringList wrongMySql = good;
    wrongMySql[2] = "not-the-password";
    wrongMySql[3] = wrongMySql[4] = wrongMySql[5] = "";
    QStringList wrongMySqlAfter = wrongMySql;
    wrongMySqlAfter[1] = wrongMySqlAfter[2] = "";
    QTest::newRow("wrong MySQL password, Oracle fields not looked at")
        << wrongMySql << ""
        << "There is an error to connect with MySQL. Please check your input parameters or "
           "server configuration."
        << none << wrongMySqlAfter << "IDC_MYSQL_LOGIN";

    const QString badService = "Invalid ORACLE Service Name.";
    const QString badCredentials = "There is an error to connect with ORACLE. Please check your "
                                   "input parameters User Name/Password.";
    const QString unavailable =
        "Either ORACLE Database could not be initialized or System Shutdown is in Progress.";
    QStringList serviceGone = with(3, "NO_SUCH_SERVICE");
    QTest::newRow("unknown service")
        << serviceGone << "" << badService << none << with(3, "") << "IDC_ORACLE_SERVICE";
    QTest::newRow("unknown service, 23ai wording")
        << serviceGone << "23ai" << badService << none << with(3, "") << "IDC_ORACLE_SERVICE";
    QTest::newRow("Easy Connect to a service the listener does not know")
        << with(3, "localhost:1521/NO_SUCH_SERVICE") << "" << badService << none << with(3, "")
        << "IDC_ORACLE_SERVICE";
    QStringList credentialsGone = with(5, "wrong");
    QStringList credentialsAfter = good;
    credentialsAfter[4] = credentialsAfter[5] = "";
    QTest::newRow("wrong Oracle password")
        << credentialsGone << "" << badCredentials << none << credentialsAfter << "IDC_ORACLE_USER";
    QTest::newRow("wrong Oracle password, 23ai wording")
        << credentialsGone << "23ai" << badCredentials << none << credentialsAfter
        << "IDC_ORACLE_USER";
    QTest::newRow("Oracle not available")
        << good << "unavailable" << unavailable << none << good << "IDC_STATIC_NEXT";
}

void ServerWindowTest::nextFailures() {
    QFETCH(QStringList, fields);
    QFETCH(QString, simSwitch);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(QStringList, after);
    QFETCH(QString, focus);
    if (simSwitch == "23ai") {
        m_sim->setWording(OracleSimState::Wording::Oracle23ai);
    } else if (simSwitch == "unavailable") {
        m_sim->setUnavailable(true);
    }
    next(fields);

    QCOMPARE(m_answerer->texts(), QStringList{message});
    QCOMPARE(int(m_answerer->messages.first().icon), icon);
    QCOMPARE(m_answerer->messages.first().buttons, QMessageBox::Ok);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(control<QLineEdit>(*m_window, kFieldNames[i])->text(), after[i]);
    }
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(control(*m_window, "IDC_STATIC_NEXT")->isVisible());
    QVERIFY(control(*m_window, "IDC_MYSQL_LOGIN")->isVisible());
    QVERIFY(!control(*m_window, "IDC_DATABASE_LIST")->isVisible());
}

void ServerWindowTest::nextOpensTheSelectionPageAndBackReturns() {
    next(goodFields());
    QCOMPARE(m_answerer->texts(), QStringList());

    auto* databases = control<QListWidget>(*m_window, "IDC_DATABASE_LIST");
    const QStringList expected = serverDatabases();
    QCOMPARE(itemTexts(databases), expected);
    QCOMPARE(control<QLabel>(*m_window, "IDC_DATABASE_COUNT")->text(),
             QString::number(expected.size()));
    QCOMPARE(databases->currentRow(), 0);
    QVERIFY(databases->item(0)->isSelected());
    // The first database's tables are listed at once.
    auto* tables = control<QListWidget>(*m_window, "IDC_TABLE_LIST");
    QCOMPARE(control<QLabel>(*m_window, "IDC_TABLE_COUNT")->text(),
             QString::number(tables->count()));
    QVERIFY(withVisibility(*m_window, selectionPageSet(), false).isEmpty());
    QVERIFY(withVisibility(*m_window, connectionPageSet(), true).isEmpty());
    QVERIFY(control(*m_window, "IDC_STATIC_CONVERT")->isVisible());
    QVERIFY(control(*m_window, "IDC_STATIC_BACK")->isVisible());
    QVERIFY(!control(*m_window, "IDC_STATIC_NEXT")->isVisible());
    QVERIFY(!control(*m_window, "IDC_STOP")->isVisible());
    // Nothing was emptied on the way.
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(control<QLineEdit>(*m_window, kFieldNames[i])->text(), goodFields()[i]);
    }

    clickItem(databases, kShop);
    auto* selectAll = control<QCheckBox>(*m_window, "IDC_SELECT_ALL");
    QTest::mouseClick(selectAll, Qt::LeftButton);
    QVERIFY(selectAll->isChecked());

    QTest::mouseClick(control(*m_window, "IDC_STATIC_BACK"), Qt::LeftButton);
    const QStringList kept = {goodFields()[0], "", "", "", "", ""};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(control<QLineEdit>(*m_window, kFieldNames[i])->text(), kept[i]);
    }
    QVERIFY(!selectAll->isChecked());
    QCOMPARE(tables->count(), 0);
    QCOMPARE(itemTexts(databases), expected); // the database list keeps its items
    QVERIFY(withVisibility(*m_window, selectionPageSet(), true).isEmpty());
    QVERIFY(withVisibility(*m_window, connectionPageSet(), false).isEmpty());
    QVERIFY(control(*m_window, "IDC_STATIC_NEXT")->isVisible());
    QVERIFY(!control(*m_window, "IDC_STATIC_CONVERT")->isVisible());
    QVERIFY(!control(*m_window, "IDC_STATIC_BACK")->isVisible());

    // Both connections are made anew by the next Next.
    next(goodFields());
    QCOMPARE(m_answerer->texts(), QStringList());
    QVERIFY(control(*m_window, "IDC_TABLE_LIST")->isVisible());
}

void ServerWindowTest::selectionPageCountsAndSelectAll() {
    next(goodFields());
    auto* tables = control<CheckListWidget>(*m_window, "IDC_TABLE_LIST");
    auto* selectAll = control<QCheckBox>(*m_window, "IDC_SELECT_ALL");
    clickItem(control<QListWidget>(*m_window, "IDC_DATABASE_LIST"), kShop);

    const QStringList names = {"a_table_whose_name_is_far_wider_than_the_list_that_shows_it",
                               "items", "notes", "untouched"};
    QCOMPARE(itemTexts(tables), names);
    QCOMPARE(control<QLabel>(*m_window, "IDC_TABLE_COUNT")->text(), QString("4"));
    QCOMPARE(checkStates(tables), QList<Qt::CheckState>(4, Qt::Unchecked));
    QCOMPARE(tables->currentRow(), 0);
    QVERIFY(TableNames().size() >= kTableNameSlots);
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(QString::fromStdString(TableNames()[std::size_t(i)]), names[i]);
    }
    QVERIFY(selectAll->isVisible());
    QVERIFY(!selectAll->isChecked());

    // The widest name sets how far the list scrolls sideways.
    const QFontMetrics metrics(tables->font());
    QCOMPARE(tables->HorizontalExtent(),
             metrics.averageCharWidth() + metrics.horizontalAdvance(names[0]) + 20);
    QVERIFY(tables->horizontalScrollBar()->maximum() > 0);

    QTest::mouseClick(selectAll, Qt::LeftButton);
    QCOMPARE(checkStates(tables), QList<Qt::CheckState>(4, Qt::Checked));
    QCOMPARE(CheckedTables().size(), std::size_t(4));
    QCOMPARE(QApplication::focusWidget(), control(*m_window, "IDC_STATIC_BACK"));

    QTest::mouseClick(selectAll, Qt::LeftButton);
    QCOMPARE(checkStates(tables), QList<Qt::CheckState>(4, Qt::Unchecked));
    QVERIFY(CheckedTables().empty());

    // Marks made one by one: Select All follows at the next selection change.
    for (const QString& name : names) {
        clickCheckMark(tables, name);
    }
    QVERIFY(selectAll->isChecked());
    QCOMPARE(CheckedTables().size(), std::size_t(4));
    clickCheckMark(tables, "untouched"); // the selected item: the mark alone
    QVERIFY(selectAll->isChecked());
    clickItem(tables, "notes");
    QVERIFY(!selectAll->isChecked());
}

void ServerWindowTest::databaseChangeAndADatabaseWithoutTables() {
    next(goodFields());
    auto* databases = control<QListWidget>(*m_window, "IDC_DATABASE_LIST");
    auto* tables = control<QListWidget>(*m_window, "IDC_TABLE_LIST");
    auto* selectAll = control<QCheckBox>(*m_window, "IDC_SELECT_ALL");
    clickItem(databases, kShop);
    QTest::mouseClick(selectAll, Qt::LeftButton);
    QCOMPARE(CheckedTables().size(), std::size_t(4));

    clickItem(databases, kEmpty);
    QCOMPARE(tables->count(), 0);
    QCOMPARE(control<QLabel>(*m_window, "IDC_TABLE_COUNT")->text(), QString("0"));
    QVERIFY(!selectAll->isVisible());
    QVERIFY(!selectAll->isChecked());
    QCOMPARE(CheckedTables().size(), std::size_t(4)); // a database change leaves it alone

    clickItem(databases, kShop);
    QCOMPARE(tables->count(), 4);
    QCOMPARE(checkStates(tables), QList<Qt::CheckState>(4, Qt::Unchecked));
    QVERIFY(selectAll->isVisible());
    QVERIFY(!selectAll->isChecked());
}

void ServerWindowTest::firstDatabaseWithoutTablesRightAfterNext() {
    QStringList fields = goodFields();
    fields[1] = kOnlyEmptyLogin;
    fields[2] = "viewer-secret";
    next(fields);
    QCOMPARE(m_answerer->texts(), QStringList());
    auto* databases = control<QListWidget>(*m_window, "IDC_DATABASE_LIST");
    QCOMPARE(databases->item(0)->text(), QString(kFirstEmpty));
    QCOMPARE(control<QListWidget>(*m_window, "IDC_TABLE_LIST")->count(), 0);
    QCOMPARE(control<QLabel>(*m_window, "IDC_TABLE_COUNT")->text(), QString("0"));
    // Next shows Select All even when the first database has no tables.
    QVERIFY(control(*m_window, "IDC_SELECT_ALL")->isVisible());
}

void ServerWindowTest::moreThan1700Tables() {
    next(goodFields());
    auto* tables = control<QListWidget>(*m_window, "IDC_TABLE_LIST");
    clickItem(control<QListWidget>(*m_window, "IDC_DATABASE_LIST"), kMany);
    QCOMPARE(tables->count(), kManyTables);
    QCOMPARE(control<QLabel>(*m_window, "IDC_TABLE_COUNT")->text(), QString::number(kManyTables));
    QCOMPARE(TableNames().size(), std::size_t(kManyTables));
    for (int i = 0; i < kManyTables; ++i) {
        const std::string expected = "t" + std::to_string(10000 + i);
        if (TableNames()[std::size_t(i)] != expected ||
            tables->item(i)->text() != QString::fromStdString(expected)) {
            QFAIL(qPrintable(QString("slot %1 does not hold %2").arg(i).arg(expected.c_str())));
        }
    }
    QTest::mouseClick(control(*m_window, "IDC_SELECT_ALL"), Qt::LeftButton);
    QCOMPARE(CheckedTables().size(), std::size_t(kManyTables));
    QCOMPARE(tables->item(kManyTables - 1)->checkState(), Qt::Checked);
}

void ServerWindowTest::convertTwoTablesEndToEnd() {
    // Each statement takes a moment, so that the activity bar has time to move.
    m_sim->setStatementDelay(std::chrono::milliseconds(15));
    next(goodFields());
    auto* tables = control<CheckListWidget>(*m_window, "IDC_TABLE_LIST");
    clickItem(control<QListWidget>(*m_window, "IDC_DATABASE_LIST"), kShop);
    clickCheckMark(tables, "items");
    clickCheckMark(tables, "notes");

    QSignalSpy activity(control<QProgressBar>(*m_window, "IDC_PROGRESS_1"),
                        &QProgressBar::valueChanged);
    QSignalSpy tableBar(control<QProgressBar>(*m_window, "IDC_PROGRESS_2"),
                        &QProgressBar::valueChanged);
    QSignalSpy titles(m_window.get(), &QWidget::windowTitleChanged);
    bool stopShownDuringRun = false;
    bool convertHiddenDuringRun = false;
    // Seen while rows are copied.
    connect(
        m_window.get(), &QWidget::windowTitleChanged, m_window.get(), [&](const QString& title) {
            if (title.startsWith("Converting Table:")) {
                stopShownDuringRun = control(*m_window, "IDC_STOP")->isVisible();
                convertHiddenDuringRun = !control(*m_window, "IDC_STATIC_CONVERT")->isVisible() &&
                                         control(*m_window, "IDC_STATIC_CONVERTD")->isVisible() &&
                                         !control(*m_window, "IDC_STATIC_BACK")->isVisible() &&
                                         !control(*m_window, "IDC_TABLE_LIST")->isEnabled();
            }
        });
    QTest::mouseClick(control(*m_window, "IDC_STATIC_CONVERT"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!m_answerer->messages.isEmpty(), 60000);
    QTRY_VERIFY_WITH_TIMEOUT(!TheConversionRun().workerRunning, 10000);

    QCOMPARE(m_answerer->texts(),
             QStringList{"MySQL to ORACLE conversion completed successfully."});
    QCOMPARE(m_answerer->messages.first().icon, QMessageBox::Information);
    QVERIFY(activity.size() > 0);
    QList<int> tableBarValues;
    for (const QList<QVariant>& change : tableBar) {
        tableBarValues.append(change.at(0).toInt());
    }
    QVERIFY(tableBarValues.contains(1));
    QVERIFY(tableBarValues.contains(2));
    QStringList titleTexts;
    for (const QList<QVariant>& change : titles) {
        titleTexts.append(change.at(0).toString());
    }
    QVERIFY2(titleTexts.contains("Converting Table: [ITEMS] 3 rows converted..."),
             qPrintable(titleTexts.join('|')));
    QVERIFY(titleTexts.contains("Converting Table: [NOTES] 2 rows converted..."));
    QCOMPARE(control<QLabel>(*m_window, "IDC_PROGRESS_TEXT")->text(),
             QString("2 of 2 Table(s) are converted."));
    QVERIFY(stopShownDuringRun);
    QVERIFY(convertHiddenDuringRun);

    using Row = OracleSimState::Row;
    QCOMPARE(m_sim->rows("SYSTEM", "ITEMS"),
             (std::vector<Row>{{"1", "pen"}, {"2", "ink"}, {"3", "O'Brien's pad"}}));
    QCOMPARE(m_sim->rows("SYSTEM", "NOTES"), (std::vector<Row>{{"first"}, {std::nullopt}}));
    QVERIFY(!m_sim->hasTable("SYSTEM", "UNTOUCHED"));

    // Idle again, ready for another Convert.
    QCOMPARE(m_window->windowTitle(), QString("Vorlane Database Converter - MySQL to ORACLE"));
    QVERIFY(withVisibility(*m_window, runSet(), true).isEmpty());
    QVERIFY(control(*m_window, "IDC_STATIC_CONVERT")->isVisible());
    QVERIFY(control(*m_window, "IDC_STATIC_CONVERT")->isEnabled());
    QVERIFY(control(*m_window, "IDC_STATIC_BACK")->isVisible());
    QVERIFY(tables->isEnabled());
    QVERIFY(control(*m_window, "IDC_DATABASE_LIST")->isEnabled());
    QVERIFY(control(*m_window, "IDC_SELECT_ALL")->isEnabled());
    QVERIFY(!control<QCheckBox>(*m_window, "IDC_SELECT_ALL")->isChecked());
    QCOMPARE(checkStates(tables), QList<Qt::CheckState>(4, Qt::Unchecked));

    // Convert with nothing checked warns and changes nothing else.
    QTest::mouseClick(control(*m_window, "IDC_STATIC_CONVERT"), Qt::LeftButton);
    QTRY_COMPARE(m_answerer->messages.size(), 2);
    QTRY_VERIFY(!TheConversionRun().workerRunning);
    QCOMPARE(m_answerer->messages.last().text,
             QString("Please select at least one table to continue the conversion."));
    QCOMPARE(m_answerer->messages.last().icon, QMessageBox::Warning);
    QVERIFY(control(*m_window, "IDC_STATIC_CONVERT")->isVisible());
    QVERIFY(!control(*m_window, "IDC_STATIC_CONVERTD")->isVisible());

    // Exit after a finished run closes the window the ordinary way; the process goes on.
    OpenRecorder opener;
    m_answerer->answer = QMessageBox::Yes;
    QTest::mouseClick(control(*m_window, "IDC_STATIC_EXIT"), Qt::LeftButton);
    QTRY_VERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Rejected));
    QCOMPARE(opener.opened.size(), 1);
    QCOMPARE(opener.opened.first().target, CTabwrightDlg::ProductPageAddress());
}

void ServerWindowTest::escapeWithNoDuringARunAndStop() {
    m_sim->setStatementDelay(std::chrono::milliseconds(40));
    next(goodFields());
    auto* tables = control<CheckListWidget>(*m_window, "IDC_TABLE_LIST");
    clickItem(control<QListWidget>(*m_window, "IDC_DATABASE_LIST"), kShop);
    clickCheckMark(tables, "items");
    clickCheckMark(tables, "notes");
    clickCheckMark(tables, "untouched");
    OpenRecorder opener;
    m_answerer->answer = QMessageBox::No;

    QTest::mouseClick(control(*m_window, "IDC_STATIC_CONVERT"), Qt::LeftButton);
    QTRY_VERIFY(control(*m_window, "IDC_STOP")->isVisible());
    // Esc with No: the question, and the run carries on.
    QTest::keyClick(tables, Qt::Key_Escape);
    QCOMPARE(m_answerer->messages.size(), 1);
    QCOMPARE(m_answerer->messages.first().icon, QMessageBox::Question);
    QVERIFY(opener.opened.isEmpty());
    QVERIFY(TheConversionRun().workerRunning);
    QVERIFY(control(*m_window, "IDC_STOP")->isVisible());

    // Stop while the first table is copied: it is finished, no later table is touched.
    m_answerer->answer = QMessageBox::Ok;
    QTest::mouseClick(control(*m_window, "IDC_STOP"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!TheConversionRun().workerRunning, 60000);
    QCOMPARE(m_answerer->messages.size(), 2);
    QVERIFY2(m_answerer->messages.last().text.startsWith("MySQL to ORACLE conversion stopped"),
             qPrintable(m_answerer->messages.last().text));
    QCOMPARE(m_sim->rows("SYSTEM", "ITEMS").size(), std::size_t(3));
    QVERIFY(!m_sim->hasTable("SYSTEM", "NOTES"));
    QVERIFY(!m_sim->hasTable("SYSTEM", "UNTOUCHED"));
    QVERIFY(m_window->isVisible());
    QVERIFY(control(*m_window, "IDC_STATIC_CONVERT")->isVisible());
}

void ServerWindowTest::exitWithYesDuringARunEndsTheProcessAtOnce() {
    // About 40 rows at two slowed statements each: the run would take seconds more.
    m_sim->setStatementDelay(std::chrono::milliseconds(25));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.start(APP_EXIT_CHILD, {});
    QVERIFY(child.waitForStarted());
    QStringList input = goodFields();
    input << "app_exit"
          << "slow"
          << "Converting Table: [SLOW] 5 rows converted...";
    child.write((input.join('\n') + '\n').toUtf8());
    child.closeWriteChannel();
    QVERIFY(child.waitForFinished(60000));
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    const QStringList lines = output.split('\n', Qt::SkipEmptyParts);

    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, qPrintable(output));
    QVERIFY2(lines.contains("escape"), qPrintable(output));
    QVERIFY(lines.contains(
        "message Do you want to exit from Vorlane Database Converter - MySQL to ORACLE?"));
    QVERIFY(lines.contains("opened " + CTabwrightDlg::ProductPageAddress()));
    QVERIFY2(lines.last() == "opened " + CTabwrightDlg::ProductPageAddress(), qPrintable(output));
    QVERIFY(!output.contains("conversion completed"));

    // What was committed stays; the row in hand when the process ended is not there.
    const std::vector<OracleSimState::Row> rows = m_sim->rows("SYSTEM", "SLOW");
    QVERIFY2(rows.size() >= 5 && rows.size() < 40, qPrintable(QString::number(rows.size())));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const OracleSimState::Row expected{std::to_string(i + 1), "row " + std::to_string(i + 1)};
        QCOMPARE(rows[i], expected);
    }
    std::size_t commits = 0;
    std::size_t inserts = 0;
    for (const OracleSimState::Statement& statement : m_sim->statements()) {
        commits += statement.ora == 0 && statement.text == "COMMIT" ? 1 : 0;
        inserts += statement.ora == 0 && statement.text.rfind("INSERT", 0) == 0 ? 1 : 0;
    }
    QCOMPARE(rows.size(), commits);
    QVERIFY(inserts == commits || inserts == commits + 1);
}

QTEST_MAIN(ServerWindowTest)
#include "ServerWindowTest.moc"
