#pragma once

#include <QCursor>
#include <QDialog>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;

// The About box: product name, version, support address and the two web addresses. The three
// addresses act as links: a pointing hand over them, a click opens them through the desktop.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    static const QString& SupportEmail();
    static const QString& WebAddress();
    static const QString& SecondWebAddress();

    // The box is laid out in dialog units of its 8-point font: 1.5 pixels across, 1.625 down.
    static QRect DialogUnitsToPixels(int x, int y, int width, int height);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* AddLabel(const QString& text, const QRect& units, const char* objectName = nullptr);
    void OnEmailLink();
    void OnWebLink();
    void OnSecondWebLink();

    QCursor m_handCursor;
    QLabel* m_emailLink = nullptr;
    QLabel* m_webLink = nullptr;
    QLabel* m_secondWebLink = nullptr;
    QPushButton* m_okButton = nullptr;
};
