#include "CTabwrightDlg.h"

#include "CAboutDlg.h"
#include "CheckListWidget.h"
#include "ConversionEngine.h"
#include "ConversionRun.h"
#include "DesktopOpener.h"
#include "ExtentListWidget.h"
#include "ImageButton.h"
#include "MessageDialog.h"
#include "SourceConnection.h"
#include "TargetConnection.h"
#include "ui_CTabwrightDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

const QColor kPageBackground(240, 247, 255);
const QColor kLabelText(0, 70, 213);

constexpr int kActivityBarStep = 10;

#ifdef Q_OS_WIN
// The About entry that start-up adds to the system menu.
constexpr UINT kAboutCommand = 0x0010;
#endif

QMessageBox::Icon ToBoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Grows the list's sideways scroll width to hold the name about to be added: the widest name
// so far plus one average character and 20 pixels of margin.
void ApplyExtentRule(ExtentListWidget* list, const QString& name, int& maximum) {
    const QFontMetrics metrics(list->font());
    const int width = metrics.averageCharWidth() + metrics.horizontalAdvance(name);
    if (width > maximum) {
        maximum = width + 20;
    }
    list->SetHorizontalExtent(maximum);
}

} // namespace

CTabwrightDlg::CTabwrightDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::CTabwrightDlg>()) {
    for (const int size : {16, 24, 32, 48, 256}) {
        m_hIcon.addFile(QStringLiteral(":/res/icon_%1.png").arg(size), QSize(size, size));
    }
    m_ui->setupUi(this);
    m_stopButton = m_ui->IDC_STOP;
    OnInitDialog();
}

CTabwrightDlg::~CTabwrightDlg() {
    qApp->removeEventFilter(this);
    // Only a test can get here with a run still working (the operator's exit ends the process
    // instead): let the run stop at its next table, answering its window calls meanwhile.
    ConversionRun& run = TheConversionRun();
    if (run.workerThread.joinable()) {
        run.stopRequested = 1;
        while (run.workerRunning) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        run.workerThread.join();
    }
}

const QString& CTabwrightDlg::Title() {
    static const QString title = QStringLiteral("Vorlane Database Converter - MySQL to ORACLE");
    return title;
}

const QString& CTabwrightDlg::ProductPageAddress() {
    static const QString address = QStringLiteral("https://tabwright.example/");
    return address;
}

QString CTabwrightDlg::HelpFilePath() {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/chm.chm"));
#else
    return QCoreApplication::applicationDirPath() + QStringLiteral("/tabwright-help.html");
#endif
}

