#include "CTabwrightApp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    CTabwrightApp app;
    app.InitInstance();
    return 0;
}
