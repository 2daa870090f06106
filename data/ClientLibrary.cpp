#include "ClientLibrary.h"

#include "DatabaseError.h"

#include <firebird/Interface.h>

#include <cctype>
#include <map>
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace zandoval {

namespace {

constexpr const char* kDefaultSuiteName = "gds32.dll";
constexpr const char* kSuiteFileName = "GDS32.DLL";

#ifdef _WIN32
constexpr const char* kPlatformDefault = "fbclient.dll";
#else
constexpr const char* kPlatformDefault = "libfbclient.so.2";
#endif

bool terminaCom(const std::string& s, const std::string& fim)
{
    if (s.size() < fim.size()) {
        return false;
    }
    for (std::size_t i = 0; i < fim.size(); ++i) {
        const auto a = static_cast<unsigned char>(s[s.size() - fim.size() + i]);
        const auto b = static_cast<unsigned char>(fim[i]);
        if (std::toupper(a) != std::toupper(b)) {
            return false;
        }
    }
    return true;
}

// Libraries stay loaded until the process ends: a connection's interfaces point
// into them, and unloading the client library at exit races with its own
// shutdown threads.
std::map<std::string, std::weak_ptr<ClientLibrary>>& carregadas()
{
    static auto* mapa = new std::map<std::string, std::weak_ptr<ClientLibrary>>;
    return *mapa;
}

} // namespace

std::string ClientLibrary::platformPath(const std::string& vendorLib)
{
    const bool nomeSemPasta = vendorLib.size() == std::string(kDefaultSuiteName).size() &&
                              terminaCom(vendorLib, kDefaultSuiteName);
    if (vendorLib.empty() || nomeSemPasta) {
        return kPlatformDefault;
    }
#ifdef _WIN32
    return vendorLib;
#else
    std::string pasta = vendorLib;
    if (terminaCom(pasta, kSuiteFileName)) {
        pasta.resize(pasta.size() - std::string(kSuiteFileName).size());
    }
    while (!pasta.empty() && (pasta.back() == '\\' || pasta.back() == '/')) {
        pasta.pop_back();
    }
    return pasta + "/" + kPlatformDefault;
#endif
}

std::shared_ptr<ClientLibrary> ClientLibrary::load(const std::string& vendorLib)
{
    static std::mutex trava;
    const std::lock_guard guarda(trava);
    const std::string caminho = platformPath(vendorLib);
    if (auto existente = carregadas()[caminho].lock()) {
        return existente;
    }
#ifdef _WIN32
    HMODULE handle = LoadLibraryA(caminho.c_str());
    if (!handle) {
        throw DatabaseError("Não foi possível carregar a biblioteca cliente do banco de dados \"" +
                            caminho + "\".");
    }
    auto entrada = reinterpret_cast<Firebird::IMaster* (*)()>(
        GetProcAddress(handle, "fb_get_master_interface"));
#else
    void* handle = dlopen(caminho.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        throw DatabaseError("Não foi possível carregar a biblioteca cliente do banco de dados \"" +
                            caminho + "\": " + dlerror());
    }
    using Entrada = Firebird::IMaster* (*)();
    auto entrada = reinterpret_cast<Entrada>(dlsym(handle, "fb_get_master_interface"));
#endif
    if (!entrada) {
        throw DatabaseError("A biblioteca \"" + caminho +
                            "\" não é uma biblioteca cliente do Firebird.");
    }
    std::shared_ptr<ClientLibrary> lib(
        new ClientLibrary(caminho, reinterpret_cast<void*>(handle), entrada()));
    carregadas()[caminho] = lib;
    // Keep one reference for the life of the process (see carregadas()).
    static auto* vivas = new std::vector<std::shared_ptr<ClientLibrary>>;
    vivas->push_back(lib);
    return lib;
}

ClientLibrary::ClientLibrary(std::string path, void* handle, Firebird::IMaster* master)
    : m_path(std::move(path))
    , m_handle(handle)
    , m_master(master)
{
}

ClientLibrary::~ClientLibrary() = default;

} // namespace zandoval