void CTabwrightDlg::OnInitDialog() {
#ifdef Q_OS_WIN
    // Windows only: the About entry at the end of the native system menu.
    if (HMENU systemMenu = ::GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
        systemMenu != nullptr && !Title().isEmpty()) {
        ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(systemMenu, MF_STRING, kAboutCommand,
                      reinterpret_cast<LPCWSTR>(Title().utf16()));
    }
#endif
    setWindowIcon(m_hIcon);
    TheConversionRun().quoteTargetName = 0;

    const auto makeButton = [this](const char* name, QPoint topLeft, const QString& normal,
                                   const QString& pressed, const QString& focused,
                                   const QString& disabled, QSize imageSize) {
        auto* button = new ImageButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->move(topLeft);
        button->LoadImages(normal, pressed, focused, disabled);
        button->SizeToContent(imageSize);
        button->show();
        return button;
    };
    const QSize tile(70, 61);
    m_pLogoButton =
        makeButton("IDC_STATIC_LOGO", {20, 7}, ":/res/logo.png", ":/res/logo_pressed.png",
                   ":/res/logo.png", ":/res/logo_pressed.png", QSize(73, 66));
    m_pConvertButton = makeButton("IDC_STATIC_CONVERT", {535, 455}, ":/res/convert.png",
                                  ":/res/convert_pressed.png", ":/res/convert.png",
                                  ":/res/convert_pressed.png", tile);
    m_pHelpButton =
        makeButton("IDC_STATIC_HELP", {395, 455}, ":/res/help.png", ":/res/help_pressed.png",
                   ":/res/help.png", ":/res/help_pressed.png", tile);
    m_pExitButton =
        makeButton("IDC_STATIC_EXIT", {465, 455}, ":/res/exit.png", ":/res/exit_pressed.png",
                   ":/res/exit.png", ":/res/exit_pressed.png", tile);
    m_pNextButton =
        makeButton("IDC_STATIC_NEXT", {535, 455}, ":/res/next.png", ":/res/next_pressed.png",
                   ":/res/next.png", ":/res/next_pressed.png", tile);
    m_pConvertDisabledImage =
        makeButton("IDC_STATIC_CONVERTD", {535, 455}, ":/res/convert_disabled.png",
                   ":/res/convert_disabled.png", ":/res/convert_disabled.png",
                   ":/res/convert_disabled.png", tile);
    m_pBackButton =
        makeButton("IDC_STATIC_BACK", {326, 455}, ":/res/back.png", ":/res/back_pressed.png",
                   ":/res/back.png", ":/res/back_pressed.png", tile);

    // Stop keeps the place and size it has in the window layout.
    m_stopButton->LoadImages(":/res/stop.png", ":/res/stop_pressed.png", ":/res/stop.png",
                             ":/res/stop.png");

    m_stopButton->hide();
    m_pConvertButton->hide();
    m_pConvertDisabledImage->hide();
    m_pBackButton->hide();
    SetSelectionPageVisible(false);
    m_ui->IDC_PROGRESS_1->hide();
    m_ui->IDC_PROGRESS_2->hide();
    m_ui->IDC_WAIT_TEXT->hide();
    m_ui->IDC_CONVERTED_LABEL->hide();
    m_ui->IDC_PROGRESS_TEXT->hide();

    m_ui->IDC_MYSQL_SERVER->setText(QStringLiteral("localhost"));

    ApplyAppearance();
    ApplyAccessibleNames();

    connect(m_pNextButton, &QAbstractButton::clicked, this, &CTabwrightDlg::OnNext);
    connect(m_pBackButton, &QAbstractButton::clicked, this, &CTabwrightDlg::OnBack);
    connect(m_ui->IDC_DATABASE_LIST, &QListWidget::itemSelectionChanged, this,
            &CTabwrightDlg::OnDatabaseSelChange);
    connect(m_ui->IDC_TABLE_LIST, &QListWidget::itemSelectionChanged, this,
            &CTabwrightDlg::OnTableSelChange);
    connect(m_ui->IDC_SELECT_ALL, &QAbstractButton::clicked, this, &CTabwrightDlg::OnSelectAll);
    connect(m_pConvertButton, &QAbstractButton::clicked, this, &CTabwrightDlg::OnConvert);
    connect(m_stopButton, &QAbstractButton::clicked, this, &CTabwrightDlg::OnStop);
    connect(m_pExitButton, &QAbstractButton::clicked, this, &CTabwrightDlg::OnClose);
    connect(m_pHelpButton, &QAbstractButton::clicked, this, &CTabwrightDlg::OnHelpButton);
    connect(m_pLogoButton, &QAbstractButton::clicked, this, &CTabwrightDlg::OnLogoButton);
    m_activityTimer.setInterval(10);
    connect(&m_activityTimer, &QTimer::timeout, this, &CTabwrightDlg::OnTimer);

    // Keys are looked at before any control of this window sees them.
    qApp->installEventFilter(this);

    m_ui->IDC_MYSQL_LOGIN->setFocus();
}

