#include "TimingWindow.h"

#include "BenchProbes.h"

void TimingWindow::ShowMessage(const std::string& text, MessageIcon icon) {
    messages.push_back(text);
    PhaseTimer timer(Probes().window);
    m_inner.ShowMessage(text, icon);
}

void TimingWindow::SetTitle(const std::string& title) {
    lastTitle = title;
    PhaseTimer timer(Probes().window);
    m_inner.SetTitle(title);
}

void TimingWindow::SetProgressText(const std::string& text) {
    PhaseTimer timer(Probes().window);
    m_inner.SetProgressText(text);
}

void TimingWindow::StartActivityTimer() {
    PhaseTimer timer(Probes().window);
    m_inner.StartActivityTimer();
}

void TimingWindow::StopActivityTimer() {
    PhaseTimer timer(Probes().window);
    m_inner.StopActivityTimer();
}

void TimingWindow::StepTableBar() {
    PhaseTimer timer(Probes().window);
    m_inner.StepTableBar();
}

int TimingWindow::TableItemCount() {
    PhaseTimer timer(Probes().window);
    return m_inner.TableItemCount();
}

bool TimingWindow::IsTableChecked(int index) {
    PhaseTimer timer(Probes().window);
    return m_inner.IsTableChecked(index);
}

void TimingWindow::UncheckTable(int index) {
    PhaseTimer timer(Probes().window);
    m_inner.UncheckTable(index);
}

bool TimingWindow::SelectedDatabase(std::string& name) {
    PhaseTimer timer(Probes().window);
    return m_inner.SelectedDatabase(name);
}

void TimingWindow::RestoreConvertButton() {
    PhaseTimer timer(Probes().window);
    m_inner.RestoreConvertButton();
}

void TimingWindow::BeginRunControls(int tablesChecked) {
    PhaseTimer timer(Probes().window);
    m_inner.BeginRunControls(tablesChecked);
}

void TimingWindow::EndRunControls() {
    PhaseTimer timer(Probes().window);
    m_inner.EndRunControls();
}
