// Converts one MySQL table from the real main window, as an operator would after Next, Select
// All and Convert, and measures how long the window thread ever goes without running its
// events: a timer on the window thread notes how late each of its ticks comes.
//
//   tabwright-bench-window MYSQL-SERVER LOGIN ORACLE-SERVICE ORACLE-USER DATABASE TABLE
//
// The MySQL and then the Oracle password are read from standard input, one a line. Message
// boxes are answered with OK at once, so every stall measured is one outside a modal box.

#include "BenchProbes.h"
#include "BenchReport.h"
#include "CTabwrightDlg.h"
#include "ConversionEngine.h"
#include "ConversionRun.h"
#include "MessageDialog.h"
#include "TimingWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <string>

namespace {

constexpr int kProbeIntervalMs = 5;

// How late the ticks of a timer on the window thread come.
class StallProbe {
public:
    StallProbe() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kProbeIntervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }

    void start() {
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    void stop() { m_timer.stop(); }

    qint64 longestStallMs() const { return m_longest / 1000000; }
    qint64 ticks() const { return m_ticks; }
    qint64 stallsOver(qint64 ms) const { return ms == 16 ? m_over16 : m_over50; }

private:
    void tick() {
        const qint64 now = m_clock.nsecsElapsed();
        const qint64 late = now - m_last - qint64{kProbeIntervalMs} * 1000000;
        m_last = now;
        ++m_ticks;
        m_longest = std::max(m_longest, late);
        if (late > 16 * 1000000)
            ++m_over16;
        if (late > 50 * 1000000)
            ++m_over50;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    qint64 m_ticks = 0;
    qint64 m_over16 = 0;
    qint64 m_over50 = 0;
};

template <typename T> T* child(const QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        std::cerr << "the window has no control " << name << "\n";
        std::exit(1);
    }
    return widget;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::cerr << "usage: " << argv[0]
                  << " MYSQL-SERVER LOGIN ORACLE-SERVICE ORACLE-USER DATABASE TABLE\n";
        return 2;
    }
    std::string sourcePassword;
    std::string targetPassword;
    if (!ReadPasswords(sourcePassword, targetPassword)) {
        std::cerr << "Two passwords expected on standard input, MySQL first.\n";
        return 2;
    }
    const QString database = QString::fromUtf8(argv[5]);
    const QString table = QString::fromUtf8(argv[6]);

    QApplication application(argc, argv);
    QStringList shown;
    MessageDialog::SetAnswererForTesting(
        [&shown](const QString& text, QMessageBox::Icon, QMessageBox::StandardButtons) {
            shown.append(text);
            return QMessageBox::Ok;
        });

    CTabwrightDlg dialog;
    dialog.show();
    const char* const fields[] = {"IDC_MYSQL_SERVER",   "IDC_MYSQL_LOGIN", "IDC_MYSQL_PASSWORD",
                                  "IDC_ORACLE_SERVICE", "IDC_ORACLE_USER", "IDC_ORACLE_PASSWORD"};
    const QString values[] = {QString::fromUtf8(argv[1]),
                              QString::fromUtf8(argv[2]),
                              QString::fromStdString(sourcePassword),
                              QString::fromUtf8(argv[3]),
                              QString::fromUtf8(argv[4]),
                              QString::fromStdString(targetPassword)};
    for (int i = 0; i < 6; ++i)
        child<QLineEdit>(dialog, fields[i])->setText(values[i]);
    dialog.OnNext();
    if (!shown.isEmpty()) {
        std::cerr << "Next failed: " << shown.join('\n').toStdString() << "\n";
        return 1;
    }

    auto* databases = child<QListWidget>(dialog, "IDC_DATABASE_LIST");
    const QList<QListWidgetItem*> found = databases->findItems(database, Qt::MatchExactly);
    if (found.isEmpty()) {
        std::cerr << "no database " << argv[5] << " in the list\n";
        return 1;
    }
    databases->setCurrentItem(found.first());
    auto* tables = child<QListWidget>(dialog, "IDC_TABLE_LIST");
    if (tables->count() != 1 || tables->item(0)->text() != table) {
        std::cerr << "the table list does not hold exactly " << argv[6] << "\n";
        return 1;
    }
    child<QAbstractButton>(dialog, "IDC_SELECT_ALL")->click();

    // Convert, with the window's calls timed on their way from the worker.
    TimingWindow timing(dialog);
    StallProbe probe;
    QEventLoop loop;
    QTimer finished;
    finished.setInterval(20);
    QObject::connect(&finished, &QTimer::timeout, [&] {
        if (!TheConversionRun().workerRunning)
            loop.quit();
    });
    ResetProbes();
    probe.start();
    const auto start = std::chrono::steady_clock::now();
    if (!StartConversionWorker(timing))
        return 1;
    finished.start();
    loop.exec();
    TheConversionRun().workerThread.join();
    const auto wall = std::chrono::steady_clock::now() - start;
    probe.stop();

    const std::string caption = timing.lastTitle;
    const std::size_t close = caption.find("] ");
    const std::int64_t rows =
        close == std::string::npos ? 0 : std::stoll(caption.substr(close + 2));
    WriteRowSplit(std::cout, Probes(), rows,
                  std::chrono::duration_cast<std::chrono::nanoseconds>(wall));
    std::cout << "peak_resident_kib " << PeakResidentKiB() << "\n";
    std::cout << "probe_ticks " << probe.ticks() << "\n";
    std::cout << "longest_window_stall_ms " << probe.longestStallMs() << "\n";
    std::cout << "window_stalls_over_16ms " << probe.stallsOver(16) << "\n";
    std::cout << "window_stalls_over_50ms " << probe.stallsOver(50) << "\n";
    for (const QString& text : shown)
        std::cout << "message " << text.toStdString() << "\n";

    // The same probe on the idle window for as long as the run took (at most 20 s): how
    // late the ticks come from the machine's own load, with no conversion at all.
    StallProbe idle;
    QTimer over;
    over.setSingleShot(true);
    QObject::connect(&over, &QTimer::timeout, &loop, &QEventLoop::quit);
    idle.start();
    over.start(static_cast<int>(std::min<std::int64_t>(
        20000, std::chrono::duration_cast<std::chrono::milliseconds>(wall).count())));
    loop.exec();
    idle.stop();
    std::cout << "idle_longest_window_stall_ms " << idle.longestStallMs() << "\n";
    std::cout << "idle_window_stalls_over_16ms " << idle.stallsOver(16) << "\n";
    std::cout << "idle_window_stalls_over_50ms " << idle.stallsOver(50) << "\n";
    MessageDialog::SetAnswererForTesting({});
    return shown == QStringList{"MySQL to ORACLE conversion completed successfully."} ? 0 : 1;
}
