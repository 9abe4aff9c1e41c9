// The client library's entry points, as the program's OCI layer calls them. Our own
// declarations, written from Oracle's public documentation of the call interface.
#include "SimSession.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

using namespace oraclesim;

using sword = int;
using ub4 = std::uint32_t;
using sb4 = std::int32_t;
using ub2 = std::uint16_t;
using ub1 = unsigned char;
using OraText = unsigned char;

namespace {

constexpr sword kSuccess = 0;
constexpr sword kSuccessWithInfo = 1;
constexpr sword kNoData = 100;
constexpr sword kError = -1;
constexpr sword kInvalidHandle = -2;

constexpr ub4 kHandleEnv = 1;
constexpr ub4 kHandleError = 2;
constexpr ub4 kHandleSvcCtx = 3;
constexpr ub4 kHandleStmt = 4;
constexpr ub4 kHandleServer = 8;
constexpr ub4 kHandleSession = 9;

constexpr ub4 kModeThreaded = 0x1;
constexpr ub4 kAttrRowCount = 9;
constexpr ub4 kAttrStmtType = 24;
constexpr ub2 kCharsetAl32Utf8 = 873;
constexpr ub2 kCharsetUtf8 = 871;

struct EnvHandle;

struct Handle {
    ub4 type = 0;
    EnvHandle* env = nullptr;
    virtual ~Handle() = default;
};

struct EnvHandle : Handle {
    bool threaded = false;
    bool utf8 = true;
    int charset = kCharsetAl32Utf8;
    std::optional<ReportedError> error;
};

struct ErrorHandle : Handle {
    std::optional<ReportedError> error;
};

struct SvcHandle : Handle {
    std::unique_ptr<SimSession> session;
    std::mutex mutex;
    std::atomic<bool> executing{false};
    std::atomic<bool> breakRequested{false};
    bool fromLogon = false;
};

struct StmtHandle : Handle {
    SvcHandle* svc = nullptr;
    std::string text;
    ub2 statementType = 0;
    ub4 rowCount = 0;
    bool prepared = false;
};

// Every live handle, so that a null, freed or mistyped handle is refused as OCI does.
std::mutex g_registryMutex;
std::unordered_map<const void*, std::unique_ptr<Handle>>& registry() {
    static auto* handles = new std::unordered_map<const void*, std::unique_ptr<Handle>>();
    return *handles;
}

template <typename T> T* lookup(const void* pointer, ub4 type) {
    if (!pointer)
        return nullptr;
    std::lock_guard lock(g_registryMutex);
    const auto found = registry().find(pointer);
    if (found == registry().end() || found->second->type != type)
        return nullptr;
    return static_cast<T*>(found->second.get());
}

template <typename T> T* add(std::unique_ptr<T> handle) {
    T* raw = handle.get();
    std::lock_guard lock(g_registryMutex);
    registry().emplace(raw, std::move(handle));
    return raw;
}

std::unique_ptr<Handle> remove(const void* pointer) {
    std::lock_guard lock(g_registryMutex);
    const auto found = registry().find(pointer);
    if (found == registry().end())
        return nullptr;
    auto handle = std::move(found->second);
    registry().erase(found);
    return handle;
}

sword fail(ErrorHandle* error, ReportedError reported) {
    error->error = std::move(reported);
    return kError;
}

std::string text(const OraText* data, ub4 length) {
    if (!data)
        return {};
    return std::string(reinterpret_cast<const char*>(data), length);
}

// A client character set other than UTF-8 cannot carry other characters: Oracle's client
// turns them into replacement characters.
std::string toClientCharset(const EnvHandle& env, std::string value) {
    if (env.utf8)
        return value;
    std::string result;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c < 0x80) {
            result += value[i];
            continue;
        }
        result += '?';
        while (i + 1 < value.size() && (static_cast<unsigned char>(value[i + 1]) & 0xC0) == 0x80)
            ++i;
    }
    return result;
}

bool nlsLangIsUtf8() {
    const char* nls = std::getenv("NLS_LANG");
    if (!nls)
        return false;
    std::string value = nls;
    const auto dot = value.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string charset = value.substr(dot + 1);
    for (char& c : charset)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return charset == "AL32UTF8" || charset == "UTF8";
}

