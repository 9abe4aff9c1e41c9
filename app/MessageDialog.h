#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// Every message the program shows the operator: a modal box owned by the main window with the
// caption "Message". Tests install an answerer in place of the person in front of the screen.
class MessageDialog {
public:
    using Answerer = std::function<QMessageBox::StandardButton(
        const QString& text, QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)>;

    static QMessageBox::StandardButton Show(QWidget* owner, const QString& text,
                                            QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // While set, no box opens: the answerer sees each message and gives the button pressed.
    // An empty function restores the real boxes.
    static void SetAnswererForTesting(Answerer answerer);
};
