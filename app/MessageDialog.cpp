#include "MessageDialog.h"

namespace {
MessageDialog::Answerer& testAnswerer() {
    static MessageDialog::Answerer answerer;
    return answerer;
}
} // namespace

QMessageBox::StandardButton MessageDialog::Show(QWidget* owner, const QString& text,
                                                QMessageBox::Icon icon,
                                                QMessageBox::StandardButtons buttons) {
    if (testAnswerer()) {
        return testAnswerer()(text, icon, buttons);
    }
    QMessageBox box(icon, QStringLiteral("Message"), text, buttons, owner);
    box.setWindowModality(Qt::ApplicationModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageDialog::SetAnswererForTesting(Answerer answerer) {
    testAnswerer() = std::move(answerer);
}
