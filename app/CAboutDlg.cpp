#include "CAboutDlg.h"

#include "DesktopOpener.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

#include <cmath>

namespace {

const QColor kPageBackground(240, 247, 255);
const QColor kPlainText(0, 0, 0);
const QColor kLinkText(0, 70, 213);

const QString kProductName = QStringLiteral("Vorlane Database Converter - MySQL to ORACLE");

} // namespace

const QString& CAboutDlg::SupportEmail() {
    static const QString address = QStringLiteral("support@tabwright.example");
    return address;
}

const QString& CAboutDlg::WebAddress() {
    static const QString address = QStringLiteral("https://tabwright.example/");
    return address;
}

const QString& CAboutDlg::SecondWebAddress() {
    static const QString address = QStringLiteral("https://tabwright.example/downloads");
    return address;
}

QRect CAboutDlg::DialogUnitsToPixels(int x, int y, int width, int height) {
    auto across = [](int units) { return static_cast<int>(std::lround(units * 1.5)); };
    auto down = [](int units) { return static_cast<int>(std::lround(units * 1.625)); };
    return {across(x), down(y), across(width), down(height)};
}

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_handCursor(QPixmap(QStringLiteral(":/res/hand_cursor.png")), 12, 1) {
    setWindowTitle(kProductName);
    setAccessibleName(QStringLiteral("About ") + kProductName);
    setFixedSize(DialogUnitsToPixels(0, 0, 296, 90).size());

    // One palette for the box's life: page colour behind everything, plain texts black.
    QPalette page = palette();
    page.setColor(QPalette::Window, kPageBackground);
    page.setColor(QPalette::WindowText, kPlainText);
    setPalette(page);
    setAutoFillBackground(true);
    // The same dialog font as the main window, which a top-level box does not inherit.
    QFont dialogFont = parent != nullptr ? parent->font() : font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    setCursor(Qt::ArrowCursor);

    auto* logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/res/about_logo.png")));
    // A picture control takes the size of its bitmap.
    logo->setGeometry(QRect(DialogUnitsToPixels(5, 2, 65, 60).topLeft(), QSize(97, 97)));
    logo->setAccessibleName(QStringLiteral("Vorlane logo"));

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("IDOK"));
    m_okButton->setGeometry(DialogUnitsToPixels(239, 72, 50, 14));
    m_okButton->setDefault(true);
    m_okButton->setAccessibleName(QStringLiteral("OK"));
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    AddLabel(kProductName, QRect(95, 12, 178, 8));
    AddLabel(QStringLiteral("Version : ") + QStringLiteral(TABWRIGHT_VERSION),
             QRect(126, 22, 55, 8));
    AddLabel(QStringLiteral("Copyright \u00A9 2026 Tabwright developers"), QRect(115, 32, 78, 8));
    const QLabel* emailLabel = AddLabel(QStringLiteral("Email:"), QRect(93, 45, 20, 8));
    m_emailLink = AddLabel(SupportEmail(), QRect(115, 45, 92, 8), "IDC_EMAIL_LINK");
    // The address keeps its small gap after "Email:" when that word came out wider.
    const int gap = DialogUnitsToPixels(2, 0, 0, 0).x();
    if (m_emailLink->x() < emailLabel->geometry().right() + 1 + gap) {
        m_emailLink->move(emailLabel->geometry().right() + 1 + gap, m_emailLink->y());
    }
    m_webLink = AddLabel(WebAddress(), QRect(93, 56, 101, 8), "IDC_WEB_LINK");
    m_secondWebLink = AddLabel(SecondWebAddress(), QRect(93, 65, 120, 8), "IDC_WEB_LINK2");

    QPalette link = page;
    link.setColor(QPalette::WindowText, kLinkText);
    const QString descriptions[] = {QStringLiteral("Writes an e-mail to support"),
                                    QStringLiteral("Opens the product web site"),
                                    QStringLiteral("Opens the download page")};
    int i = 0;
    for (QLabel* label : {m_emailLink, m_webLink, m_secondWebLink}) {
        label->setPalette(link);
        label->setCursor(m_handCursor);
        label->setAccessibleDescription(descriptions[i++]);
        label->installEventFilter(this);
    }
    m_okButton->setFocus();
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::showEvent(QShowEvent* event) {
    // Fonts are final only once the box is polished for showing: a label whose text came out
    // wider than measured at construction grows to the right rather than cutting its text.
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->pixmap().isNull()) {
            label->resize(qMax(label->width(), label->sizeHint().width()), label->height());
        }
    }
    QDialog::showEvent(event);
}

QLabel* CAboutDlg::AddLabel(const QString& text, const QRect& units, const char* objectName) {
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (objectName != nullptr) {
        label->setObjectName(QString::fromLatin1(objectName));
    }
    label->setAccessibleName(text);
    QRect pixels = DialogUnitsToPixels(units.x(), units.y(), units.width(), units.height());
    // The layout was measured for the Windows dialog font; where the desktop's font is wider,
    // the label grows to the right instead of cutting its text.
    pixels.setWidth(qMax(pixels.width(), label->sizeHint().width()));
    label->setGeometry(pixels);
    return label;
}

bool CAboutDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(watched);
        // A click counts when the button goes up over the same link it went down on.
        if (label != nullptr && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            if (label == m_emailLink) {
                OnEmailLink();
            } else if (label == m_webLink) {
                OnWebLink();
            } else if (label == m_secondWebLink) {
                OnSecondWebLink();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CAboutDlg::OnEmailLink() {
    OpenWithDesktop(QStringLiteral("mailto:") + SupportEmail());
}

void CAboutDlg::OnWebLink() {
    OpenWithDesktop(WebAddress());
}

void CAboutDlg::OnSecondWebLink() {
    OpenWithDesktop(SecondWebAddress());
}
