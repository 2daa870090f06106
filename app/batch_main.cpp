// zandoval-batch: the consumption report's load and consolidation without the
// window, for unattended monthly runs, scripts and benchmarks. It runs the
// program's own start-up and engine.
#include "Acompanhamento.h"
#include "ArgumentosSemTela.h"
#include "CarregarConsumo.h"
#include "ConsolidarConsumo.h"
#include "Contexto.h"
#include "Cp1252.h"
#include "DM.h"
#include "DM2.h"
#include "DatabaseError.h"
#include "FontesBanco.h"
#include "FontesQt.h"
#include "Inicializacao.h"
#include "Listagem.h"
#include "PlataformaSistema.h"
#include "Renderizadores.h"
#include "Transaction.h"
#include "VerificacoesAtivacao.h"

#include <QGuiApplication>

#include <algorithm>
#include <iostream>
#include <map>
#include <optional>

namespace {

using namespace zandoval;

constexpr int kConcluido = 0;
constexpr int kErro = 1;
constexpr int kArgumentos = 2;
constexpr int kInicio = 3;
constexpr int kLojaAusente = 4;

constexpr const char* kUso =
    "uso: zandoval-batch --de DATA --ate DATA [opções]\n"
    "\n"
    "Carrega as vendas do período e consolida o consumo de matérias primas, como o\n"
    "botão \"Montar Relatório\" do programa.\n"
    "\n"
    "  --de DATA         primeiro dia do período (dd/mm/aa ou dd/mm/aaaa)\n"
    "  --ate DATA        último dia do período\n"
    "  --loja CNPJ       loja (padrão: a da estação)\n"
    "  --tipo TEXTO      tipo de pedido (padrão: Pedido)\n"
    "  --materia NOME    só esta matéria prima (padrão: Todas as matérias primas)\n"
    "  --ini ARQUIVO     arquivo QUINDALE.INI (padrão: o da pasta do programa)\n"
    "  --usuario NOME    usuário que identifica a estação (padrão: o do sistema)\n"
    "  --saida ARQUIVO   grava a listagem no formato da extensão: .pdf, .html, .htm,\n"
    "                    .txt, .rtf, .ndr (relatório salvo) ou .prn\n"
    "\n"
    "Layout da listagem (padrões do painel de parâmetros):\n"
    "  --linhas N            linhas por página (60)\n"
    "  --papel NOME          A4, A5 ou Letter (A4)\n"
    "  --fonte-titulo NOME   (Lucida Console)      --tamanho-titulo N (13)\n"
    "  --fonte-corpo NOME    (Lucida Console)      --tamanho-corpo N (10)\n"
    "  --por-periodo S|N     período no cabeçalho (S)\n"
    "\n"
    "Saída: 0 concluído; 1 erro; 2 argumentos inválidos; 3 início falhou;\n"
    "4 loja não cadastrada.\n";

// The machine, with the logon name and the configuration file the caller chose.
class PlataformaBatch : public PlataformaSistema
{
public:
    std::string usuarioLogado() override
    {
        return usuario ? *usuario : PlataformaSistema::usuarioLogado();
    }
    std::optional<std::filesystem::path> arquivoConfiguracao() override
    {
        if (!ini) {
            return PlataformaSistema::arquivoConfiguracao();
        }
        std::error_code ec;
        return std::filesystem::is_regular_file(*ini, ec) ? ini : std::nullopt;
    }

    std::optional<std::string> usuario;
    std::optional<std::filesystem::path> ini;
};

// Messages to standard error, as the window would show them in a box.
class AcompanhamentoBatch : public Acompanhamento
{
public:
    void mensagem(const std::string& texto) override
    {
        std::cerr << quebrasDeLinha(texto) << std::endl;
    }
};

struct Argumentos
{
    std::map<std::string, std::string> valores;
    std::optional<Date> de;
    std::optional<Date> ate;
};

std::optional<Argumentos> lerArgumentos(int argc, char** argv, std::string& erro)
{
    static const char* const conhecidos[] = {"--de",          "--ate",           "--loja",
                                             "--tipo",        "--materia",       "--ini",
                                             "--usuario",     "--saida",         "--linhas",
                                             "--papel",       "--fonte-titulo",  "--tamanho-titulo",
                                             "--fonte-corpo", "--tamanho-corpo", "--por-periodo"};
    Argumentos a;
    for (int i = 1; i < argc; i += 2) {
        const std::string nome = argv[i];
        if (nome == "--help" || nome == "-h") {
            erro.clear();
            return std::nullopt;
        }
        if (std::find(std::begin(conhecidos), std::end(conhecidos), nome) == std::end(conhecidos)) {
            erro = "opção desconhecida: " + nome;
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            erro = "falta o valor de " + nome;
            return std::nullopt;
        }
        a.valores[nome] = argv[i + 1];
    }
    for (const char* data : {"--de", "--ate"}) {
        const auto it = a.valores.find(data);
        if (it == a.valores.end()) {
            erro = std::string("falta ") + data;
            return std::nullopt;
        }
        const auto d = lerData(it->second);
        if (!d) {
            erro = "data inválida em " + std::string(data) + ": " + it->second +
                   " (use dd/mm/aa ou dd/mm/aaaa)";
            return std::nullopt;
        }
        (std::string(data) == "--de" ? a.de : a.ate) = d;
    }
    if (const auto it = a.valores.find("--saida");
        it != a.valores.end() && !formatoPorArquivo(it->second)) {
        erro = "formato de saída desconhecido: " + it->second +
               " (use .pdf, .html, .htm, .txt, .rtf, .ndr ou .prn)";
        return std::nullopt;
    }
    return a;
}

// Stores the period in this workstation's PERIODO, as confirming the
// parameters panel does: the first row, or a new one when there is none.
void gravarPeriodo(DM2& dm2, const Date& de, const Date& ate)
{
    DataSet& periodo = dm2.Periodo;
    periodo.open();
    periodo.edit();
    periodo.setField("DATAINICIAL", de);
    periodo.setField("DATAFINAL", ate);
    periodo.post();
    periodo.close();
}

// The listing, laid out and written as the report engine would save it. Fonts
// need a GUI application object; the batch runner's draws on no screen.
void gravarListagem(DM2& dm2, const ParamRelatorio& p, const std::vector<TotalConsumo>& totais,
                    const std::string& caminho)
{
    ArgumentosSemTela argumentos;
    QGuiApplication app(argumentos.argc, argumentos.argv());
    const FontesListagem fontes = fontesDoBanco(dm2);
    MetricasQt metricas;
    salvarRelatorio(gerarListagem(p, totais, fontes, metricas), caminho);
}

} // namespace

