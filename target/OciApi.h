#pragma once

#include <cstddef>
#include <cstdint>

// Our own declarations of the few Oracle Call Interface entry points and constants this layer
// uses, written from Oracle's published interface description. The client library is loaded at
// run time, so nothing here is linked against; the function types are what dlsym results are
// cast to.
namespace oci {

using sword = int;
using ub4 = std::uint32_t;
using sb4 = std::int32_t;
using ub2 = std::uint16_t;
using OraText = unsigned char;

// Opaque handles: only ever passed back to the library.
struct Env;
struct Error;
struct SvcCtx;
struct Stmt;
struct Snapshot;

inline constexpr sword kSuccess = 0;
inline constexpr sword kSuccessWithInfo = 1;
inline constexpr sword kError = -1;
inline constexpr sword kInvalidHandle = -2;

inline constexpr ub4 kDefault = 0;
inline constexpr ub4 kThreaded = 0x1;

inline constexpr ub4 kHandleEnv = 1;
inline constexpr ub4 kHandleError = 2;
inline constexpr ub4 kHandleStmt = 4;

inline constexpr ub4 kNativeSyntax = 1;
inline constexpr ub4 kAttrStmtType = 24;
inline constexpr ub2 kStmtSelect = 1;

inline constexpr ub2 kCharsetAl32Utf8 = 873;

// Oracle's messages fit comfortably; longer ones are cut, never overrun.
inline constexpr ub4 kErrorBufferSize = 3072;

using MallocFn = void* (*)(void*, std::size_t);
using ReallocFn = void* (*)(void*, void*, std::size_t);
using FreeFn = void (*)(void*, void*);

using EnvNlsCreateFn = sword (*)(Env** envhpp, ub4 mode, void* ctxp, MallocFn, ReallocFn, FreeFn,
                                 std::size_t xtramemSize, void** usrmempp, ub2 charset,
                                 ub2 ncharset);
using HandleAllocFn = sword (*)(const void* parent, void** hndlpp, ub4 type,
                                std::size_t xtramemSize, void** usrmempp);
using HandleFreeFn = sword (*)(void* hndlp, ub4 type);
using Logon2Fn = sword (*)(Env* envhp, Error* errhp, SvcCtx** svchp, const OraText* user,
                           ub4 userLen, const OraText* password, ub4 passwordLen,
                           const OraText* dbname, ub4 dbnameLen, ub4 mode);
using LogoffFn = sword (*)(SvcCtx* svchp, Error* errhp);
using StmtPrepare2Fn = sword (*)(SvcCtx* svchp, Stmt** stmtp, Error* errhp, const OraText* stmt,
                                 ub4 stmtLen, const OraText* key, ub4 keyLen, ub4 language,
                                 ub4 mode);
using StmtReleaseFn = sword (*)(Stmt* stmtp, Error* errhp, const OraText* key, ub4 keyLen,
                                ub4 mode);
using StmtExecuteFn = sword (*)(SvcCtx* svchp, Stmt* stmtp, Error* errhp, ub4 iters, ub4 rowoff,
                                const Snapshot* snapIn, Snapshot* snapOut, ub4 mode);
using AttrGetFn = sword (*)(const void* handle, ub4 handleType, void* attribute, ub4* size,
                            ub4 attrType, Error* errhp);
using ErrorGetFn = sword (*)(void* hndlp, ub4 recordno, OraText* sqlstate, sb4* errcode,
                             OraText* buf, ub4 bufsize, ub4 type);

} // namespace oci
