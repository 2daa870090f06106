#include "CaminhosBanco.h"

#include "Cp1252.h"

namespace zandoval {

std::string caminhoBancoSuite(const std::string& ipServidorCentral)
{
    return ipServidorCentral + ":C:\\quindale\\dados\\quindale.bd";
}

std::string caminhoBancoInterface(const std::string& ipServidorCentral,
                                  const std::string& estacaoLocal)
{
    return ipServidorCentral + ":C:\\quindale\\Interfac" + estacaoLocal + "\\quindale.bd";
}

std::string caminhoBibliotecaCliente(const std::string& primeiraLinha)
{
    constexpr std::size_t kLimite = 100;
    std::string pasta = prefixoUtf8(primeiraLinha, kLimite);
    if (pasta.empty()) {
        return {};
    }
    if (pasta.back() != '\\' && tamanhoUtf8(pasta) < kLimite) {
        pasta += '\\';
    }
    return pasta + "GDS32.DLL";
}

} // namespace zandoval
