#pragma once

#include <memory>
#include <string>

namespace Firebird {
class IMaster;
}

namespace zandoval {

// The database server's client library, loaded at run time so that the suite
// can name the folder it comes from.
//
// The name the suite gives is the Windows one: the bare "gds32.dll" means the
// platform's default client library, and a path ending in "GDS32.DLL" means the
// client library of that folder. On Windows that path is loaded as it stands;
// elsewhere the folder's own client library (libfbclient.so.2) is loaded.
class ClientLibrary
{
public:
    // Loads the library (or returns the one already loaded under that name).
    // Throws DatabaseError when it cannot be loaded.
    static std::shared_ptr<ClientLibrary> load(const std::string& vendorLib);

    // The file the loader opens for a suite library name on this platform.
    static std::string platformPath(const std::string& vendorLib);

    ~ClientLibrary();
    ClientLibrary(const ClientLibrary&) = delete;
    ClientLibrary& operator=(const ClientLibrary&) = delete;

    Firebird::IMaster* master() const { return m_master; }
    const std::string& path() const { return m_path; }

private:
    ClientLibrary(std::string path, void* handle, Firebird::IMaster* master);

    std::string m_path;
    void* m_handle = nullptr;
    Firebird::IMaster* m_master = nullptr;
};

} // namespace zandoval