void CTabwrightDlg::ApplyAppearance() {
    setFixedSize(627, 527);

    // One palette, set once: the page colour everywhere, standard colours in fields and lists.
    QPalette page = palette();
    page.setColor(QPalette::Window, kPageBackground);
    setPalette(page);
    setAutoFillBackground(true);

    // The layout was made for the 8-point dialog font of Windows; Liberation Sans has Arial's
    // metrics and keeps the texts inside their places on Linux.
    QFont dialogFont = font();
    dialogFont.setFamilies({QStringLiteral("MS Shell Dlg 2"), QStringLiteral("Tahoma"),
                            QStringLiteral("Liberation Sans")});
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    QPalette coloured = page;
    coloured.setColor(QPalette::WindowText, kLabelText);
    coloured.setColor(QPalette::Text, kLabelText);
    coloured.setColor(QPalette::ButtonText, kLabelText);
    QWidget* const colouredControls[] = {
        m_ui->IDC_GROUP_ORACLE,
        m_ui->IDC_GROUP_MYSQL,
        m_ui->IDC_MYSQL_LOGIN_LABEL,
        m_ui->IDC_MYSQL_PASSWORD_LABEL,
        m_ui->IDC_ORACLE_PASSWORD_LABEL,
        m_ui->IDC_ORACLE_USER_LABEL,
        m_ui->IDC_ORACLE_SERVICE_LABEL,
        m_ui->IDC_MYSQL_SERVER_LABEL,
        m_ui->IDC_GROUP_DATABASES,
        m_ui->IDC_GROUP_TABLES,
        m_ui->IDC_DATABASE_COUNT_LABEL,
        m_ui->IDC_DATABASE_COUNT,
        m_ui->IDC_TABLE_COUNT_LABEL,
        m_ui->IDC_TABLE_COUNT,
        m_ui->IDC_SELECT_ALL,
        m_ui->IDC_PROGRESS_1,
        m_ui->IDC_PROGRESS_2,
        m_ui->IDC_WAIT_TEXT,
        m_ui->IDC_CONVERTED_LABEL,
        m_ui->IDC_PROGRESS_TEXT,
    };
    for (QWidget* control : colouredControls) {
        control->setPalette(coloured);
        if (qobject_cast<QLabel*>(control) != nullptr) {
            // Labels paint their own page-coloured background behind the text.
            control->setAutoFillBackground(true);
        }
    }

    // A label whose text is a little wider in this platform's font than in the one the layout
    // was made for grows to the right instead of cutting its text off.
    // It stops short of the field beside it.
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QLabel* label : findChildren<QLabel*>()) {
        if (!label->pixmap().isNull() || label->sizeHint().width() <= label->width()) {
            continue;
        }
        int right = label->x() + label->sizeHint().width();
        for (const QWidget* other : children) {
            const QRect place = other->geometry();
            if (qobject_cast<const QLineEdit*>(other) != nullptr && place.left() > label->x() &&
                place.top() < label->geometry().bottom() &&
                place.bottom() > label->geometry().top()) {
                right = std::min(right, place.left() - 2);
            }
        }
        label->resize(std::max(label->width(), right - label->x()), label->height());
    }

    m_groupFont.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    m_groupFont.setStyleHint(QFont::SansSerif);
    m_groupFont.setPixelSize(16);
    m_groupFont.setWeight(QFont::Bold);
    QGroupBox* const groups[] = {m_ui->IDC_GROUP_MYSQL, m_ui->IDC_GROUP_ORACLE,
                                 m_ui->IDC_GROUP_DATABASES, m_ui->IDC_GROUP_TABLES};
    for (QGroupBox* group : groups) {
        group->setFont(m_groupFont);
        // The group boxes only frame the controls drawn over them; they must not take their
        // clicks.
        group->lower();
    }
}