ReportedError internalError(const std::exception& fault) {
    return {600, formatOraError({600, {fault.what()}, {}}, MessageStyle{})};
}

} // namespace

#define OCI_EXPORT extern "C" __attribute__((visibility("default")))

OCI_EXPORT sword OCIEnvNlsCreate(void** envhpp, ub4 mode, void* /*ctxp*/, void* /*malocfp*/,
                                 void* /*ralocfp*/, void* /*mfreefp*/, size_t /*xtramem_sz*/,
                                 void** usrmempp, ub2 charset, ub2 ncharset) {
    if (!envhpp)
        return kInvalidHandle;
    auto env = std::make_unique<EnvHandle>();
    env->type = kHandleEnv;
    env->env = env.get();
    env->threaded = (mode & kModeThreaded) != 0;
    env->charset = charset;
    if (usrmempp)
        *usrmempp = nullptr;
    bool supported = true;
    if (charset == 0)
        env->utf8 = nlsLangIsUtf8();
    else if (charset == kCharsetAl32Utf8 || charset == kCharsetUtf8)
        env->utf8 = true;
    else
        supported = false;
    if (ncharset != 0 && ncharset != kCharsetAl32Utf8 && ncharset != kCharsetUtf8 &&
        ncharset != 2000)
        supported = false;
    EnvHandle* raw = add(std::move(env));
    *envhpp = raw;
    if (!supported) {
        raw->error = ReportedError{12705, formatOraError({12705, {}, {}}, environmentStyle())};
        return kError;
    }
    return kSuccess;
}

OCI_EXPORT sword OCIHandleAlloc(const void* parenth, void** hndlpp, ub4 type, size_t /*xtramem_sz*/,
                                void** usrmempp) {
    auto* env = lookup<EnvHandle>(parenth, kHandleEnv);
    if (!env || !hndlpp)
        return kInvalidHandle;
    if (usrmempp)
        *usrmempp = nullptr;
    std::unique_ptr<Handle> handle;
    switch (type) {
    case kHandleError:
        handle = std::make_unique<ErrorHandle>();
        break;
    case kHandleStmt:
        handle = std::make_unique<StmtHandle>();
        break;
    case kHandleSvcCtx:
        handle = std::make_unique<SvcHandle>();
        break;
    case kHandleServer:
    case kHandleSession:
        handle = std::make_unique<Handle>();
        break;
    default:
        return kInvalidHandle;
    }
    handle->type = type;
    handle->env = env;
    *hndlpp = add(std::move(handle));
    return kSuccess;
}

OCI_EXPORT sword OCIHandleFree(void* hndlp, ub4 type) {
    Handle* handle = nullptr;
    {
        std::lock_guard lock(g_registryMutex);
        const auto found = registry().find(hndlp);
        if (found == registry().end() || found->second->type != type)
            return kInvalidHandle;
        handle = found->second.get();
    }
    // What OCILogon2 and OCIStmtPrepare2 hand out is given back through OCILogoff and
    // OCIStmtRelease only.
    if (type == kHandleSvcCtx && static_cast<SvcHandle*>(handle)->fromLogon)
        return kInvalidHandle;
    if (type == kHandleStmt && static_cast<StmtHandle*>(handle)->prepared)
        return kInvalidHandle;
    if (type == kHandleEnv) {
        // Freeing the environment frees everything made from it; open sessions end without
        // a commit, like a process that goes away.
        std::lock_guard lock(g_registryMutex);
        for (auto it = registry().begin(); it != registry().end();) {
            if (it->second->env == handle && it->second.get() != handle)
                it = registry().erase(it);
            else
                ++it;
        }
    }
    remove(hndlp);
    return kSuccess;
}

OCI_EXPORT sword OCIErrorGet(void* hndlp, ub4 recordno, OraText* /*sqlstate*/, sb4* errcodep,
                             OraText* bufp, ub4 bufsiz, ub4 type) {
    std::optional<ReportedError> error;
    if (type == kHandleError) {
        auto* handle = lookup<ErrorHandle>(hndlp, kHandleError);
        if (!handle)
            return kInvalidHandle;
        error = handle->error;
    } else if (type == kHandleEnv) {
        auto* handle = lookup<EnvHandle>(hndlp, kHandleEnv);
        if (!handle)
            return kInvalidHandle;
        error = handle->error;
    } else {
        return kInvalidHandle;
    }
    if (recordno != 1 || !error)
        return kNoData;
    if (errcodep)
        *errcodep = error->number;
    if (bufp && bufsiz > 0) {
        const std::string message = error->text + "\n";
        const std::size_t size = std::min<std::size_t>(message.size(), bufsiz - 1);
        std::memcpy(bufp, message.data(), size);
        bufp[size] = 0;
    }
    return kSuccess;
}

