#pragma once

#include <QDialog>

// The About box: product name, version, support address and web links.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
