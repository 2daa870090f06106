#include "Inicializacao.h"

#include "CaminhosBanco.h"
#include "ConfiguracaoSuite.h"
#include "Contexto.h"
#include "Cp1252.h"
#include "DM.h"
#include "DM2.h"
#include "DatabaseError.h"
#include "IdentificacaoEstacao.h"
#include "Plataforma.h"

#include <fstream>
#include <sstream>

namespace zandoval {

namespace {

constexpr const char* kArquivoBiblioteca = "c:\\quindale\\CaminhoGDS.txt";

std::string lerArquivo(const std::filesystem::path& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    if (!f) {
        throw std::runtime_error("Não foi possível abrir o arquivo \"" + caminho.string() + "\".");
    }
    std::stringstream s;
    s << f.rdbuf();
    if (f.bad()) {
        throw std::runtime_error("Erro de leitura no arquivo \"" + caminho.string() + "\".");
    }
    return s.str();
}

// The client library that the suite's client-library file names; empty when
// the file is missing or its first line is empty.
std::string bibliotecaDoArquivo(Plataforma& plataforma)
{
    const auto caminho = plataforma.arquivoDaSuite(kArquivoBiblioteca);
    std::error_code ec;
    if (!std::filesystem::exists(caminho, ec)) {
        return {};
    }
    const std::string texto = lerArquivo(caminho);
    std::string linha = texto.substr(0, texto.find_first_of("\r\n"));
    if (!utf8Valido(linha)) {
        linha = deCp1252(linha);
    }
    return caminhoBibliotecaCliente(linha);
}

// Runs one start-up step; an error goes to the error report and abandons the
// step. Returns false when the step threw.
template <class F> bool passo(Plataforma& plataforma, ResultadoInicio& r, F&& f)
{
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        ++r.errosRelatados;
        plataforma.relatarErro(e.what());
        return false;
    }
}

// The identification that both data modules run; an unidentified workstation
// ends the program.
bool identificar(DM& dm, Contexto& contexto, Plataforma& plataforma)
{
    if (IdentificarEstacao(dm, contexto, plataforma).empty()) {
        plataforma.mostrarMensagem(kMensagemEncerramento);
        return false;
    }
    return true;
}

} // namespace

std::optional<std::filesystem::path> Plataforma::arquivoConfiguracao()
{
    return configuracao::localizar(pastaExecutavel());
}

bool lerConfiguracaoSuite(Contexto& contexto, Plataforma& plataforma)
{
    const auto arquivo = plataforma.arquivoConfiguracao();
    if (!arquivo) {
        plataforma.mostrarMensagem(configuracao::kMensagemAusente);
        return false;
    }
    contexto.IPServidorCentral =
        prefixoUtf8(configuracao::lerServidorCentral(lerArquivo(*arquivo)), 60);
    return true;
}

bool DataModuleCreateDM(DM& dm, Contexto& contexto, Plataforma& plataforma)
{
    const std::string biblioteca = bibliotecaDoArquivo(plataforma);
    if (!biblioteca.empty()) {
        dm.sqlcon1.setVendorLib(biblioteca);
    }
    dm.sqlcon1.setDatabase(caminhoBancoSuite(contexto.IPServidorCentral));
    return identificar(dm, contexto, plataforma);
}

bool DataModuleCreateDM2(DM2& dm2, DM& dm, Contexto& contexto, Plataforma& plataforma)
{
    const std::string biblioteca = bibliotecaDoArquivo(plataforma);
    if (!biblioteca.empty()) {
        dm2.SQLConnection1.setVendorLib(biblioteca);
    }
    dm2.sqlcon1.setDatabase(caminhoBancoSuite(contexto.IPServidorCentral));
    if (!identificar(dm, contexto, plataforma)) {
        return false;
    }
    dm2.SQLConnection1.setDatabase(
        caminhoBancoInterface(contexto.IPServidorCentral, contexto.param.EstacaoLocal));
    return true;
}

ResultadoInicio iniciar(DM& dm, DM2& dm2, Contexto& contexto, Plataforma& plataforma)
{
    ResultadoInicio r;
    bool lido = true;
    passo(plataforma, r, [&] { lido = lerConfiguracaoSuite(contexto, plataforma); });
    if (!lido) {
        r.encerrar = r.configuracaoAusente = true;
        return r;
    }
    for (int modulo = 0; modulo < 2; ++modulo) {
        bool identificada = true;
        passo(plataforma, r, [&] {
            identificada = modulo == 0 ? DataModuleCreateDM(dm, contexto, plataforma)
                                       : DataModuleCreateDM2(dm2, dm, contexto, plataforma);
        });
        if (!identificada) {
            r.encerrar = r.estacaoNaoIdentificada = true;
            return r;
        }
    }
    return r;
}

} // namespace zandoval