OCI_EXPORT sword OCILogon2(void* envhp, void* errhp, void** svchp, const OraText* username,
                           ub4 uname_len, const OraText* password, ub4 passwd_len,
                           const OraText* dbname, ub4 dbname_len, ub4 /*mode*/) {
    auto* env = lookup<EnvHandle>(envhp, kHandleEnv);
    auto* error = lookup<ErrorHandle>(errhp, kHandleError);
    if (!env || !error || !svchp)
        return kInvalidHandle;
    error->error.reset();
    LogonRequest request;
    request.connect = text(dbname, dbname_len);
    request.user = toClientCharset(*env, text(username, uname_len));
    request.password = toClientCharset(*env, text(password, passwd_len));
    request.threaded = env->threaded;
    request.charset = env->charset;
    try {
        LogonResult result = SimSession::logon(request);
        if (!result.session)
            return fail(error, *result.error);
        auto svc = std::make_unique<SvcHandle>();
        svc->type = kHandleSvcCtx;
        svc->env = env;
        svc->fromLogon = true;
        svc->session = std::move(result.session);
        *svchp = add(std::move(svc));
        if (result.error) {
            error->error = result.error;
            return kSuccessWithInfo;
        }
        return kSuccess;
    } catch (const std::exception& fault) {
        return fail(error, internalError(fault));
    }
}

OCI_EXPORT sword OCILogoff(void* svchp, void* errhp) {
    auto* svc = lookup<SvcHandle>(svchp, kHandleSvcCtx);
    auto* error = lookup<ErrorHandle>(errhp, kHandleError);
    if (!svc || !error || !svc->session)
        return kInvalidHandle;
    error->error.reset();
    {
        std::lock_guard lock(svc->mutex);
        try {
            svc->session->logoff();
        } catch (const std::exception& fault) {
            error->error = internalError(fault);
        }
    }
    remove(svchp);
    return kSuccess;
}

OCI_EXPORT sword OCIStmtPrepare2(void* svchp, void** stmtp, void* errhp, const OraText* stmt,
                                 ub4 stmt_len, const OraText* /*key*/, ub4 /*key_len*/,
                                 ub4 language, ub4 /*mode*/) {
    auto* svc = lookup<SvcHandle>(svchp, kHandleSvcCtx);
    auto* error = lookup<ErrorHandle>(errhp, kHandleError);
    if (!svc || !error || !stmtp || !svc->session)
        return kInvalidHandle;
    error->error.reset();
    if (!stmt || stmt_len == 0)
        return fail(error, {24373, formatOraError({24373, {}, {}}, environmentStyle())});
    if (language < 1 || language > 3) {
        const OraError unsupported{
            600, {"OCIStmtPrepare2 language " + std::to_string(language)}, {}};
        return fail(error, {600, formatOraError(unsupported, environmentStyle())});
    }
    auto handle = std::make_unique<StmtHandle>();
    handle->type = kHandleStmt;
    handle->env = svc->env;
    handle->svc = svc;
    handle->text = toClientCharset(*svc->env, text(stmt, stmt_len));
    handle->statementType = statementTypeOf(handle->text);
    handle->prepared = true;
    *stmtp = add(std::move(handle));
    return kSuccess;
}

OCI_EXPORT sword OCIStmtRelease(void* stmtp, void* errhp, const OraText* /*key*/, ub4 /*key_len*/,
                                ub4 /*mode*/) {
    auto* stmt = lookup<StmtHandle>(stmtp, kHandleStmt);
    if (!stmt || !stmt->prepared)
        return kInvalidHandle;
    if (errhp && !lookup<ErrorHandle>(errhp, kHandleError))
        return kInvalidHandle;
    remove(stmtp);
    return kSuccess;
}

