#include "SimFixture.h"

#include <sys/wait.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

class SimTransactions : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        ASSERT_FALSE(state->executeAs("SYSTEM", "CREATE TABLE T(ID VARCHAR2(5) PRIMARY KEY)"));
    }

    // Runs the body in a child process that ends as the body says; returns its exit status.
    static int inChild(const std::function<void()>& body) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            body();
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }
};

TEST_F(SimTransactions, RowsAreVisibleOnlyAfterCommit) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, "INSERT INTO \"SYSTEM\".T VALUES('1')");
    EXPECT_TRUE(state->rows("SYSTEM", "T").empty());
    run(client, "COMMIT");
    ASSERT_EQ(state->rows("SYSTEM", "T").size(), 1u);
    run(client, "INSERT INTO \"SYSTEM\".T VALUES('2')");
    ASSERT_TRUE(client.commit().ok()); // OCITransCommit
    run(client, "INSERT INTO \"SYSTEM\".T VALUES('3')");
    ASSERT_TRUE(client.execute("INSERT INTO \"SYSTEM\".T VALUES('4')", 1, 0x20).ok());
    const auto rows = state->rows("SYSTEM", "T");
    ASSERT_EQ(rows.size(), 4u); // OCI_COMMIT_ON_SUCCESS committed '3' with '4'
    EXPECT_EQ(rows[0][0], "1");
    EXPECT_EQ(rows[3][0], "4");
}

TEST_F(SimTransactions, RollbackDiscardsPendingRows) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, "INSERT INTO T VALUES('1')");
    ASSERT_TRUE(client.rollback().ok());
    run(client, "INSERT INTO T VALUES('2')");
    run(client, "ROLLBACK");
    // The pending key is gone too: the same row can go in again.
    run(client, "INSERT INTO T VALUES('1')");
    run(client, "COMMIT");
    ASSERT_EQ(state->rows("SYSTEM", "T").size(), 1u);
}

TEST_F(SimTransactions, PendingKeysCountForTheSession) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, "INSERT INTO T VALUES('1')");
    EXPECT_EQ(client.execute("INSERT INTO T VALUES('1')").ora, 1);
}

TEST_F(SimTransactions, DdlCommitsPendingRows) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, "INSERT INTO T VALUES('1')");
    // Even a DDL statement that fails commits first.
    EXPECT_EQ(client.execute("DROP TABLE NOPE").ora, 942);
    EXPECT_EQ(state->rows("SYSTEM", "T").size(), 1u);
    run(client, "INSERT INTO T VALUES('2')");
    run(client, "CREATE TABLE U(A CLOB)");
    EXPECT_EQ(state->rows("SYSTEM", "T").size(), 2u);
}

TEST_F(SimTransactions, ProcessEndingWithoutCommitLeavesNothing) {
    // Ends at once, and ends through exit() with its static objects torn down.
    for (const bool quick : {true, false}) {
        const int status = inChild([quick] {
            SimClient client;
            if (!client.logon("system", "manager", "ORCL").ok() ||
                !client.execute("INSERT INTO T VALUES('1')").ok())
                ::_exit(3);
            if (quick)
                ::_exit(0);
            std::exit(0);
        });
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_TRUE(state->rows("SYSTEM", "T").empty());
    const auto record = state->statements();
    ASSERT_EQ(record.size(), 2u);
    EXPECT_EQ(record[0].ora, 0);
    EXPECT_EQ(record[1].ora, 0);
}

TEST_F(SimTransactions, LogoffCommitsLikeSessionEnd) {
    const int status = inChild([] {
        SimClient client;
        if (!client.logon("system", "manager", "ORCL").ok() ||
            !client.execute("INSERT INTO T VALUES('1')").ok() || !client.logoff().ok())
            ::_exit(3);
    });
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(state->rows("SYSTEM", "T").size(), 1u);
}

TEST_F(SimTransactions, FreeingTheEnvironmentDoesNotCommit) {
    {
        SimClient client;
        ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
        run(client, "INSERT INTO T VALUES('1')");
    }
    EXPECT_TRUE(state->rows("SYSTEM", "T").empty());
}

TEST_F(SimTransactions, FailNthStatementOfEverySession) {
    state->failStatement(OracleSimState::FailScope::Session, 2, 1013, "");
    for (int session = 0; session < 2; ++session) {
        SimClient client;
        ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
        EXPECT_TRUE(client.execute("INSERT INTO T VALUES('" + std::to_string(session) + "')").ok());
        const OciOutcome failed = client.execute("COMMIT");
        EXPECT_EQ(failed.ora, 1013);
        EXPECT_EQ(failed.text, "ORA-01013: user requested cancel of current operation\n");
        EXPECT_TRUE(client.execute("COMMIT").ok());
    }
    EXPECT_EQ(state->rows("SYSTEM", "T").size(), 2u);
}

TEST_F(SimTransactions, FailNthStatementOfTheFile) {
    state->failStatement(OracleSimState::FailScope::File, 3, 942, "custom text");
    SimClient first;
    ASSERT_TRUE(first.logon("system", "manager", "ORCL").ok());
    EXPECT_TRUE(first.execute("INSERT INTO T VALUES('1')").ok());
    SimClient second;
    ASSERT_TRUE(second.logon("system", "manager", "ORCL").ok());
    EXPECT_TRUE(second.execute("INSERT INTO T VALUES('2')").ok());
    const OciOutcome failed = first.execute("INSERT INTO T VALUES('3')");
    EXPECT_EQ(failed.ora, 942);
    EXPECT_EQ(failed.text, "ORA-00942: custom text\n");
    // The failed statement was not executed.
    EXPECT_TRUE(first.execute("INSERT INTO T VALUES('3')").ok());
}

TEST_F(SimTransactions, StatementRecordKeepsOrderSessionsAndOutcomes) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, "INSERT INTO T VALUES('1')");
    EXPECT_EQ(client.execute("INSERT INTO T VALUES('1')").ora, 1);
    SimClient other;
    ASSERT_TRUE(other.logon("scott", "tiger", "ORCL").ok());
    EXPECT_EQ(other.execute("DROP TABLE T").ora, 942);
    run(client, "COMMIT");

    const auto record = state->statements();
    ASSERT_EQ(record.size(), 4u);
    const std::vector<std::string> texts = {"INSERT INTO T VALUES('1')",
                                            "INSERT INTO T VALUES('1')", "DROP TABLE T", "COMMIT"};
    for (std::size_t i = 0; i < record.size(); ++i) {
        EXPECT_EQ(record[i].seq, static_cast<std::int64_t>(i + 1));
        EXPECT_EQ(record[i].text, texts[i]);
        EXPECT_EQ(record[i].iters, 1u);
    }
    EXPECT_EQ(record[0].message, "");
    EXPECT_EQ(record[1].ora, 1);
    EXPECT_EQ(record[1].message.rfind("ORA-00001: unique constraint (SYSTEM.", 0), 0u);
    EXPECT_EQ(record[2].user, "SCOTT");
    EXPECT_EQ(record[2].sessionSeq, 1);
    EXPECT_NE(record[2].sessionId, record[3].sessionId);
    EXPECT_EQ(record[3].sessionSeq, 3);
    EXPECT_EQ(record[3].message, "");
}

