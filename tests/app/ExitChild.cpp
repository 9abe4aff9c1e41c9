// The real main window in a process of its own, for the exit path that ends the process: it
// reads the six fields, the database and the tables to check from stdin, converts, and once
// the rows of the watched table are being copied presses Esc and answers Yes. Everything the
// window shows or opens is printed on stdout.

#include "CTabwrightDlg.h"
#include "CheckListWidget.h"
#include "DesktopOpener.h"
#include "MessageDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QString readLine() {
    std::string line;
    std::getline(std::cin, line);
    return QString::fromStdString(line);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const char* const names[] = {"IDC_MYSQL_SERVER",   "IDC_MYSQL_LOGIN", "IDC_MYSQL_PASSWORD",
                                 "IDC_ORACLE_SERVICE", "IDC_ORACLE_USER", "IDC_ORACLE_PASSWORD"};
    QStringList fields;
    for (int i = 0; i < 6; ++i) {
        fields.append(readLine());
    }
    const QString database = readLine();
    const QStringList tables = readLine().split(',');
    // Esc is pressed when the title reports this many rows of a table.
    const QString trigger = readLine();

    MessageDialog::SetAnswererForTesting(
        [](const QString& text, QMessageBox::Icon, QMessageBox::StandardButtons buttons) {
            say("message " + text);
            return buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
    SetDesktopOpenerForTesting([](const QString& target, bool) { say("opened " + target); });

    CTabwrightDlg window;
    window.show();
    for (int i = 0; i < 6; ++i) {
        window.findChild<QLineEdit*>(names[i])->setText(fields[i]);
    }
    window.OnNext();
    auto* databaseList = window.findChild<QListWidget*>("IDC_DATABASE_LIST");
    const QList<QListWidgetItem*> found = databaseList->findItems(database, Qt::MatchExactly);
    if (found.isEmpty()) {
        say("no database " + database);
        return 2;
    }
    databaseList->setCurrentItem(found.first());
    auto* tableList = window.findChild<CheckListWidget*>("IDC_TABLE_LIST");
    for (const QString& table : tables) {
        for (QListWidgetItem* item : tableList->findItems(table, Qt::MatchExactly)) {
            item->setCheckState(Qt::Checked);
        }
    }

    bool pressed = false;
    QObject::connect(&window, &QWidget::windowTitleChanged, &window, [&](const QString& title) {
        if (!pressed && title == trigger) {
            pressed = true;
            QTimer::singleShot(0, &window, [&] {
                say("escape");
                QTest::keyClick(tableList, Qt::Key_Escape);
                say("still running after yes");
            });
        }
    });
    window.OnConvert();
    window.exec();
    say("window closed");
    return 3;
}
