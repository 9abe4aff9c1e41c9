#include "ConsoleWindow.h"

#include <ostream>

namespace {

// One call, one line: line breaks inside texts (Oracle's error texts have them) are written
// as escapes.
std::string oneLine(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (c == '\\')
            line += "\\\\";
        else
            line += c;
    }
    return line;
}

} // namespace

const char* const ConsoleWindow::kIdleTitle = "Vorlane Database Converter - MySQL to ORACLE";

const char* IconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return "none";
    case MessageIcon::Information:
        return "information";
    case MessageIcon::Exclamation:
        return "exclamation";
    case MessageIcon::Question:
        return "question";
    }
    return "?";
}

ConsoleWindow::ConsoleWindow(std::vector<std::string> tables, std::string database,
                             std::ostream* out)
    : m_out(out), m_tables(std::move(tables)), m_checked(m_tables.size(), true),
      m_database(std::move(database)), m_title(kIdleTitle) {}

void ConsoleWindow::record(std::string line) {
    {
        std::lock_guard lock(m_mutex);
        if (m_out != nullptr)
            *m_out << line << std::endl;
        if (m_keepLines)
            m_lines.push_back(line);
    }
    if (onCall)
        onCall(line);
}

void ConsoleWindow::ShowMessage(const std::string& text, MessageIcon icon) {
    {
        std::lock_guard lock(m_mutex);
        m_messages.push_back({text, icon});
    }
    record(std::string("ShowMessage [") + IconName(icon) + "] " + oneLine(text) + " -> OK");
}

void ConsoleWindow::SetTitle(const std::string& title) {
    {
        std::lock_guard lock(m_mutex);
        m_title = title;
        m_titles.push_back(title);
    }
    record("SetTitle " + oneLine(title));
}

void ConsoleWindow::SetProgressText(const std::string& text) {
    {
        std::lock_guard lock(m_mutex);
        m_progressText = text;
    }
    record("SetProgressText " + oneLine(text));
}

void ConsoleWindow::StartActivityTimer() {
    {
        std::lock_guard lock(m_mutex);
        m_timerRunning = true;
    }
    record("StartActivityTimer");
}

void ConsoleWindow::StopActivityTimer() {
    {
        std::lock_guard lock(m_mutex);
        m_timerRunning = false;
    }
    record("StopActivityTimer");
}

void ConsoleWindow::StepTableBar() {
    int position = 0;
    {
        std::lock_guard lock(m_mutex);
        position = ++m_tableBarPosition;
    }
    record("StepTableBar " + std::to_string(position));
}

int ConsoleWindow::TableItemCount() {
    const int count = static_cast<int>(m_tables.size());
    record("TableItemCount " + std::to_string(count));
    return count;
}

bool ConsoleWindow::IsTableChecked(int index) {
    bool checked = false;
    {
        std::lock_guard lock(m_mutex);
        checked = index >= 0 && static_cast<std::size_t>(index) < m_checked.size() &&
                  m_checked[static_cast<std::size_t>(index)];
    }
    record("IsTableChecked " + std::to_string(index) + (checked ? " yes" : " no"));
    return checked;
}

void ConsoleWindow::UncheckTable(int index) {
    setChecked(index, false);
    record("UncheckTable " + std::to_string(index));
}

bool ConsoleWindow::SelectedDatabase(std::string& name) {
    bool selected = false;
    {
        std::lock_guard lock(m_mutex);
        selected = m_databaseSelected;
        if (selected)
            name = m_database;
    }
    record(selected ? "SelectedDatabase " + oneLine(m_database) : "SelectedDatabase (none)");
    return selected;
}

void ConsoleWindow::RestoreConvertButton() {
    {
        std::lock_guard lock(m_mutex);
        m_convertButtonShown = true;
    }
    record("RestoreConvertButton");
}

void ConsoleWindow::BeginRunControls(int tablesChecked) {
    {
        std::lock_guard lock(m_mutex);
        m_running = true;
        m_convertButtonShown = false;
        m_tableBarPosition = 0;
        m_tableBarRange = tablesChecked;
    }
    record("BeginRunControls " + std::to_string(tablesChecked));
}

void ConsoleWindow::EndRunControls() {
    {
        std::lock_guard lock(m_mutex);
        m_running = false;
        m_convertButtonShown = true;
        m_timerRunning = false;
        m_minimized = false;
        m_title = kIdleTitle;
    }
    record("EndRunControls");
}

void ConsoleWindow::setChecked(int index, bool checked) {
    std::lock_guard lock(m_mutex);
    if (index >= 0 && static_cast<std::size_t>(index) < m_checked.size())
        m_checked[static_cast<std::size_t>(index)] = checked;
}

void ConsoleWindow::setKeepLines(bool keep) {
    std::lock_guard lock(m_mutex);
    m_keepLines = keep;
}

void ConsoleWindow::setMinimized(bool minimized) {
    std::lock_guard lock(m_mutex);
    m_minimized = minimized;
}

void ConsoleWindow::setDatabaseSelected(bool selected) {
    std::lock_guard lock(m_mutex);
    m_databaseSelected = selected;
}

std::vector<std::string> ConsoleWindow::lines() const {
    std::lock_guard lock(m_mutex);
    return m_lines;
}

std::vector<ConsoleWindow::Message> ConsoleWindow::messages() const {
    std::lock_guard lock(m_mutex);
    return m_messages;
}

std::vector<std::string> ConsoleWindow::titles() const {
    std::lock_guard lock(m_mutex);
    return m_titles;
}

std::string ConsoleWindow::title() const {
    std::lock_guard lock(m_mutex);
    return m_title;
}

std::string ConsoleWindow::progressText() const {
    std::lock_guard lock(m_mutex);
    return m_progressText;
}

bool ConsoleWindow::timerRunning() const {
    std::lock_guard lock(m_mutex);
    return m_timerRunning;
}

int ConsoleWindow::tableBarPosition() const {
    std::lock_guard lock(m_mutex);
    return m_tableBarPosition;
}

int ConsoleWindow::tableBarRange() const {
    std::lock_guard lock(m_mutex);
    return m_tableBarRange;
}

bool ConsoleWindow::running() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

bool ConsoleWindow::minimized() const {
    std::lock_guard lock(m_mutex);
    return m_minimized;
}

bool ConsoleWindow::isChecked(int index) const {
    std::lock_guard lock(m_mutex);
    return index >= 0 && static_cast<std::size_t>(index) < m_checked.size() &&
           m_checked[static_cast<std::size_t>(index)];
}

bool ConsoleWindow::convertButtonShown() const {
    std::lock_guard lock(m_mutex);
    return m_convertButtonShown;
}
