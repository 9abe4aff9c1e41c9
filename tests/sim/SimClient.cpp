#include "SimClient.h"

#include <dlfcn.h>

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr std::uint32_t kEnv = 1;
constexpr std::uint32_t kError = 2;
constexpr std::uint32_t kStmt = 4;
constexpr std::uint32_t kAttrStmtType = 24;

template <typename T> void resolve(void* library, const char* name, T& target) {
    void* symbol = dlsym(library, name);
    if (!symbol)
        throw std::runtime_error(std::string("missing ") + name);
    target = reinterpret_cast<T>(symbol);
}

const unsigned char* bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

std::uint32_t size(const std::string& text) {
    return static_cast<std::uint32_t>(text.size());
}

} // namespace

const OciFunctions& OciFunctions::load() {
    static const OciFunctions functions = [] {
        const char* home = std::getenv("ORACLE_HOME");
        if (!home)
            throw std::runtime_error("ORACLE_HOME is not set");
        const std::string path = std::string(home) + "/lib/libclntsh.so";
        void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library)
            throw std::runtime_error(dlerror());
        OciFunctions f{};
        resolve(library, "OCIEnvNlsCreate", f.envNlsCreate);
        resolve(library, "OCIHandleAlloc", f.handleAlloc);
        resolve(library, "OCIHandleFree", f.handleFree);
        resolve(library, "OCILogon2", f.logon2);
        resolve(library, "OCILogoff", f.logoff);
        resolve(library, "OCIStmtPrepare2", f.stmtPrepare2);
        resolve(library, "OCIStmtRelease", f.stmtRelease);
        resolve(library, "OCIStmtExecute", f.stmtExecute);
        resolve(library, "OCIAttrGet", f.attrGet);
        resolve(library, "OCIErrorGet", f.errorGet);
        resolve(library, "OCITransCommit", f.transCommit);
        resolve(library, "OCITransRollback", f.transRollback);
        resolve(library, "OCIBreak", f.breakCall);
        resolve(library, "OCIClientVersion", f.clientVersion);
        return f;
    }();
    return functions;
}

SimClient::SimClient(bool threaded, std::uint16_t charset) : m_oci(&OciFunctions::load()) {
    m_envStatus = m_oci->envNlsCreate(&m_env, threaded ? 1u : 0u, nullptr, nullptr, nullptr,
                                      nullptr, 0, nullptr, charset, charset);
    if (m_env) {
        m_oci->handleAlloc(m_env, &m_err, kError, 0, nullptr);
        m_oci->handleAlloc(m_env, &m_breakErr, kError, 0, nullptr);
    }
}

SimClient::~SimClient() {
    // Freeing the environment ends an open session without committing it.
    if (m_env)
        m_oci->handleFree(m_env, kEnv);
}

OciOutcome SimClient::outcome(int status, void* handle, std::uint32_t type) const {
    OciOutcome result;
    result.status = status;
    if (status == 0 || status == -2)
        return result;
    unsigned char buffer[3072] = {};
    std::int32_t code = 0;
    if (m_oci->errorGet(handle, 1, nullptr, &code, buffer, sizeof buffer, type) == 0) {
        result.ora = code;
        result.text = reinterpret_cast<const char*>(buffer);
    }
    return result;
}

OciOutcome SimClient::logon(const std::string& user, const std::string& password,
                            const std::string& connect) {
    void* svc = nullptr;
    const int status = m_oci->logon2(m_env, m_err, &svc, bytes(user), size(user), bytes(password),
                                     size(password), bytes(connect), size(connect), 0);
    if (status == 0 || status == 1)
        m_svc = svc;
    return outcome(status, m_err, kError);
}

std::uint16_t SimClient::statementType(const std::string& sql) {
    void* stmt = nullptr;
    m_oci->stmtPrepare2(m_svc, &stmt, m_err, bytes(sql), size(sql), nullptr, 0, 1, 0);
    std::uint16_t type = 0xFFFF;
    m_oci->attrGet(stmt, kStmt, &type, nullptr, kAttrStmtType, m_err);
    m_oci->stmtRelease(stmt, m_err, nullptr, 0, 0);
    return type;
}

OciOutcome SimClient::execute(const std::string& sql, std::optional<std::uint32_t> iters,
                              std::uint32_t mode) {
    void* stmt = nullptr;
    int status = m_oci->stmtPrepare2(m_svc, &stmt, m_err, bytes(sql), size(sql), nullptr, 0, 1, 0);
    if (status != 0)
        return outcome(status, m_err, kError);
    if (!iters) {
        std::uint16_t type = 0;
        m_oci->attrGet(stmt, kStmt, &type, nullptr, kAttrStmtType, m_err);
        iters = type == 1 ? 0u : 1u;
    }
    status = m_oci->stmtExecute(m_svc, stmt, m_err, *iters, 0, nullptr, nullptr, mode);
    OciOutcome result = outcome(status, m_err, kError);
    m_oci->stmtRelease(stmt, m_err, nullptr, 0, 0);
    return result;
}

OciOutcome SimClient::commit() {
    return outcome(m_oci->transCommit(m_svc, m_err, 0), m_err, kError);
}

OciOutcome SimClient::rollback() {
    return outcome(m_oci->transRollback(m_svc, m_err, 0), m_err, kError);
}

OciOutcome SimClient::logoff() {
    const int status = m_oci->logoff(m_svc, m_err);
    if (status == 0)
        m_svc = nullptr;
    return outcome(status, m_err, kError);
}

int SimClient::breakExecution() {
    return m_oci->breakCall(m_svc, m_breakErr);
}
