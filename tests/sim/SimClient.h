#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A minimal client of the simulator, loaded the way the program loads Oracle's client:
// dlopen of $ORACLE_HOME/lib/libclntsh.so, with our own declarations of the few calls.
struct OciOutcome {
    int status = 0; // OCI_SUCCESS 0, OCI_SUCCESS_WITH_INFO 1, OCI_ERROR -1, ...
    int ora = 0;
    std::string text; // as OCIErrorGet gives it, trailing newline included

    bool ok() const { return status == 0; }
};

struct OciFunctions;

class SimClient {
public:
    static constexpr std::uint16_t kUtf8 = 873;

    explicit SimClient(bool threaded = true, std::uint16_t charset = kUtf8);
    ~SimClient();
    SimClient(const SimClient&) = delete;
    SimClient& operator=(const SimClient&) = delete;

    OciOutcome logon(const std::string& user, const std::string& password,
                     const std::string& connect);
    // Prepares, executes with the iteration count the statement type asks for (or the one
    // given), and releases.
    OciOutcome execute(const std::string& sql, std::optional<std::uint32_t> iters = {},
                       std::uint32_t mode = 0);
    // OCI_ATTR_STMT_TYPE of a prepared statement.
    std::uint16_t statementType(const std::string& sql);
    OciOutcome commit();
    OciOutcome rollback();
    OciOutcome logoff();
    // OCIBreak through a second error handle, as another thread does it.
    int breakExecution();

    const OciFunctions& oci() const { return *m_oci; }
    void* environment() const { return m_env; }
    void* errorHandle() const { return m_err; }
    void* serviceContext() const { return m_svc; }
    int environmentStatus() const { return m_envStatus; }

private:
    OciOutcome outcome(int status, void* handle, std::uint32_t type) const;

    const OciFunctions* m_oci = nullptr;
    void* m_env = nullptr;
    void* m_err = nullptr;
    void* m_breakErr = nullptr;
    void* m_svc = nullptr;
    int m_envStatus = 0;
};

// The functions of the loaded library.
struct OciFunctions {
    using sword = int;
    sword (*envNlsCreate)(void**, std::uint32_t, void*, void*, void*, void*, std::size_t, void**,
                          std::uint16_t, std::uint16_t);
    sword (*handleAlloc)(const void*, void**, std::uint32_t, std::size_t, void**);
    sword (*handleFree)(void*, std::uint32_t);
    sword (*logon2)(void*, void*, void**, const unsigned char*, std::uint32_t, const unsigned char*,
                    std::uint32_t, const unsigned char*, std::uint32_t, std::uint32_t);
    sword (*logoff)(void*, void*);
    sword (*stmtPrepare2)(void*, void**, void*, const unsigned char*, std::uint32_t,
                          const unsigned char*, std::uint32_t, std::uint32_t, std::uint32_t);
    sword (*stmtRelease)(void*, void*, const unsigned char*, std::uint32_t, std::uint32_t);
    sword (*stmtExecute)(void*, void*, void*, std::uint32_t, std::uint32_t, const void*, void*,
                         std::uint32_t);
    sword (*attrGet)(const void*, std::uint32_t, void*, std::uint32_t*, std::uint32_t, void*);
    sword (*errorGet)(void*, std::uint32_t, unsigned char*, std::int32_t*, unsigned char*,
                      std::uint32_t, std::uint32_t);
    sword (*transCommit)(void*, void*, std::uint32_t);
    sword (*transRollback)(void*, void*, std::uint32_t);
    sword (*breakCall)(void*, void*);
    void (*clientVersion)(sword*, sword*, sword*, sword*, sword*);

    // Loaded once per process; aborts the test when the library is missing.
    static const OciFunctions& load();
};