int main(int argc, char** argv)
{
    std::string erro;
    const auto args = lerArgumentos(argc, argv, erro);
    if (!args) {
        if (!erro.empty()) {
            std::cerr << "zandoval-batch: " << erro << "\n\n";
        }
        std::cerr << kUso;
        return erro.empty() ? kConcluido : kArgumentos;
    }
    const auto valor = [&](const char* nome, const char* padrao) {
        const auto it = args->valores.find(nome);
        return it == args->valores.end() ? std::string(padrao) : it->second;
    };

    PlataformaBatch plataforma;
    if (args->valores.count("--usuario")) {
        plataforma.usuario = args->valores.at("--usuario");
    }
    if (args->valores.count("--ini")) {
        plataforma.ini = args->valores.at("--ini");
    }
    AcompanhamentoBatch acompanhamento;
    Contexto contexto;
    DM dm;
    DM2 dm2;

    const ResultadoInicio inicio = iniciar(dm, dm2, contexto, plataforma);
    if (inicio.encerrar || inicio.errosRelatados > 0) {
        return kInicio;
    }
    try {
        // What the window's activation does before a report can be asked for.
        if (!verificarLoja(dm, contexto, acompanhamento)) {
            return kLojaAusente;
        }
        reconstruirInsumos(dm);

        // What confirming the parameters panel does.
        ParamRelatorio& p = contexto.param;
        p.CNPJLoja = prefixoUtf8(valor("--loja", p.CNPJLoja.c_str()), 20);
        p.TipoPedido = prefixoUtf8(valor("--tipo", "Pedido"), 25);
        p.MateriaPrima = valor("--materia", ParamRelatorio::kTodasAsMaterias);
        gravarPeriodo(dm2, *args->de, *args->ate);

        const ResumoCarga carga = CarregarConsumo(dm, dm2, contexto, acompanhamento);
        if (carga.resultado == ResultadoCarga::LojaAusente) {
            return kLojaAusente;
        }
        const std::vector<TotalConsumo> totais = ConsolidarConsumo(dm2, contexto, acompanhamento);

        std::cout << "Loja " << p.CNPJLoja << ", estação " << p.EstacaoLocal << ", tipo \""
                  << p.TipoPedido << "\", período " << formatarData(*args->de) << " a "
                  << formatarData(*args->ate) << "\n"
                  << "Pedidos lidos: " << carga.pedidos << "\n"
                  << "Linhas de detalhe gravadas: " << carga.linhas << "\n"
                  << "Totais: " << totais.size() << "\n";
        for (const auto& t : totais) {
            std::cout << "  " << t.nomeInsumo << "  " << Decimal(t.qdeTotal).rescaled(-2).toString()
                      << " " << t.unidade.value_or("") << "\n";
        }

        if (const auto it = args->valores.find("--saida"); it != args->valores.end()) {
            p.restaurarLayoutPadrao();
            p.LinesPerPage = valor("--linhas", p.LinesPerPage.c_str());
            p.PaperName = valor("--papel", p.PaperName.c_str());
            p.TitleFontName = valor("--fonte-titulo", p.TitleFontName.c_str());
            p.TitleFontSize = valor("--tamanho-titulo", p.TitleFontSize.c_str());
            p.BodyFontName = valor("--fonte-corpo", p.BodyFontName.c_str());
            p.BodyFontSize = valor("--tamanho-corpo", p.BodyFontSize.c_str());
            p.ByPeriod = valor("--por-periodo", p.ByPeriod.c_str());
            gravarListagem(dm2, p, totais, it->second);
            std::cout << "Listagem gravada em " << it->second << "\n";
        }
    } catch (const std::exception& e) {
        std::cerr << "Erro: " << e.what() << std::endl;
        return kErro;
    }
    return kConcluido;
}
