#include "Utilitarios.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace zandoval::teste {

std::string comando(const std::string& linha)
{
    std::string saida;
    if (FILE* p = popen(linha.c_str(), "r")) {
        char b[4096];
        std::size_t n;
        while ((n = std::fread(b, 1, sizeof b, p)) > 0) {
            saida.append(b, n);
        }
        pclose(p);
    }
    return saida;
}

std::string lerArquivo(const std::filesystem::path& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

} // namespace zandoval::teste