TEST_F(SimTransactions, SessionOpenedOnOneThreadExecutesOnAnother) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    OciOutcome insert;
    OciOutcome commit;
    std::thread worker([&] {
        insert = client.execute("INSERT INTO T VALUES('1')");
        commit = client.execute("COMMIT");
    });
    worker.join();
    EXPECT_TRUE(insert.ok()) << insert.text;
    EXPECT_TRUE(commit.ok()) << commit.text;
    EXPECT_EQ(state->rows("SYSTEM", "T").size(), 1u);
}

TEST_F(SimTransactions, OpenSessionSeesTablesAndSwitchesChangedElsewhere) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, "CREATE TABLE W(A VARCHAR2(1))");
    run(client, "INSERT INTO W VALUES('x')");

    // Another connection replaces the table: the session inserts into the new one.
    ASSERT_FALSE(state->executeAs("SYSTEM", "DROP TABLE W"));
    ASSERT_FALSE(state->executeAs("SYSTEM", "CREATE TABLE W(A VARCHAR2(5), B NUMBER)"));
    run(client, "INSERT INTO W VALUES('wider', 7)");
    run(client, "COMMIT");
    EXPECT_EQ(state->rows("SYSTEM", "W"), (std::vector<OracleSimState::Row>{{"wider", "7"}}));

    // The session replaces it itself.
    run(client, "DROP TABLE W");
    run(client, "CREATE TABLE W(C CHAR(2) PRIMARY KEY)");
    EXPECT_EQ(client.execute("INSERT INTO W VALUES('wider', 7)").ora, 913);
    run(client, "INSERT INTO W VALUES('c')");
    EXPECT_EQ(client.execute("INSERT INTO W VALUES('c')").ora, 1);

    ASSERT_FALSE(state->executeAs("SYSTEM", "DROP TABLE W"));
    EXPECT_EQ(client.execute("INSERT INTO W VALUES('d')").ora, 942);

    // A switch set while the session is open counts from its next statement.
    EXPECT_EQ(client.execute("DROP TABLE T;").ora, 911);
    state->setWording(OracleSimState::Wording::Oracle23ai);
    EXPECT_EQ(client.execute("DROP TABLE T;").ora, 933);
}

TEST_F(SimTransactions, BreakCancelsARunningStatement) {
    state->setStatementDelay(std::chrono::seconds(20));
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    OciOutcome outcome;
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([&] { outcome = client.execute("INSERT INTO T VALUES('1')"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(client.breakExecution(), 0);
    worker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(outcome.ora, 1013);
    state->setStatementDelay(std::chrono::milliseconds(0));
    run(client, "COMMIT");
    EXPECT_TRUE(state->rows("SYSTEM", "T").empty());
}

} // namespace