void CTabwrightDlg::ApplyAccessibleNames() {
    const auto name = [](QWidget* widget, const QString& text) { widget->setAccessibleName(text); };
    name(m_ui->IDC_MYSQL_SERVER, QStringLiteral("MySQL Server"));
    name(m_ui->IDC_MYSQL_LOGIN, QStringLiteral("Login Name"));
    name(m_ui->IDC_MYSQL_PASSWORD, QStringLiteral("MySQL Password"));
    name(m_ui->IDC_ORACLE_SERVICE, QStringLiteral("Service Name"));
    name(m_ui->IDC_ORACLE_USER, QStringLiteral("User Name"));
    name(m_ui->IDC_ORACLE_PASSWORD, QStringLiteral("Oracle Password"));
    name(m_ui->IDC_MYSQL_SERVER_LABEL, QStringLiteral("MySQL Server"));
    name(m_ui->IDC_MYSQL_LOGIN_LABEL, QStringLiteral("Login Name"));
    name(m_ui->IDC_MYSQL_PASSWORD_LABEL, QStringLiteral("Password"));
    name(m_ui->IDC_ORACLE_SERVICE_LABEL, QStringLiteral("Service Name"));
    name(m_ui->IDC_ORACLE_USER_LABEL, QStringLiteral("User Name"));
    name(m_ui->IDC_ORACLE_PASSWORD_LABEL, QStringLiteral("Password"));
    m_ui->IDC_MYSQL_SERVER_LABEL->setBuddy(m_ui->IDC_MYSQL_SERVER);
    m_ui->IDC_MYSQL_LOGIN_LABEL->setBuddy(m_ui->IDC_MYSQL_LOGIN);
    m_ui->IDC_MYSQL_PASSWORD_LABEL->setBuddy(m_ui->IDC_MYSQL_PASSWORD);
    m_ui->IDC_ORACLE_SERVICE_LABEL->setBuddy(m_ui->IDC_ORACLE_SERVICE);
    m_ui->IDC_ORACLE_USER_LABEL->setBuddy(m_ui->IDC_ORACLE_USER);
    m_ui->IDC_ORACLE_PASSWORD_LABEL->setBuddy(m_ui->IDC_ORACLE_PASSWORD);
    name(m_ui->IDC_GROUP_MYSQL, QStringLiteral("MySQL"));
    name(m_ui->IDC_GROUP_ORACLE, QStringLiteral("Oracle"));
    name(m_ui->IDC_GROUP_DATABASES, QStringLiteral("Select MySQL Database"));
    name(m_ui->IDC_GROUP_TABLES, QStringLiteral("Select MySQL Table(s)"));
    name(m_ui->IDC_DATABASE_LIST, QStringLiteral("Select MySQL Database"));
    name(m_ui->IDC_TABLE_LIST, QStringLiteral("Select MySQL Table(s)"));
    name(m_ui->IDC_DATABASE_COUNT_LABEL, QStringLiteral("Total Number of Database(s)"));
    name(m_ui->IDC_DATABASE_COUNT, QStringLiteral("Number of Databases"));
    name(m_ui->IDC_TABLE_COUNT_LABEL, QStringLiteral("Total Number of Table(s)"));
    name(m_ui->IDC_TABLE_COUNT, QStringLiteral("Number of Tables"));
    name(m_ui->IDC_SELECT_ALL, QStringLiteral("Select All"));
    name(m_ui->IDC_WAIT_TEXT, m_ui->IDC_WAIT_TEXT->text());
    name(m_ui->IDC_PROGRESS_TEXT, QStringLiteral("Converted Tables"));
    name(m_ui->IDC_PROGRESS_1, QStringLiteral("Activity"));
    name(m_ui->IDC_PROGRESS_2, QStringLiteral("Tables Converted"));
    name(m_ui->IDC_CONVERTED_LABEL, QStringLiteral("Converted Tables(s)"));
    name(m_ui->IDC_STATIC_BANNER, Title());
    name(m_ui->IDC_STATIC_ARROW, QStringLiteral("From MySQL to Oracle"));
    name(m_pLogoButton, QStringLiteral("About"));
    name(m_pNextButton, QStringLiteral("Next"));
    name(m_pConvertButton, QStringLiteral("Convert"));
    name(m_pConvertDisabledImage, QStringLiteral("Convert"));
    name(m_pHelpButton, QStringLiteral("Help"));
    name(m_pExitButton, QStringLiteral("Exit"));
    name(m_pBackButton, QStringLiteral("Back"));
    name(m_stopButton, QStringLiteral("Stop"));
    m_pConvertDisabledImage->setAccessibleDescription(QStringLiteral("Conversion in progress"));
}

void CTabwrightDlg::SetConnectionPageVisible(bool visible) {
    QWidget* const controls[] = {
        m_ui->IDC_GROUP_ORACLE,         m_ui->IDC_ORACLE_SERVICE_LABEL,
        m_ui->IDC_ORACLE_SERVICE,       m_ui->IDC_ORACLE_USER_LABEL,
        m_ui->IDC_ORACLE_USER,          m_ui->IDC_ORACLE_PASSWORD_LABEL,
        m_ui->IDC_ORACLE_PASSWORD,      m_ui->IDC_GROUP_MYSQL,
        m_ui->IDC_MYSQL_SERVER_LABEL,   m_ui->IDC_MYSQL_SERVER,
        m_ui->IDC_MYSQL_LOGIN_LABEL,    m_ui->IDC_MYSQL_LOGIN,
        m_ui->IDC_MYSQL_PASSWORD_LABEL, m_ui->IDC_MYSQL_PASSWORD,
    };
    for (QWidget* control : controls) {
        control->setVisible(visible);
    }
}

