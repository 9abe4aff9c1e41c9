#include "SharedLibrary.h"

#include <map>
#include <memory>
#include <mutex>

// ---- Platform: Windows (LoadLibrary) ----
#if defined(_WIN32)
#include <windows.h>

namespace {

void* openLibrary(const std::string& nameOrPath, std::string& reason) {
    HMODULE module = LoadLibraryA(nameOrPath.c_str());
    if (module == nullptr) {
        reason = "Windows error " + std::to_string(GetLastError());
    }
    return reinterpret_cast<void*>(module);
}

void* findSymbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

} // namespace

const char* SharedLibrary::clientLibraryName() {
    return "oci.dll";
}
char SharedLibrary::pathSeparator() {
    return '\\';
}

// ---- Platform: POSIX (dlopen) ----
#else
#include <dlfcn.h>

namespace {

void* openLibrary(const std::string& nameOrPath, std::string& reason) {
    // RTLD_NOW: a library that lacks a dependency (libaio, a sibling) is refused here, not at
    // the first call.
    void* handle = dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* text = dlerror();
        reason = text != nullptr ? text : "unknown loader failure";
    }
    return handle;
}

void* findSymbol(void* handle, const char* name) {
    return dlsym(handle, name);
}

} // namespace

#if defined(__APPLE__)
const char* SharedLibrary::clientLibraryName() {
    return "libclntsh.dylib";
}
#else
const char* SharedLibrary::clientLibraryName() {
    return "libclntsh.so";
}
#endif
char SharedLibrary::pathSeparator() {
    return '/';
}

#endif

SharedLibrary* SharedLibrary::load(const std::string& nameOrPath, std::string& reason) {
    // One object per name for the whole process; loading the same name twice reuses it.
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<SharedLibrary>> loaded;
    std::lock_guard lock(mutex);
    if (auto found = loaded.find(nameOrPath); found != loaded.end()) {
        return found->second.get();
    }
    void* handle = openLibrary(nameOrPath, reason);
    if (handle == nullptr) {
        return nullptr;
    }
    auto library = std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
    SharedLibrary* result = library.get();
    loaded.emplace(nameOrPath, std::move(library));
    return result;
}

void* SharedLibrary::symbol(const char* name) const {
    return findSymbol(m_handle, name);
}
