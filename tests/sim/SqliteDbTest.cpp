#include "SqliteDb.h"
#include "StateSchema.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

using oraclesim::SqliteDb;

namespace {

// The state file's connection keeps its compiled statements; these are the ways a kept
// statement could leak into the next use or outlive the connection.
class SqliteStatementCache : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = ::testing::TempDir() + "sqlite-cache-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                 std::to_string(::getpid()) + ".db";
        removeFiles();
        db = std::make_unique<SqliteDb>(m_path, SqliteDb::OpenMode::Create);
        oraclesim::createStateSchema(*db);
    }
    void TearDown() override {
        db.reset();
        removeFiles();
    }
    void removeFiles() const {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::remove((m_path + suffix).c_str());
    }

    std::unique_ptr<SqliteDb> db;
    std::string m_path;
};

TEST_F(SqliteStatementCache, StatementAbandonedByAnExceptionIsResetForItsNextUse) {
    oraclesim::writeSetting(*db, "wording", "classic");
    try {
        auto query = db->prepare("SELECT value FROM settings WHERE key = ?");
        query.bind(1, std::string("wording"));
        ASSERT_TRUE(query.step());
        throw std::runtime_error("the reader fails with a row still open");
    } catch (const std::runtime_error&) {
    }
    // A statement left stepping would keep this connection on its old snapshot.
    SqliteDb other(m_path, SqliteDb::OpenMode::MustExist);
    oraclesim::writeSetting(other, "wording", "23ai");
    EXPECT_EQ(oraclesim::readSetting(*db, "wording", ""), "23ai");

    // Nor does the next user inherit the bindings.
    auto unbound = db->prepare("SELECT value FROM settings WHERE key = ?");
    EXPECT_FALSE(unbound.step());
}

TEST_F(SqliteStatementCache, SameQueryInsideItselfRunsOnItsOwn) {
    oraclesim::writeSetting(*db, "a", "1");
    oraclesim::writeSetting(*db, "b", "2");
    const char* sql = "SELECT key FROM settings ORDER BY key";
    std::vector<std::string> outerKeys;
    auto outer = db->prepare(sql);
    while (outer.step()) {
        outerKeys.push_back(outer.text(0));
        auto inner = db->prepare(sql);
        int innerRows = 0;
        while (inner.step())
            ++innerRows;
        EXPECT_EQ(innerRows, 2);
    }
    EXPECT_EQ(outerKeys, (std::vector<std::string>{"a", "b"}));
}

TEST_F(SqliteStatementCache, ClosingTheConnectionClosesTheFile) {
    oraclesim::writeSetting(*db, "wording", "23ai");
    EXPECT_EQ(oraclesim::readSetting(*db, "wording", ""), "23ai");
    db->exec("BEGIN IMMEDIATE");
    db->exec("COMMIT");
    ASSERT_TRUE(std::filesystem::exists(m_path + "-wal"));
    // The last connection to close removes the write-ahead log; one left open by
    // unfinalized statements would not.
    db.reset();
    EXPECT_FALSE(std::filesystem::exists(m_path + "-wal"));
}

TEST_F(SqliteStatementCache, FailedStatementReportsTheSqlAndLeavesTheConnectionUsable) {
    try {
        db->exec("INSERT INTO settings(key) VALUES('no value')");
        FAIL() << "NOT NULL was not enforced";
    } catch (const std::runtime_error& fault) {
        EXPECT_NE(std::string(fault.what()).find("NOT NULL"), std::string::npos) << fault.what();
        EXPECT_NE(std::string(fault.what()).find("in: INSERT INTO settings"), std::string::npos);
    }
    EXPECT_NO_THROW(db->exec("INSERT INTO settings(key, value) VALUES('k', 'v')"));
    EXPECT_EQ(oraclesim::readSetting(*db, "k", ""), "v");
}

} // namespace