void CTabwrightDlg::SetSelectionPageVisible(bool visible) {
    QWidget* const controls[] = {
        m_ui->IDC_GROUP_DATABASES,   m_ui->IDC_DATABASE_LIST,        m_ui->IDC_GROUP_TABLES,
        m_ui->IDC_TABLE_LIST,        m_ui->IDC_DATABASE_COUNT_LABEL, m_ui->IDC_DATABASE_COUNT,
        m_ui->IDC_TABLE_COUNT_LABEL, m_ui->IDC_TABLE_COUNT,          m_ui->IDC_SELECT_ALL,
    };
    for (QWidget* control : controls) {
        control->setVisible(visible);
    }
}

void CTabwrightDlg::ShowSelectionPage() {
    SetConnectionPageVisible(false);
    m_pNextButton->hide();
    m_pConvertButton->show();
    m_pBackButton->show();
    SetSelectionPageVisible(true);
}

void CTabwrightDlg::ShowConnectionPage() {
    SetConnectionPageVisible(true);
    m_pNextButton->show();
    m_pConvertButton->hide();
    m_pBackButton->hide();
    SetSelectionPageVisible(false);
}

void CTabwrightDlg::OnNext() {
    // Qt needs no per-thread set-up of a component model before the Oracle layer is used.
    m_strOracleService = m_ui->IDC_ORACLE_SERVICE->text();
    m_strOracleUser = m_ui->IDC_ORACLE_USER->text();
    m_strOraclePassword = m_ui->IDC_ORACLE_PASSWORD->text();
    m_strMySqlServer = m_ui->IDC_MYSQL_SERVER->text();
    m_strMySqlLogin = m_ui->IDC_MYSQL_LOGIN->text();
    m_strMySqlPassword = m_ui->IDC_MYSQL_PASSWORD->text();

    struct RequiredField {
        const QString& text;
        QLineEdit* field;
        const char* message;
    };
    const auto firstEmpty = [this](std::initializer_list<RequiredField> fields) {
        for (const RequiredField& required : fields) {
            if (required.text.isEmpty()) {
                MessageDialog::Show(this, QString::fromLatin1(required.message),
                                    QMessageBox::Information);
                required.field->setFocus();
                return true;
            }
        }
        return false;
    };

    if (firstEmpty({
            {m_strMySqlServer, m_ui->IDC_MYSQL_SERVER, "Please enter MySQL Server Name."},
            {m_strMySqlLogin, m_ui->IDC_MYSQL_LOGIN, "Please enter MySQL Login Name."},
            {m_strMySqlPassword, m_ui->IDC_MYSQL_PASSWORD, "Please enter MySQL Password."},
        })) {
        return;
    }

    if (!TheSourceConnection().Connect(m_strMySqlServer.toStdString(),
                                       m_strMySqlLogin.toStdString(),
                                       m_strMySqlPassword.toStdString())) {
        MessageDialog::Show(this,
                            QStringLiteral("There is an error to connect with MySQL. Please check "
                                           "your input parameters or server configuration."),
                            QMessageBox::NoIcon);
        m_ui->IDC_MYSQL_LOGIN->clear();
        m_ui->IDC_MYSQL_PASSWORD->clear();
        m_ui->IDC_MYSQL_LOGIN->setFocus();
        return;
    }

    if (firstEmpty({
            {m_strOracleService, m_ui->IDC_ORACLE_SERVICE, "Please enter ORACLE Service Name."},
            {m_strOracleUser, m_ui->IDC_ORACLE_USER, "Please enter ORACLE User Name."},
            {m_strOraclePassword, m_ui->IDC_ORACLE_PASSWORD, "Please enter ORACLE Password."},
        })) {
        return;
    }

    try {
        TheTargetConnection().Open(m_strOracleService.toStdString(), m_strOracleUser.toStdString(),
                                   m_strOraclePassword.toStdString());
    } catch (const TargetError& error) {
        switch (ClassifyConnectError(TargetConnection::ErrorText(error), error.oracleErrorNumber)) {
        case ConnectErrorClass::BadServiceName:
            MessageDialog::Show(this, QStringLiteral("Invalid ORACLE Service Name."),
                                QMessageBox::NoIcon);
            m_ui->IDC_ORACLE_SERVICE->clear();
            m_ui->IDC_ORACLE_SERVICE->setFocus();
            break;
        case ConnectErrorClass::BadCredentials:
            MessageDialog::Show(this,
                                QStringLiteral("There is an error to connect with ORACLE. Please "
                                               "check your input parameters User Name/Password."),
                                QMessageBox::NoIcon);
            m_ui->IDC_ORACLE_USER->clear();
            m_ui->IDC_ORACLE_PASSWORD->clear();
            m_ui->IDC_ORACLE_USER->setFocus();
            break;
        case ConnectErrorClass::Unavailable:
            MessageDialog::Show(this,
                                QStringLiteral("Either ORACLE Database could not be initialized "
                                               "or System Shutdown is in Progress."),
                                QMessageBox::NoIcon);
            break;
        }
        return;
    }

    FillDatabaseList();
    if (m_ui->IDC_DATABASE_LIST->count() > 0) {
        FillTableList(m_ui->IDC_DATABASE_LIST->item(0)->text());
    } else {
        // A server that lists no database: nothing to choose, and no table to list.
        const QSignalBlocker blocker(m_ui->IDC_TABLE_LIST);
        m_ui->IDC_TABLE_LIST->clear();
        m_ui->IDC_TABLE_COUNT->setText(QStringLiteral("0"));
    }
    ShowSelectionPage();
}

