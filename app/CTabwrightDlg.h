#pragma once

#include "ConversionWindow.h"

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QString>
#include <QTimer>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace Ui {
class CTabwrightDlg;
}
class ImageButton;
class QProgressBar;

// The program's one window: the connection page, the selection page and the progress of a
// conversion run. The conversion worker reaches it only through ConversionWindow; each of those
// calls is carried out on the window thread while the worker waits.
class CTabwrightDlg : public QDialog, public ConversionWindow {
    Q_OBJECT

public:
    explicit CTabwrightDlg(QWidget* parent = nullptr);
    ~CTabwrightDlg() override;

    void OnNext();
    void OnBack();
    void OnDatabaseSelChange();
    void OnSelectAll();
    void OnTableSelChange();
    void OnConvert();
    void OnStop();
    void OnTimer();
    void OnClose();
    void OnHelpButton();
    bool OnHelpInfo();
    void OnLogoButton();

    void ConfirmExit();
    void OpenHelpFile();
    void ShowConnectionPage();
    void ShowSelectionPage();
    void FillDatabaseList();
    void FillTableList(const QString& database);

    // ConversionWindow, callable from the conversion worker.
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    void SetTitle(const std::string& title) override;
    void SetProgressText(const std::string& text) override;
    void StartActivityTimer() override;
    void StopActivityTimer() override;
    void StepTableBar() override;
    int TableItemCount() override;
    bool IsTableChecked(int index) override;
    void UncheckTable(int index) override;
    bool SelectedDatabase(std::string& name) override;
    void RestoreConvertButton() override;
    void BeginRunControls(int tablesChecked) override;
    void EndRunControls() override;

    static const QString& Title();
    // The page the Yes of the exit question opens.
    static const QString& ProductPageAddress();
    // Where the Help button and F1 look for the help document.
    static QString HelpFilePath();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void OnInitDialog();
    void ApplyAppearance();
    void ApplyAccessibleNames();
    void SetConnectionPageVisible(bool visible);
    void SetSelectionPageVisible(bool visible);
    // Runs work on the window thread; from the worker, waits until it has run.
    void RunOnWindowThread(const std::function<void()>& work);
    Q_INVOKABLE void RunPendingWindowCall();
    static void StepProgress(QProgressBar* bar, int step);

    ImageButton* m_pNextButton = nullptr;
    ImageButton* m_pLogoButton = nullptr;
    ImageButton* m_pHelpButton = nullptr;
    ImageButton* m_pExitButton = nullptr;
    ImageButton* m_pConvertButton = nullptr;
    ImageButton* m_pConvertDisabledImage = nullptr;
    ImageButton* m_pBackButton = nullptr;
    QFont m_groupFont;
    QIcon m_hIcon;
    QString m_strOracleService;
    QString m_strOracleUser;
    QString m_strOraclePassword;
    QString m_strMySqlServer;
    QString m_strMySqlLogin;
    QString m_strMySqlPassword;
    std::unique_ptr<Ui::CTabwrightDlg> m_ui;
    ImageButton* m_stopButton = nullptr;

    QTimer m_activityTimer; // timer 1

    // The one window call the worker waits for. Handed over under this mutex, not through the
    // posted event, so that what the call reads and writes is ordered for thread checkers too.
    std::mutex m_windowCallMutex;
    std::condition_variable m_windowCallDone;
    const std::function<void()>* m_pendingWindowCall = nullptr;
    bool m_windowCallFinished = false;
    int m_tableBarStep = 1;
    bool m_exiting = false;
};
