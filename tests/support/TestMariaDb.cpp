#include "TestMariaDb.h"

#include <mysql.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace {

struct ConnectionCloser {
    void operator()(MYSQL* mysql) const { mysql_close(mysql); }
};
struct ResultFreer {
    void operator()(MYSQL_RES* result) const { mysql_free_result(result); }
};
using Connection = std::unique_ptr<MYSQL, ConnectionCloser>;
using Result = std::unique_ptr<MYSQL_RES, ResultFreer>;

[[noreturn]] void fail(MYSQL* mysql, const std::string& what) {
    throw std::runtime_error(what + ": " + mysql_error(mysql));
}

Connection connectAsRoot() {
    Connection mysql(mysql_init(nullptr));
    if (!mysql) {
        throw std::runtime_error("mysql_init failed");
    }
    const std::string socket = TestMariaDb::socketPath();
    if (!mysql_real_connect(mysql.get(), nullptr, "root", nullptr, nullptr, 0, socket.c_str(),
                            CLIENT_MULTI_STATEMENTS)) {
        fail(mysql.get(), "connecting as root through " + socket);
    }
    return mysql;
}

} // namespace

std::string TestMariaDb::dir() {
    const char* value = std::getenv("TABWRIGHT_TEST_MARIADB_DIR");
    if (!value || !*value) {
        throw std::runtime_error(
            "TABWRIGHT_TEST_MARIADB_DIR is not set; the test needs the MariaDB fixture");
    }
    return value;
}

std::string TestMariaDb::host() {
    const std::string path = dir() + "/host";
    std::ifstream file(path);
    std::string address;
    if (!(file >> address)) {
        throw std::runtime_error("cannot read " + path + "; did the MariaDB fixture start?");
    }
    return address;
}

std::string TestMariaDb::socketPath() {
    return dir() + "/mysqld.sock";
}

void TestMariaDb::exec(const std::string& sql) {
    Connection mysql = connectAsRoot();
    if (mysql_real_query(mysql.get(), sql.data(), sql.size()) != 0) {
        fail(mysql.get(), "executing " + sql.substr(0, 200));
    }
    // Every statement of a batch has its own outcome; a later one may fail.
    for (;;) {
        Result result(mysql_store_result(mysql.get()));
        if (!result && mysql_field_count(mysql.get()) != 0) {
            fail(mysql.get(), "reading a result of " + sql.substr(0, 200));
        }
        const int next = mysql_next_result(mysql.get());
        if (next > 0) {
            fail(mysql.get(), "executing " + sql.substr(0, 200));
        }
        if (next < 0) {
            break;
        }
    }
}

std::vector<TestMariaDb::Row> TestMariaDb::query(const std::string& sql) {
    Connection mysql = connectAsRoot();
    if (mysql_real_query(mysql.get(), sql.data(), sql.size()) != 0) {
        fail(mysql.get(), "executing " + sql.substr(0, 200));
    }
    Result result(mysql_store_result(mysql.get()));
    if (!result) {
        fail(mysql.get(), "storing the result of " + sql.substr(0, 200));
    }
    const unsigned columns = mysql_num_fields(result.get());
    std::vector<Row> rows;
    while (MYSQL_ROW values = mysql_fetch_row(result.get())) {
        const unsigned long* lengths = mysql_fetch_lengths(result.get());
        Row row;
        for (unsigned i = 0; i < columns; ++i) {
            if (values[i]) {
                row.emplace_back(std::string(values[i], lengths[i]));
            } else {
                row.emplace_back(std::nullopt);
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}
