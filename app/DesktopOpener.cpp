#include "DesktopOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {
std::function<void(const QString&, bool)>& testOpener() {
    static std::function<void(const QString&, bool)> opener;
    return opener;
}
} // namespace

void OpenWithDesktop(const QString& target, bool maximised) {
    if (testOpener()) {
        testOpener()(target, maximised);
        return;
    }
    // Linux desktops choose the window state of the opened document themselves.
    const QUrl url = QFileInfo(target).isAbsolute() ? QUrl::fromLocalFile(target) : QUrl(target);
    QDesktopServices::openUrl(url);
}

void SetDesktopOpenerForTesting(std::function<void(const QString&, bool)> opener) {
    testOpener() = std::move(opener);
}
