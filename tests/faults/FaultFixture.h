#pragma once

#include "EngineFixture.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The engine fixture with a bound on every run: a conversion that has not ended in time is a
// hang, and the test process ends with a message instead of waiting for CTest's timeout.
class FaultFixture : public EngineFixture {
protected:
    std::unique_ptr<ConsoleWindow> convertWithin(std::chrono::seconds bound,
                                                 const std::vector<std::string>& tables,
                                                 RunOptions options = {});

    // Runs on the watchdog's thread before a hung test process ends: undoes what must not
    // outlive the test.
    std::function<void()> onHang;

    // The completion message a run of these figures must end with.
    static std::string completionText(int checked, int converted, int failed, int rowsNotCopied);
};
