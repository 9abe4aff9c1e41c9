#include <QApplication>
#include <QDialog>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QDialog window;
    window.setWindowTitle("Vorlane Database Converter - MySQL to ORACLE");
    window.show();
    return application.exec();
}