void CTabwrightDlg::OnBack() {
    m_ui->IDC_ORACLE_SERVICE->clear();
    m_ui->IDC_ORACLE_USER->clear();
    m_ui->IDC_ORACLE_PASSWORD->clear();
    m_ui->IDC_MYSQL_LOGIN->clear();
    m_ui->IDC_MYSQL_PASSWORD->clear();
    m_ui->IDC_SELECT_ALL->setChecked(false);
    {
        const QSignalBlocker blocker(m_ui->IDC_TABLE_LIST);
        m_ui->IDC_TABLE_LIST->clear();
    }
    ShowConnectionPage();
}

void CTabwrightDlg::FillDatabaseList() {
    ExtentListWidget* list = m_ui->IDC_DATABASE_LIST;
    // Filling is not the operator's choice: no selection change is reported.
    const QSignalBlocker blocker(list);
    list->clear();
    m_ui->IDC_DATABASE_COUNT->setText(QStringLiteral("0"));
    const std::vector<std::string> names = TheSourceConnection().ListDatabases();
    int extent = 0;
    for (const std::string& name : names) {
        const QString text = QString::fromStdString(name);
        ApplyExtentRule(list, text, extent);
        list->addItem(text);
    }
    m_ui->IDC_DATABASE_COUNT->setText(QString::number(names.size()));
    if (list->count() > 0) {
        list->setCurrentRow(0);
    }
}

void CTabwrightDlg::FillTableList(const QString& database) {
    TheSourceConnection().UseDatabase(database.toStdString());
    const std::vector<std::string> names = TheSourceConnection().ListTables();

    std::vector<std::string>& tableNames = TableNames();
    tableNames.assign(std::max(kTableNameSlots, names.size()), std::string());
    m_ui->IDC_TABLE_COUNT->setText(QStringLiteral("0"));

    CheckListWidget* list = m_ui->IDC_TABLE_LIST;
    const QSignalBlocker blocker(list);
    int extent = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString text = QString::fromStdString(names[i]);
        ApplyExtentRule(list, text, extent);
        list->AddCheckItem(text);
        m_ui->IDC_TABLE_COUNT->setText(QString::number(i + 1));
        tableNames[i] = names[i];
    }
    if (list->count() > 0) {
        list->setCurrentRow(0);
    }
    m_ui->IDC_SELECT_ALL->setVisible(list->count() >= 1);
}

void CTabwrightDlg::OnDatabaseSelChange() {
    m_ui->IDC_SELECT_ALL->setChecked(false);
    const QList<QListWidgetItem*> selected = m_ui->IDC_DATABASE_LIST->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    {
        const QSignalBlocker blocker(m_ui->IDC_TABLE_LIST);
        m_ui->IDC_TABLE_LIST->clear();
    }
    FillTableList(selected.first()->text());
}

