#pragma once

#include "OciApi.h"

#include <string>

// The Oracle client library's entry points, resolved once per process. Searched first through
// the normal loader search (so an Instant Client on the library path is found), then in
// $ORACLE_HOME/lib.
struct OciLibrary {
    oci::EnvNlsCreateFn envNlsCreate = nullptr;
    oci::HandleAllocFn handleAlloc = nullptr;
    oci::HandleFreeFn handleFree = nullptr;
    oci::Logon2Fn logon2 = nullptr;
    oci::LogoffFn logoff = nullptr;
    oci::StmtPrepare2Fn stmtPrepare2 = nullptr;
    oci::StmtReleaseFn stmtRelease = nullptr;
    oci::StmtExecuteFn stmtExecute = nullptr;
    oci::AttrGetFn attrGet = nullptr;
    oci::ErrorGetFn errorGet = nullptr;

    // Where the library was loaded from.
    std::string location;

    // The loaded library, or null with an operator-readable explanation of what was searched
    // and how to install the client in `failure`. A failed search is repeated on the next call,
    // so a client installed meanwhile is found without restarting.
    static const OciLibrary* load(std::string& failure);
};
