#pragma once

#include "ConversionWindow.h"

#include <functional>
#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

// A stand-in for the main window: keeps the state the engine's calls leave behind, writes
// every call as one line, and answers every message box with OK.
class ConsoleWindow : public ConversionWindow {
public:
    struct Message {
        std::string text;
        MessageIcon icon = MessageIcon::None;
    };

    ConsoleWindow(std::vector<std::string> tables, std::string database, std::ostream* out);

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

    // Called after each window call with the line written for it, on the engine's thread.
    std::function<void(const std::string& line)> onCall;

    void setChecked(int index, bool checked);
    void setMinimized(bool minimized);
    void setDatabaseSelected(bool selected);
    // A long run watched on the console need not keep every line in memory.
    void setKeepLines(bool keep);

    // State, read after the run.
    std::vector<std::string> lines() const;
    std::vector<Message> messages() const;
    std::vector<std::string> titles() const;
    std::string title() const;
    std::string progressText() const;
    bool timerRunning() const;
    int tableBarPosition() const;
    int tableBarRange() const;
    bool running() const;
    bool minimized() const;
    bool isChecked(int index) const;
    bool convertButtonShown() const;

    static const char* const kIdleTitle;

private:
    void record(std::string line);

    mutable std::mutex m_mutex;
    std::ostream* m_out;
    std::vector<std::string> m_tables;
    std::vector<bool> m_checked;
    std::string m_database;
    bool m_databaseSelected = true;
    bool m_keepLines = true;
    std::vector<std::string> m_lines;
    std::vector<Message> m_messages;
    std::vector<std::string> m_titles;
    std::string m_title;
    std::string m_progressText;
    bool m_timerRunning = false;
    int m_tableBarPosition = 0;
    int m_tableBarRange = 100;
    bool m_running = false;
    bool m_minimized = false;
    bool m_convertButtonShown = true;
};

// The text of a message icon as the console writes it.
const char* IconName(MessageIcon icon);