OCI_EXPORT sword OCIStmtExecute(void* svchp, void* stmtp, void* errhp, ub4 iters, ub4 /*rowoff*/,
                                const void* /*snap_in*/, void* /*snap_out*/, ub4 mode) {
    auto* svc = lookup<SvcHandle>(svchp, kHandleSvcCtx);
    auto* stmt = lookup<StmtHandle>(stmtp, kHandleStmt);
    auto* error = lookup<ErrorHandle>(errhp, kHandleError);
    if (!svc || !stmt || !error || !svc->session)
        return kInvalidHandle;
    error->error.reset();
    if (!stmt->prepared)
        return fail(error, {24337, formatOraError({24337, {}, {}}, environmentStyle())});
    std::lock_guard lock(svc->mutex);
    svc->breakRequested = false;
    svc->executing = true;
    std::optional<ReportedError> result;
    try {
        result =
            svc->session->execute(stmt->text, iters, mode, stmt->rowCount, svc->breakRequested);
    } catch (const std::exception& fault) {
        result = internalError(fault);
    }
    svc->executing = false;
    if (result)
        return fail(error, *result);
    return kSuccess;
}

OCI_EXPORT sword OCIAttrGet(const void* trgthndlp, ub4 trghndltyp, void* attributep, ub4* sizep,
                            ub4 attrtype, void* errhp) {
    auto* error = lookup<ErrorHandle>(errhp, kHandleError);
    if (!error || !attributep)
        return kInvalidHandle;
    error->error.reset();
    if (trghndltyp != kHandleStmt)
        return fail(error, {24315, formatOraError({24315, {}, {}}, environmentStyle())});
    auto* stmt = lookup<StmtHandle>(trgthndlp, kHandleStmt);
    if (!stmt)
        return kInvalidHandle;
    if (attrtype == kAttrStmtType) {
        *static_cast<ub2*>(attributep) = stmt->statementType;
        if (sizep)
            *sizep = sizeof(ub2);
        return kSuccess;
    }
    if (attrtype == kAttrRowCount) {
        *static_cast<ub4*>(attributep) = stmt->rowCount;
        if (sizep)
            *sizep = sizeof(ub4);
        return kSuccess;
    }
    return fail(error, {24315, formatOraError({24315, {}, {}}, environmentStyle())});
}

OCI_EXPORT sword OCITransCommit(void* svchp, void* errhp, ub4 /*flags*/) {
    auto* svc = lookup<SvcHandle>(svchp, kHandleSvcCtx);
    auto* error = lookup<ErrorHandle>(errhp, kHandleError);
    if (!svc || !error || !svc->session)
        return kInvalidHandle;
    error->error.reset();
    std::lock_guard lock(svc->mutex);
    try {
        if (auto result = svc->session->commit())
            return fail(error, *result);
    } catch (const std::exception& fault) {
        return fail(error, internalError(fault));
    }
    return kSuccess;
}

OCI_EXPORT sword OCITransRollback(void* svchp, void* errhp, ub4 /*flags*/) {
    auto* svc = lookup<SvcHandle>(svchp, kHandleSvcCtx);
    auto* error = lookup<ErrorHandle>(errhp, kHandleError);
    if (!svc || !error || !svc->session)
        return kInvalidHandle;
    error->error.reset();
    std::lock_guard lock(svc->mutex);
    svc->session->rollback();
    return kSuccess;
}

// Called from another thread while a statement runs; it must not wait for that statement.
OCI_EXPORT sword OCIBreak(void* hndlp, void* errhp) {
    auto* svc = lookup<SvcHandle>(hndlp, kHandleSvcCtx);
    auto* error = lookup<ErrorHandle>(errhp, kHandleError);
    if (!svc || !error)
        return kInvalidHandle;
    error->error.reset();
    if (svc->executing)
        svc->breakRequested = true;
    return kSuccess;
}

OCI_EXPORT void OCIClientVersion(sword* major_version, sword* minor_version, sword* update_num,
                                 sword* patch_num, sword* port_update_num) {
    if (major_version)
        *major_version = 21;
    if (minor_version)
        *minor_version = 12;
    if (update_num)
        *update_num = 0;
    if (patch_num)
        *patch_num = 0;
    if (port_update_num)
        *port_update_num = 0;
}
