#pragma once

#include <string>

// A shared library loaded at run time and kept for the rest of the process: the client library's
// functions may be called until exit, so it is never unloaded.
class SharedLibrary {
public:
    // The file name the client library goes by on this platform.
    static const char* clientLibraryName();
    // Folder separator for joining $ORACLE_HOME with "lib" and the file name.
    static char pathSeparator();

    // Null on failure, with the loader's reason in `reason`.
    static SharedLibrary* load(const std::string& nameOrPath, std::string& reason);

    void* symbol(const char* name) const;

private:
    explicit SharedLibrary(void* handle) : m_handle(handle) {}

    void* m_handle;
};
