// Writes pictures of the window for the README: the connection page, the selection page, a
// run in progress and the About box, on whatever platform Qt is started with (offscreen works).
// The lists are filled with sample names; no server is needed.
//   app_screenshots <folder>

#include "CAboutDlg.h"
#include "CTabwrightDlg.h"
#include "CheckListWidget.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <cstdio>

namespace {

bool save(QWidget& widget, const QDir& folder, const char* name) {
    QApplication::processEvents();
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        return 1;
    }

    CTabwrightDlg window;
    window.show();
    window.findChild<QLineEdit*>("IDC_MYSQL_LOGIN")->setText("shopkeeper");
    window.findChild<QLineEdit*>("IDC_MYSQL_PASSWORD")->setText("password");
    window.findChild<QLineEdit*>("IDC_ORACLE_SERVICE")->setText("FREEPDB1");
    window.findChild<QLineEdit*>("IDC_ORACLE_USER")->setText("SYSTEM");
    window.findChild<QLineEdit*>("IDC_ORACLE_PASSWORD")->setText("password");
    bool saved = save(window, folder, "connection-page.png");

    auto* databases = window.findChild<QListWidget*>("IDC_DATABASE_LIST");
    {
        const QSignalBlocker blocker(databases);
        databases->addItems(
            {"information_schema", "library", "mysql", "performance_schema", "shop", "sys"});
        databases->setCurrentRow(4);
    }
    auto* tables = window.findChild<CheckListWidget*>("IDC_TABLE_LIST");
    const QStringList names = {"customers", "order_items", "orders",
                               "payments",  "products",    "suppliers"};
    for (const QString& name : names) {
        tables->AddCheckItem(name);
    }
    tables->item(0)->setCheckState(Qt::Checked);
    tables->item(2)->setCheckState(Qt::Checked);
    tables->setCurrentRow(2);
    window.findChild<QLabel*>("IDC_DATABASE_COUNT")->setText("6");
    window.findChild<QLabel*>("IDC_TABLE_COUNT")->setText(QString::number(names.size()));
    window.ShowSelectionPage();
    saved = save(window, folder, "selection-page.png") && saved;

    window.BeginRunControls(2);
    window.SetProgressText("1 of 2 Table(s) are converted.");
    window.SetTitle("Converting Table: [ORDERS] 1234 rows converted...");
    for (int tick = 0; tick < 6; ++tick) {
        window.OnTimer();
    }
    window.StepTableBar();
    saved = save(window, folder, "conversion-run.png") && saved;

    CAboutDlg about(&window);
    about.show();
    saved = save(about, folder, "about-box.png") && saved;
    return saved ? 0 : 1;
}
