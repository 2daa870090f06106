#include "ConfiguracaoSuite.h"

#include <algorithm>
#include <cctype>

namespace zandoval::configuracao {

namespace {

constexpr std::size_t kLargRotulo = 48;
constexpr std::size_t kInicioValor = 49; // column 50, counted from 0
constexpr std::size_t kLargValor = 60;

std::string valorDaLinha(std::string_view linha)
{
    if (linha.size() <= kInicioValor) {
        return {};
    }
    std::string_view v = linha.substr(kInicioValor, kLargValor);
    const auto ini = v.find_first_not_of(' ');
    if (ini == std::string_view::npos) {
        return {};
    }
    const auto fim = v.find_last_not_of(' ');
    return std::string(v.substr(ini, fim - ini + 1));
}

} // namespace

std::string lerServidorCentral(std::string_view conteudo)
{
    const auto ctrlZ = conteudo.find('\x1A');
    if (ctrlZ != std::string_view::npos) {
        conteudo = conteudo.substr(0, ctrlZ);
    }
    std::string servidor;
    std::size_t pos = 0;
    while (pos < conteudo.size()) {
        auto lf = conteudo.find('\n', pos);
        if (lf == std::string_view::npos) {
            lf = conteudo.size();
        }
        std::string_view linha = conteudo.substr(pos, lf - pos);
        pos = lf + 1;
        const auto cr = linha.find('\r');
        if (cr != std::string_view::npos) {
            linha = linha.substr(0, cr);
        }
        if (linha.substr(0, kLargRotulo) == kRotuloServidor) {
            servidor = valorDaLinha(linha);
        }
    }
    return servidor;
}

std::optional<std::filesystem::path> localizar(const std::filesystem::path& pasta)
{
    std::error_code ec;
    const auto exato = pasta / kNomeArquivo;
    if (std::filesystem::is_regular_file(exato, ec)) {
        return exato;
    }
    const auto semCaixa = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return s;
    };
    for (const auto& entrada : std::filesystem::directory_iterator(pasta, ec)) {
        if (entrada.is_regular_file(ec) &&
            semCaixa(entrada.path().filename().string()) == kNomeArquivo) {
            return entrada.path();
        }
    }
    return std::nullopt;
}

} // namespace zandoval::configuracao
