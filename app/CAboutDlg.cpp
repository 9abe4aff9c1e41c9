#include "CAboutDlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Vorlane Database Converter - MySQL to ORACLE");
}
