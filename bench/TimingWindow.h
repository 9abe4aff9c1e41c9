#pragma once

#include "ConversionWindow.h"

#include <string>
#include <vector>

// A window for one run over one checked table in a given database; answers every message box
// with OK and keeps only what the report needs, so that it adds nothing to the memory figure.
class QuietWindow : public ConversionWindow {
public:
    explicit QuietWindow(std::string database) : m_database(std::move(database)) {}

    void ShowMessage(const std::string& text, MessageIcon) override { messages.push_back(text); }
    void SetTitle(const std::string& text) override { title = text; }
    void SetProgressText(const std::string&) override {}
    void StartActivityTimer() override {}
    void StopActivityTimer() override {}
    void StepTableBar() override {}
    int TableItemCount() override { return 1; }
    bool IsTableChecked(int index) override { return index == 0 && !m_unchecked; }
    void UncheckTable(int) override { m_unchecked = true; }
    bool SelectedDatabase(std::string& name) override {
        name = m_database;
        return true;
    }
    void RestoreConvertButton() override {}
    void BeginRunControls(int) override {}
    void EndRunControls() override {}

    std::vector<std::string> messages;
    std::string title;

private:
    std::string m_database;
    bool m_unchecked = false;
};

// Forwards every call to another window and adds the time each took to the window phase of
// the probes: what the worker waits for the window.
class TimingWindow : public ConversionWindow {
public:
    explicit TimingWindow(ConversionWindow& inner) : m_inner(inner) {}

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

    // Only the worker writes these; read them after it has been joined.
    std::vector<std::string> messages;
    std::string lastTitle;

private:
    ConversionWindow& m_inner;
};
