#include "TargetConnection.h"

#include "OciLibrary.h"

#include <new>
#include <utility>

namespace {

// Names our layer in the error text where the provider's name used to stand.
constexpr const char* kSourceName = "Tabwright Oracle Access";

constexpr oci::sword kNoData = 100;

std::string systemMessageFor(std::int32_t code) {
    switch (code) {
    case kStatementFailedCode:
        return "IDispatch error #3092";
    case kLogonFailedCode:
        return "Unspecified error";
    case kNoClientCode:
        return "Invalid pointer";
    default:
        return "Unknown error";
    }
}

TargetError makeError(std::int32_t code, std::string description, int oracleErrorNumber = 0) {
    TargetError error;
    error.code = code;
    error.source = kSourceName;
    error.description = std::move(description);
    error.systemMessage = systemMessageFor(code);
    error.oracleErrorNumber = oracleErrorNumber;
    return error;
}

bool succeeded(oci::sword status) {
    // A warning such as an expiring password still means the call did its work.
    return status == oci::kSuccess || status == oci::kSuccessWithInfo;
}

std::string trimTrailingSpace(std::string text) {
    const auto end = text.find_last_not_of(" \t\r\n\v\f");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

// Oracle's own message for a failed call, read from the handle the call reported into.
TargetError oracleError(const OciLibrary& library, void* handle, oci::ub4 handleType,
                        oci::sword status, std::int32_t code) {
    if (status == oci::kInvalidHandle || handle == nullptr) {
        return makeError(code, "The Oracle client reported an invalid handle (status " +
                                   std::to_string(status) + ").");
    }
    oci::sb4 number = 0;
    unsigned char buffer[oci::kErrorBufferSize] = {};
    const oci::sword got =
        library.errorGet(handle, 1, nullptr, &number, buffer, oci::kErrorBufferSize, handleType);
    if (!succeeded(got)) {
        return makeError(code, "The Oracle call failed with status " + std::to_string(status) +
                                   " and left no error record.");
    }
    buffer[oci::kErrorBufferSize - 1] = '\0';
    return makeError(code, trimTrailingSpace(reinterpret_cast<const char*>(buffer)),
                     static_cast<int>(number));
}

oci::ub4 byteLength(const std::string& text) {
    return static_cast<oci::ub4>(text.size());
}

const oci::OraText* oraText(const std::string& text) {
    return reinterpret_cast<const oci::OraText*>(text.data());
}

struct EnvFree {
    const OciLibrary* library;
    void operator()(oci::Env* env) const { library->handleFree(env, oci::kHandleEnv); }
};

struct ErrorFree {
    const OciLibrary* library;
    void operator()(oci::Error* error) const { library->handleFree(error, oci::kHandleError); }
};

struct Logoff {
    const OciLibrary* library;
    oci::Error* error;
    void operator()(oci::SvcCtx* service) const { library->logoff(service, error); }
};

struct StmtRelease {
    const OciLibrary* library;
    oci::Error* error;
    void operator()(oci::Stmt* stmt) const {
        library->stmtRelease(stmt, error, nullptr, 0, oci::kDefault);
    }
};

} // namespace

// One logged-on session. Members are released in reverse order: logoff, then the error
// handle, then the environment.
struct TargetConnection::Session {
    const OciLibrary* library = nullptr;
    std::unique_ptr<oci::Env, EnvFree> env;
    std::unique_ptr<oci::Error, ErrorFree> error;
    std::unique_ptr<oci::SvcCtx, Logoff> service;
};

TargetConnection::TargetConnection() = default;
TargetConnection::~TargetConnection() = default;

void TargetConnection::Open(const std::string& service, const std::string& user,
                            const std::string& password) {
    std::lock_guard lock(m_mutex);
    // The earlier session goes first, whether or not the new logon succeeds.
    m_session.reset();

    std::string failure;
    const OciLibrary* library = OciLibrary::load(failure);
    if (library == nullptr) {
        throw makeError(kNoClientCode, failure);
    }

    auto session = std::make_unique<Session>();
    session->library = library;

    oci::Env* env = nullptr;
    const oci::sword envStatus =
        library->envNlsCreate(&env, oci::kThreaded, nullptr, nullptr, nullptr, nullptr, 0, nullptr,
                              oci::kCharsetAl32Utf8, oci::kCharsetAl32Utf8);
    session->env = std::unique_ptr<oci::Env, EnvFree>(env, EnvFree{library});
    if (!succeeded(envStatus) || env == nullptr) {
        if (env != nullptr) {
            throw oracleError(*library, env, oci::kHandleEnv, envStatus, kNoClientCode);
        }
        throw makeError(kNoClientCode, "The Oracle client library " + library->location +
                                           " created no environment (status " +
                                           std::to_string(envStatus) + ").");
    }

    void* error = nullptr;
    const oci::sword errorStatus = library->handleAlloc(env, &error, oci::kHandleError, 0, nullptr);
    if (!succeeded(errorStatus) || error == nullptr) {
        throw oracleError(*library, env, oci::kHandleEnv, errorStatus, kNoClientCode);
    }
    session->error =
        std::unique_ptr<oci::Error, ErrorFree>(static_cast<oci::Error*>(error), ErrorFree{library});

    // User and password go to the logon as they were typed; nothing is parsed out of the
    // connection string, so any character may appear in them.
    oci::SvcCtx* serviceContext = nullptr;
    const oci::sword logonStatus =
        library->logon2(env, session->error.get(), &serviceContext, oraText(user), byteLength(user),
                        oraText(password), byteLength(password), oraText(service),
                        byteLength(service), oci::kDefault);
    if (!succeeded(logonStatus) || serviceContext == nullptr) {
        throw oracleError(*library, session->error.get(), oci::kHandleError, logonStatus,
                          kLogonFailedCode);
    }
    session->service =
        std::unique_ptr<oci::SvcCtx, Logoff>(serviceContext, Logoff{library, session->error.get()});
    m_session = std::move(session);
}

void TargetConnection::Execute(const std::string& statement) {
    std::lock_guard lock(m_mutex);
    if (!m_session) {
        throw makeError(kNoClientCode, "The Oracle connection is not open.");
    }
    const OciLibrary& library = *m_session->library;
    oci::Error* error = m_session->error.get();
    oci::SvcCtx* service = m_session->service.get();

    // The error is read before the statement is released, so the release cannot overwrite it.
    auto fail = [&](oci::sword status) {
        return oracleError(library, error, oci::kHandleError, status, kStatementFailedCode);
    };

    oci::Stmt* rawStmt = nullptr;
    const oci::sword prepared =
        library.stmtPrepare2(service, &rawStmt, error, oraText(statement), byteLength(statement),
                             nullptr, 0, oci::kNativeSyntax, oci::kDefault);
    std::unique_ptr<oci::Stmt, StmtRelease> stmt(rawStmt, StmtRelease{&library, error});
    if (!succeeded(prepared) || !stmt) {
        throw fail(prepared);
    }

    // A query runs with no rows fetched (nothing is defined to receive them); every other
    // statement runs once.
    oci::ub2 type = 0;
    const oci::sword typed =
        library.attrGet(stmt.get(), oci::kHandleStmt, &type, nullptr, oci::kAttrStmtType, error);
    if (!succeeded(typed)) {
        throw fail(typed);
    }
    const oci::ub4 iterations = type == oci::kStmtSelect ? 0 : 1;

    const oci::sword executed = library.stmtExecute(service, stmt.get(), error, iterations, 0,
                                                    nullptr, nullptr, oci::kDefault);
    if (!succeeded(executed) && executed != kNoData) {
        throw fail(executed);
    }
}

std::string TargetConnection::ErrorText(const TargetError& error) {
    const std::string absent = "(null)";
    return "\n" + error.source.value_or(absent) + " Error: " + std::to_string(error.code) + "\r\n" +
           error.description.value_or(absent) + "\r\n" + error.systemMessage + "\r\n";
}

namespace {

// Kept alive until the process ends: the worker may still be inside a call when the program
// exits, and the server discards whatever was left uncommitted.
union ProcessWideConnection {
    TargetConnection connection;
    ProcessWideConnection() : connection() {}
    ~ProcessWideConnection() {}
};

} // namespace

TargetConnection& TheTargetConnection() {
    static ProcessWideConnection instance;
    return instance.connection;
}

std::string BuildConnectionString(const std::string& service, const std::string& user,
                                  const std::string& password) {
    return "Provider=MSDAORA.1;Data Source=" + service + ";Database=" + user + ";User ID=" + user +
           ";Password=" + password + ",";
}

ConnectErrorClass ClassifyConnectError(const std::string& errorText, int oracleErrorNumber) {
    if (errorText.find("could not") != std::string::npos) {
        return ConnectErrorClass::BadServiceName;
    }
    if (errorText.find("invalid username/password") != std::string::npos) {
        return ConnectErrorClass::BadCredentials;
    }
    // Oracle 23ai rewords these messages and other languages translate them; the number stays.
    switch (oracleErrorNumber) {
    case 12154: // the connect identifier cannot be resolved
    case 12514: // the listener knows no such service
    case 12505: // the listener knows no such SID
        return ConnectErrorClass::BadServiceName;
    case 1017:
        return ConnectErrorClass::BadCredentials;
    default:
        return ConnectErrorClass::Unavailable;
    }
}

bool ErrorReports(const TargetError& error, std::string_view phrase, int oracleErrorNumber) {
    if (oracleErrorNumber != 0 && error.oracleErrorNumber == oracleErrorNumber) {
        return true;
    }
    return !phrase.empty() && TargetConnection::ErrorText(error).find(phrase) != std::string::npos;
}
