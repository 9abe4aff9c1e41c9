#pragma once

#include "TargetError.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

// The program's one connection to Oracle. Opened on the window thread; the conversion worker
// executes statements on it afterwards. Every failure is thrown as a TargetError.
class TargetConnection {
public:
    TargetConnection();
    ~TargetConnection();
    TargetConnection(const TargetConnection&) = delete;
    TargetConnection& operator=(const TargetConnection&) = delete;

    // Replaces any earlier session with a new one.
    void Open(const std::string& service, const std::string& user, const std::string& password);
    void Execute(const std::string& statement);

    // "\n<source> Error: <code>\r\n<description>\r\n<system message>\r\n"
    static std::string ErrorText(const TargetError& error);

private:
    struct Session;

    // The window thread opens, the worker executes; one call at a time reaches the session.
    std::mutex m_mutex;
    std::unique_ptr<Session> m_session;
};

// The process-wide target connection. It is never torn down at exit, so a worker still inside
// a call cannot race its release.
TargetConnection& TheTargetConnection();

// The provider-style connection string the logon is described by. The logon itself takes
// user and password as separate values and never parses them back out of this text.
std::string BuildConnectionString(const std::string& service, const std::string& user,
                                  const std::string& password);

enum class ConnectErrorClass { BadServiceName, BadCredentials, Unavailable };

// What a failed Open means to the operator, by phrase first and then by Oracle error number.
ConnectErrorClass ClassifyConnectError(const std::string& errorText, int oracleErrorNumber = 0);

// True when the error's text holds the phrase or the error carries the Oracle number: the
// classic English text, reworded and translated messages all take the same branch.
bool ErrorReports(const TargetError& error, std::string_view phrase, int oracleErrorNumber);
