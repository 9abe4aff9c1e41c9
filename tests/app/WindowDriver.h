#pragma once

#include "CTabwrightDlg.h"
#include "DesktopOpener.h"
#include "MessageDialog.h"

#include <QList>
#include <QListWidget>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

// What a message box of the window would have shown.
struct ShownMessage {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers every message box of the window in place of a person, and remembers what it saw.
// The answer may be changed while a test runs; onMessage runs before the answer is given.
class MessageAnswerer {
public:
    explicit MessageAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok);
    ~MessageAnswerer();
    MessageAnswerer(const MessageAnswerer&) = delete;
    MessageAnswerer& operator=(const MessageAnswerer&) = delete;

    QList<ShownMessage> messages;
    QMessageBox::StandardButton answer;
    std::function<void(const ShownMessage&)> onMessage;

    QStringList texts() const;
};

// Records what the window asks the desktop to open instead of opening it.
class OpenRecorder {
public:
    OpenRecorder();
    ~OpenRecorder();
    OpenRecorder(const OpenRecorder&) = delete;
    OpenRecorder& operator=(const OpenRecorder&) = delete;

    struct Opened {
        QString target;
        bool maximised = false;
    };
    QList<Opened> opened;
};

// A control of the window by its object name; the test aborts when it does not exist.
template <typename T = QWidget> T* control(const QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        qFatal("the window has no control %s of the expected kind", name);
    }
    return widget;
}

// The window shown and active, with its keyboard focus where start-up puts it.
bool showAndActivate(QWidget& window);

// The names of those controls whose visibility is the given one.
QStringList withVisibility(const QWidget& window, const QStringList& names, bool visible);

// Where a click toggles the check mark of a row of a check list.
QPoint checkMarkCentre(QListWidget* list, int row);

// The control names of each page set, and the controls that are always visible.
QStringList connectionPageSet();
QStringList selectionPageSet();
QStringList runSet();
QStringList alwaysVisible();
