#include "PlataformaSistema.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace zandoval {

std::string quebrasDeLinha(const std::string& texto)
{
    std::string s = texto;
    for (char& c : s) {
        if (c == '\r') {
            c = '\n';
        }
    }
    return s;
}

std::string PlataformaSistema::usuarioLogado()
{
#ifdef _WIN32
    char nome[257];
    DWORD n = sizeof nome;
    return GetUserNameA(nome, &n) ? std::string(nome) : std::string();
#else
    // The account of the process, not the environment: the program reads no
    // environment variables.
    const passwd* pw = getpwuid(geteuid());
    return pw ? std::string(pw->pw_name) : std::string();
#endif
}

std::filesystem::path PlataformaSistema::pastaExecutavel()
{
#ifdef _WIN32
    char caminho[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, caminho, MAX_PATH);
    return std::filesystem::path(std::string(caminho, n)).parent_path();
#else
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
#endif
}

std::filesystem::path PlataformaSistema::caminhoLocal(std::string_view caminhoWindows)
{
    constexpr std::string_view kRaiz = "c:\\quindale\\";
    std::string resto(caminhoWindows);
    bool naRaiz = resto.size() >= kRaiz.size();
    for (std::size_t i = 0; naRaiz && i < kRaiz.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(resto[i])));
        naRaiz = c == kRaiz[i];
    }
    if (naRaiz) {
        resto.erase(0, kRaiz.size());
    }
    for (char& c : resto) {
        if (c == '\\') {
            c = '/';
        }
    }
    return std::filesystem::path("/etc/quindale") / resto;
}

std::filesystem::path PlataformaSistema::arquivoDaSuite(std::string_view caminhoWindows)
{
#ifdef _WIN32
    return std::filesystem::path(std::string(caminhoWindows));
#else
    return caminhoLocal(caminhoWindows);
#endif
}

void PlataformaSistema::mostrarMensagem(const std::string& texto)
{
    std::cerr << quebrasDeLinha(texto) << std::endl;
}

void PlataformaSistema::relatarErro(const std::string& texto)
{
    std::cerr << "Erro: " << texto << std::endl;
}

} // namespace zandoval
