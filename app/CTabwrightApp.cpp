#include "CTabwrightApp.h"

#include "CTabwrightDlg.h"

#include <QCoreApplication>

bool CTabwrightApp::InitInstance() {
    // Qt's widgets, the progress bar among them, need no registration before use.
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Tabwright"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TABWRIGHT_VERSION));

    CTabwrightDlg window;
    window.exec();
    return false;
}
