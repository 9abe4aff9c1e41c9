#include "WindowDriver.h"

#include <QStyleOptionViewItem>
#include <QTest>

MessageAnswerer::MessageAnswerer(QMessageBox::StandardButton answerGiven) : answer(answerGiven) {
    MessageDialog::SetAnswererForTesting(
        [this](const QString& text, QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) {
            messages.append({text, icon, buttons});
            if (onMessage) {
                onMessage(messages.last());
            }
            return answer;
        });
}

MessageAnswerer::~MessageAnswerer() {
    MessageDialog::SetAnswererForTesting({});
}

QStringList MessageAnswerer::texts() const {
    QStringList result;
    for (const ShownMessage& message : messages) {
        result.append(message.text);
    }
    return result;
}

OpenRecorder::OpenRecorder() {
    SetDesktopOpenerForTesting([this](const QString& target, bool maximised) {
        opened.append({target, maximised});
    });
}

OpenRecorder::~OpenRecorder() {
    SetDesktopOpenerForTesting({});
}

bool showAndActivate(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QStringList connectionPageSet() {
    return {"IDC_GROUP_ORACLE",         "IDC_ORACLE_SERVICE_LABEL", "IDC_ORACLE_SERVICE",
            "IDC_ORACLE_USER_LABEL",    "IDC_ORACLE_USER",          "IDC_ORACLE_PASSWORD_LABEL",
            "IDC_ORACLE_PASSWORD",      "IDC_GROUP_MYSQL",          "IDC_MYSQL_SERVER_LABEL",
            "IDC_MYSQL_SERVER",         "IDC_MYSQL_LOGIN_LABEL",    "IDC_MYSQL_LOGIN",
            "IDC_MYSQL_PASSWORD_LABEL", "IDC_MYSQL_PASSWORD"};
}

QStringList selectionPageSet() {
    return {"IDC_GROUP_DATABASES",   "IDC_DATABASE_LIST",        "IDC_GROUP_TABLES",
            "IDC_TABLE_LIST",        "IDC_DATABASE_COUNT_LABEL", "IDC_DATABASE_COUNT",
            "IDC_TABLE_COUNT_LABEL", "IDC_TABLE_COUNT",          "IDC_SELECT_ALL"};
}

QStringList runSet() {
    return {"IDC_WAIT_TEXT",  "IDC_PROGRESS_1", "IDC_PROGRESS_TEXT",
            "IDC_PROGRESS_2", "IDC_STOP",       "IDC_STATIC_CONVERTD"};
}

QStringList alwaysVisible() {
    return {"IDC_STATIC_BANNER", "IDC_STATIC_ARROW", "IDC_STATIC_LOGO", "IDC_STATIC_HELP",
            "IDC_STATIC_EXIT"};
}

QStringList withVisibility(const QWidget& window, const QStringList& names, bool visible) {
    QStringList result;
    for (const QString& name : names) {
        if (control(window, name.toLatin1().constData())->isVisible() == visible) {
            result.append(name);
        }
    }
    return result;
}

QPoint checkMarkCentre(QListWidget* list, int row) {
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualItemRect(list->item(row));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = list->item(row)->text();
    return list->style()
        ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list)
        .center();
}