void CTabwrightDlg::OnSelectAll() {
    m_pBackButton->setFocus();
    CheckListWidget* list = m_ui->IDC_TABLE_LIST;
    const int count = list->count();
    CheckedTables().resize(static_cast<std::size_t>(count));
    const bool checked = m_ui->IDC_SELECT_ALL->isChecked();
    for (int i = 0; i < count; ++i) {
        list->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    if (!checked) {
        CheckedTables().clear();
    }
}

void CTabwrightDlg::OnTableSelChange() {
    CheckListWidget* list = m_ui->IDC_TABLE_LIST;
    const int count = list->count();
    CheckedTables().resize(static_cast<std::size_t>(count));
    if (count < 1) {
        return;
    }
    bool allChecked = true;
    for (int i = 0; i < count && allChecked; ++i) {
        allChecked = list->item(i)->checkState() == Qt::Checked;
    }
    m_ui->IDC_SELECT_ALL->setChecked(allChecked);
}

void CTabwrightDlg::OnConvert() {
    // Convert is hidden while a run works, so a worker that has not finished is never there;
    // a finished one is joined first.
    StartConversionWorker(*this);
}

void CTabwrightDlg::OnStop() {
    TheConversionRun().stopRequested = 1;
}

void CTabwrightDlg::StepProgress(QProgressBar* bar, int step) {
    // A step past the top starts the bar over from the bottom.
    int next = bar->value() + step;
    if (next > bar->maximum()) {
        next = bar->minimum();
    }
    bar->setValue(next);
}

void CTabwrightDlg::OnTimer() {
    StepProgress(m_ui->IDC_PROGRESS_1, kActivityBarStep);
}

void CTabwrightDlg::OnClose() {
    ConfirmExit();
}

void CTabwrightDlg::ConfirmExit() {
    const QMessageBox::StandardButton answer = MessageDialog::Show(
        this, QStringLiteral("Do you want to exit from ") + Title() + QStringLiteral("?"),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        return;
    }
    OpenWithDesktop(ProductPageAddress());
    if (TheConversionRun().workerRunning) {
        // The run ends where it stands: what Oracle has committed stays, the row in hand is
        // never committed. Ending the process is the one way that cannot wait for the worker
        // or tear anything down under it.
        std::_Exit(0);
    }
    m_exiting = true;
    done(QDialog::Rejected);
}

void CTabwrightDlg::OnHelpButton() {
    OpenHelpFile();
}

bool CTabwrightDlg::OnHelpInfo() {
    OpenHelpFile();
    return true;
}

void CTabwrightDlg::OpenHelpFile() {
    OpenWithDesktop(HelpFilePath(), true);
}

void CTabwrightDlg::OnLogoButton() {
    CAboutDlg about(this);
    about.exec();
}

bool CTabwrightDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this) {
        return QDialog::eventFilter(watched, event);
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return true;
    case Qt::Key_Escape:
        ConfirmExit();
        return true;
    case Qt::Key_F1:
        return OnHelpInfo();
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void CTabwrightDlg::closeEvent(QCloseEvent* event) {
    if (m_exiting) {
        event->accept();
        return;
    }
    event->ignore();
    OnClose();
}

#ifdef Q_OS_WIN
bool CTabwrightDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    // Windows only: the About entry of the system menu.
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommand) {
        OnLogoButton();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

void CTabwrightDlg::RunOnWindowThread(const std::function<void()>& work) {
    if (QThread::currentThread() == thread()) {
        work();
        return;
    }
    std::unique_lock lock(m_windowCallMutex);
    m_pendingWindowCall = &work;
    m_windowCallFinished = false;
    lock.unlock();
    QMetaObject::invokeMethod(this, "RunPendingWindowCall", Qt::QueuedConnection);
    lock.lock();
    m_windowCallDone.wait(lock, [this] { return m_windowCallFinished; });
}

void CTabwrightDlg::RunPendingWindowCall() {
    const std::function<void()>* work = nullptr;
    {
        const std::lock_guard lock(m_windowCallMutex);
        work = std::exchange(m_pendingWindowCall, nullptr);
    }
    if (work != nullptr) {
        (*work)();
    }
    {
        const std::lock_guard lock(m_windowCallMutex);
        m_windowCallFinished = true;
    }
    m_windowCallDone.notify_one();
}

void CTabwrightDlg::ShowMessage(const std::string& text, MessageIcon icon) {
    RunOnWindowThread(
        [&] { MessageDialog::Show(this, QString::fromStdString(text), ToBoxIcon(icon)); });
}

void CTabwrightDlg::SetTitle(const std::string& title) {
    RunOnWindowThread([&] { setWindowTitle(QString::fromStdString(title)); });
}

void CTabwrightDlg::SetProgressText(const std::string& text) {
    RunOnWindowThread([&] { m_ui->IDC_PROGRESS_TEXT->setText(QString::fromStdString(text)); });
}

void CTabwrightDlg::StartActivityTimer() {
    RunOnWindowThread([&] { m_activityTimer.start(); });
}

void CTabwrightDlg::StopActivityTimer() {
    RunOnWindowThread([&] { m_activityTimer.stop(); });
}

void CTabwrightDlg::StepTableBar() {
    RunOnWindowThread([&] { StepProgress(m_ui->IDC_PROGRESS_2, m_tableBarStep); });
}

int CTabwrightDlg::TableItemCount() {
    int count = 0;
    RunOnWindowThread([&] { count = m_ui->IDC_TABLE_LIST->count(); });
    return count;
}

bool CTabwrightDlg::IsTableChecked(int index) {
    bool checked = false;
    RunOnWindowThread([&] {
        const QListWidgetItem* item = m_ui->IDC_TABLE_LIST->item(index);
        checked = item != nullptr && item->checkState() == Qt::Checked;
    });
    return checked;
}

void CTabwrightDlg::UncheckTable(int index) {
    RunOnWindowThread([&] {
        if (QListWidgetItem* item = m_ui->IDC_TABLE_LIST->item(index)) {
            item->setCheckState(Qt::Unchecked);
        }
    });
}

bool CTabwrightDlg::SelectedDatabase(std::string& name) {
    bool selected = false;
    RunOnWindowThread([&] {
        const QList<QListWidgetItem*> items = m_ui->IDC_DATABASE_LIST->selectedItems();
        selected = !items.isEmpty();
        if (selected) {
            name = items.first()->text().toStdString();
        }
    });
    return selected;
}

void CTabwrightDlg::RestoreConvertButton() {
    RunOnWindowThread([&] {
        m_pConvertDisabledImage->hide();
        m_pConvertButton->show();
    });
}

void CTabwrightDlg::BeginRunControls(int tablesChecked) {
    RunOnWindowThread([&] {
        m_ui->IDC_PROGRESS_1->setValue(0);
        m_ui->IDC_PROGRESS_2->setValue(0);
        m_ui->IDC_DATABASE_LIST->setEnabled(false);
        m_ui->IDC_TABLE_LIST->setEnabled(false);
        m_ui->IDC_SELECT_ALL->setEnabled(false);
        m_ui->IDC_PROGRESS_2->setRange(0, tablesChecked);
        m_pConvertDisabledImage->show();
        m_pConvertButton->setEnabled(false);
        m_pConvertButton->hide();
        m_pBackButton->hide();
        m_stopButton->show();
        m_tableBarStep = 1;
        m_ui->IDC_PROGRESS_1->show();
        m_ui->IDC_PROGRESS_2->show();
        m_ui->IDC_WAIT_TEXT->show();
        m_ui->IDC_PROGRESS_TEXT->show();
    });
}

void CTabwrightDlg::EndRunControls() {
    RunOnWindowThread([&] {
        m_ui->IDC_SELECT_ALL->setEnabled(true);
        m_pConvertDisabledImage->hide();
        m_pConvertButton->setEnabled(true);
        m_pConvertButton->show();
        m_pBackButton->show();
        m_ui->IDC_PROGRESS_1->hide();
        m_stopButton->hide();
        m_ui->IDC_PROGRESS_2->hide();
        m_ui->IDC_WAIT_TEXT->hide();
        m_ui->IDC_CONVERTED_LABEL->hide();
        m_ui->IDC_PROGRESS_TEXT->hide();
        m_activityTimer.stop();
        m_ui->IDC_DATABASE_LIST->setEnabled(true);
        m_ui->IDC_TABLE_LIST->setEnabled(true);
        if (isMinimized()) {
            showNormal();
        }
        setWindowTitle(Title());
        m_ui->IDC_SELECT_ALL->setChecked(false);
    });
}
