#include "OciLibrary.h"

#include "SharedLibrary.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct Candidate {
    std::string nameOrPath;
    std::string description;
};

std::vector<Candidate> candidates() {
    const std::string name = SharedLibrary::clientLibraryName();
    std::vector<Candidate> result;
    result.push_back({name, name + " on the system library search path"});
    const char* home = std::getenv("ORACLE_HOME");
    if (home != nullptr && *home != '\0') {
        std::string path = home;
        if (path.back() != SharedLibrary::pathSeparator()) {
            path += SharedLibrary::pathSeparator();
        }
        path += std::string("lib") + SharedLibrary::pathSeparator() + name;
        result.push_back({path, path});
    }
    return result;
}

template <typename Function>
bool resolve(const SharedLibrary& library, const char* name, Function& function,
             std::string& missing) {
    function = reinterpret_cast<Function>(library.symbol(name));
    if (function == nullptr) {
        missing += missing.empty() ? name : std::string(", ") + name;
        return false;
    }
    return true;
}

// Filled from a loaded library; false with the names it lacks when it is not an Oracle client.
bool resolveAll(const SharedLibrary& library, OciLibrary& oci, std::string& missing) {
    bool ok = true;
    ok &= resolve(library, "OCIEnvNlsCreate", oci.envNlsCreate, missing);
    ok &= resolve(library, "OCIHandleAlloc", oci.handleAlloc, missing);
    ok &= resolve(library, "OCIHandleFree", oci.handleFree, missing);
    ok &= resolve(library, "OCILogon2", oci.logon2, missing);
    ok &= resolve(library, "OCILogoff", oci.logoff, missing);
    ok &= resolve(library, "OCIStmtPrepare2", oci.stmtPrepare2, missing);
    ok &= resolve(library, "OCIStmtRelease", oci.stmtRelease, missing);
    ok &= resolve(library, "OCIStmtExecute", oci.stmtExecute, missing);
    ok &= resolve(library, "OCIAttrGet", oci.attrGet, missing);
    ok &= resolve(library, "OCIErrorGet", oci.errorGet, missing);
    return ok;
}

// The loader's own wording goes to the operator; this description is matched against the
// connect-error phrases, so it must never read like a wrong service name or a refused login.
std::string neutralised(std::string text) {
    for (std::size_t at = text.find("could not"); at != std::string::npos;
         at = text.find("could not", at)) {
        text.replace(at, 9, "cannot");
    }
    return text;
}

std::string installAdvice() {
#if defined(_WIN32)
    return "Install Oracle Instant Client (the Basic or Basic Light package) and add its folder "
           "to PATH, or set ORACLE_HOME to an Oracle client installation.";
#else
    return "Install Oracle Instant Client (the Basic or Basic Light package, plus the libaio "
           "package on Linux) and add its folder to LD_LIBRARY_PATH or register it with "
           "ldconfig, or set ORACLE_HOME to an Oracle client installation.";
#endif
}

} // namespace

const OciLibrary* OciLibrary::load(std::string& failure) {
    static std::mutex mutex;
    static std::unique_ptr<OciLibrary> loaded;
    std::lock_guard lock(mutex);
    if (loaded) {
        return loaded.get();
    }

    std::string report;
    for (const Candidate& candidate : candidates()) {
        std::string reason;
        SharedLibrary* library = SharedLibrary::load(candidate.nameOrPath, reason);
        if (library == nullptr) {
            // The loader tends to repeat the path it was given; it is already on the line.
            if (reason.rfind(candidate.nameOrPath + ": ", 0) == 0) {
                reason.erase(0, candidate.nameOrPath.size() + 2);
            }
            report += "\n  " + candidate.description + ": " + reason;
            continue;
        }
        auto oci = std::make_unique<OciLibrary>();
        std::string missing;
        if (!resolveAll(*library, *oci, missing)) {
            report += "\n  " + candidate.description + ": not an Oracle client library (lacks " +
                      missing + ")";
            continue;
        }
        oci->location = candidate.nameOrPath;
        loaded = std::move(oci);
        return loaded.get();
    }

    const char* home = std::getenv("ORACLE_HOME");
    if (home == nullptr || *home == '\0') {
        report += "\n  $ORACLE_HOME/lib: skipped, ORACLE_HOME is not set";
    }
    failure = neutralised(
        std::string("The Oracle client library ") + SharedLibrary::clientLibraryName() +
        " is not installed or cannot be loaded. Searched:" + report + "\n" + installAdvice());
    return nullptr;
}
