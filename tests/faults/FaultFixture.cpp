#include "FaultFixture.h"

#include "ConversionEngine.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

std::unique_ptr<ConsoleWindow> FaultFixture::convertWithin(std::chrono::seconds bound,
                                                           const std::vector<std::string>& tables,
                                                           RunOptions options) {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!done.wait_for(lock, bound, [&] { return finished; })) {
            std::fprintf(stderr, "The conversion did not end within %lld s: it hangs.\n",
                         static_cast<long long>(bound.count()));
            std::fflush(stderr);
            if (onHang)
                onHang();
            std::_Exit(3);
        }
    });
    std::unique_ptr<ConsoleWindow> window = convert(tables, std::move(options));
    {
        std::lock_guard lock(mutex);
        finished = true;
    }
    done.notify_one();
    watchdog.join();
    return window;
}

std::string FaultFixture::completionText(int checked, int converted, int failed,
                                         int rowsNotCopied) {
    return MakeCompletionMessage(checked, converted, failed, rowsNotCopied, false).text;
}
