#pragma once

#include "OracleSimState.h"
#include "SimClient.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

// A fresh state file per test with one service, ORCL on localhost:1521, and two accounts:
// SYSTEM (password "manager", may act on other schemas) and SCOTT ("tiger", may not).
class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '-';
        m_path =
            ::testing::TempDir() + "oracle-sim-" + name + "-" + std::to_string(::getpid()) + ".db";
        state.emplace(OracleSimState::create(m_path));
        ::setenv("ORACLE_SIM_STATE", m_path.c_str(), 1);
        state->addService("ORCL");
        state->addAccount("ORCL", "SYSTEM", "manager", true);
        state->addAccount("ORCL", "SCOTT", "tiger", false);
    }

    void TearDown() override {
        state.reset();
        for (const char* suffix : {"", "-wal", "-shm"})
            std::remove((m_path + suffix).c_str());
    }

    // Executes and expects success, for setting a scene through the library itself.
    static void run(SimClient& client, const std::string& sql) {
        const OciOutcome outcome = client.execute(sql);
        ASSERT_TRUE(outcome.ok()) << sql << "\n" << outcome.text;
    }

    std::optional<OracleSimState> state;
    std::string m_path;
};
