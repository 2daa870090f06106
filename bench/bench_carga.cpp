// Load and consolidation of a month against the server's own set-based write
// of the same detail rows, measured in one run on the private server.
//
//   bench_carga --servidor 127.0.0.1/PORT --batch PATH/zandoval-batch
//
// Prints, for 5,000 and 20,000 orders: the server's INSERT … SELECT, the
// program's load and consolidation, their ratio, the growth from 5,000 to
// 20,000 orders, and the batch runner's peak memory on the larger month.
#include "Acompanhamento.h"
#include "CarregarConsumo.h"
#include "ConsolidarConsumo.h"
#include "Contexto.h"
#include "DM.h"
#include "DM2.h"
#include "GeradorAmostra.h"
#include "Inicializacao.h"
#include "PlataformaTeste.h"
#include "TestServer.h"
#include "Transaction.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zandoval;
using namespace zandoval::teste;
using Relogio = std::chrono::steady_clock;

namespace {

const char* const kSuite = "C:\\quindale\\dados\\quindale.bd";
const char* const kInterface = "C:\\quindale\\Interfac01\\quindale.bd";

// The same rows as a load of the month's "Pedido" orders, written by the server
// in one statement: the join of orders, formulas and ingredients, the supplier's
// CNPJ, and quantity expressions of the same shape (not the rules' exact
// arithmetic, which is the program's). It walks the tables as the program's
// load does, orders first.
constexpr const char* kInsertSelect =
    "insert into RP_VENDAMP (CODIGOVENDA, CNPJ, ESTLOCAL, PERIODO, PEDIDO, FORMULA, CODIGOINSUMO, "
    "NOMEINSUMO, DATAVENDA, NOMEPRESCRITOR, NREGPROFPRESCRITOR, CONSELHOPROFISSIONAL, UFCONSELHO, "
    "NOMECOMPRADOR, NOMEPACIENTE, FONEDOPACIENTE, NUMLOTE, CNPJFORNECEDOR, QDEPORUNID, "
    "UNIDADEDEMEDIDA, UNIDFARMAC, QDEUNIDFARMAC, QDETOTAL, PRECOTOTAL, FORMAPAGAMENTO1, VENDEDOR) "
    "select row_number() over (), '11222333000181', '01', '01/03/08 a 31/03/08', "
    "P.ESTACAO || '.' || P.NPEDIDO, F.NFORMULA, C.CODIGOCOMP, C.COMPONENTE, P.DATAPEDIDO, "
    "P.MEDICO, substring(P.CRM from 1 for 12), upper(P.CONSELHOPROFISSIONAL), upper(P.UFCONSELHO), "
    "P.NOME, P.NOME, substring(P.FONE from 1 for 25), substring(C.LOTE from 1 for 20), "
    "(select first 1 X.CNPJ from FORNECED X where X.NOMEFANTASIA = C.FORNECEDOR), "
    "round(C.QDE / iif(C.FATORDILUICAO = 0, 1, C.FATORDILUICAO), 6), lower(substring(C.UNID from 1 for 2)), "
    "iif(upper(F.FORMAFARMA) similar to '__PSUL%', 'cap', 'ml'), F.QDECAPSULAS * F.QDEROTULOS, "
    "round(C.QDE / iif(C.FATORDILUICAO = 0, 1, C.FATORDILUICAO), 6) * F.QDECAPSULAS * F.QDEROTULOS, "
    "F.PRECOFORMULA, substring(P.FORMAPAGAMENTO from 1 for 25), P.VENDEDOR "
    "from PEDIDOS P left join PEDIFORM F on F.ESTACAO = P.ESTACAO and F.NPEDIDO = P.NPEDIDO "
    "left join COMPEDID C on C.ESTACAO = F.ESTACAO and C.NPEDIDO = F.NPEDIDO and "
    "C.NFORMULA = F.NFORMULA "
    "where P.TIPOPEDIDO = ? and P.DATAPEDIDO between ? and ? and P.ESTACAO <> '' "
    "and C.ESTACAO is not null";

double segundos(Relogio::time_point inicio)
{
    return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

// Empties the detail and has the server clean up the deleted rows, so each
// timed run starts from the same table.
void limpar(Connection& c)
{
    executeDirect(c, "delete from RP_VENDAMP");
    executeDirect(c, "delete from RP_CONSMP");
    queryDirect(c, "select count(*) from RP_VENDAMP");
    queryDirect(c, "select count(*) from RP_CONSMP");
}

class Silencioso : public Acompanhamento
{
public:
    void mensagem(const std::string&) override { ++avisos; }
    int avisos = 0;
};

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Medida
{
    double servidor = 0;
    double programa = 0;
    double carga = 0;
    double consolidacao = 0;
    std::uint64_t linhas = 0;
};

Medida medir(Connection& c, DM& dm, DM2& dm2, Contexto& contexto, int repeticoes)
{
    const Date de{std::chrono::year{2008}, std::chrono::month{3}, std::chrono::day{1}};
    const Date ate{std::chrono::year{2008}, std::chrono::month{3}, std::chrono::day{31}};
    std::vector<double> servidor, programa, carga, consolidacao;
    Medida m;
    for (int i = 0; i < repeticoes; ++i) {
        limpar(c);
        auto t0 = Relogio::now();
        {
            Transaction t(c);
            t.execute(kInsertSelect, {"Pedido", de, ate});
            t.commit();
        }
        servidor.push_back(segundos(t0));

        limpar(c);
        Silencioso silencioso;
        t0 = Relogio::now();
        const ResumoCarga r = CarregarConsumo(dm, dm2, contexto, silencioso);
        const double tCarga = segundos(t0);
        const auto t1 = Relogio::now();
        ConsolidarConsumo(dm2, contexto, silencioso);
        consolidacao.push_back(segundos(t1));
        carga.push_back(tCarga);
        programa.push_back(segundos(t0));
        m.linhas = r.linhas;
    }
    m.servidor = mediana(servidor);
    m.programa = mediana(programa);
    m.carga = mediana(carga);
    m.consolidacao = mediana(consolidacao);
    return m;
}

long picoMemoriaKb(const std::vector<std::string>& argumentos)
{
    std::fflush(stdout);
    const pid_t filho = fork();
    if (filho == 0) {
        std::vector<char*> argv;
        for (const auto& a : argumentos) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int estado = 0;
    rusage uso{};
    wait4(filho, &estado, 0, &uso);
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
        std::cerr << "zandoval-batch terminou com " << WEXITSTATUS(estado) << "\n";
        return -1;
    }
    return uso.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    std::string servidor, batch;
    int repeticoes = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--servidor") {
            servidor = argv[i + 1];
        } else if (a == "--batch") {
            batch = argv[i + 1];
        } else if (a == "--repeticoes") {
            repeticoes = std::atoi(argv[i + 1]);
        }
    }
    if (servidor.empty() || batch.empty()) {
        std::cerr << "uso: bench_carga --servidor HOST/PORTA --batch CAMINHO [--repeticoes N]\n";
        return 2;
    }
    auto suite = ScratchDatabase::at(servidor + ":" + kSuite, ScratchDatabase::Schema::Suite);
    auto interface = ScratchDatabase::at(servidor + ":" + kInterface, ScratchDatabase::Schema::Interface);

    PlataformaTeste plataforma("bench_carga");
    plataforma.usuario = "farmaceutico";
    plataforma.configurarServidor(servidor);
    Connection c(suite->suiteSettings());
    OpcoesAmostra opcoes;
    opcoes.usuario = plataforma.usuario;
    gerarAmostra(c, opcoes); // identification needs the workstation rows

    Contexto contexto;
    DM dm;
    DM2 dm2;
    if (iniciar(dm, dm2, contexto, plataforma).encerrar) {
        std::cerr << "o início falhou\n";
        return 1;
    }
    contexto.param.TipoPedido = "Pedido";
    executeDirect(dm2.SQLConnection1, "delete from PERIODO");
    executeDirect(dm2.SQLConnection1, "insert into PERIODO (DATAINICIAL, DATAFINAL) values (?, ?)",
                  {Date{std::chrono::year{2008}, std::chrono::month{3}, std::chrono::day{1}},
                   Date{std::chrono::year{2008}, std::chrono::month{3}, std::chrono::day{31}}});

    std::printf("%-8s %8s %10s %10s %10s %10s %7s\n", "pedidos", "linhas", "servidor", "carga",
                "consolid.", "programa", "razão");
    Medida medidas[2];
    const int tamanhos[2] = {5000, 20000};
    for (int k = 0; k < 2; ++k) {
        opcoes.pedidos = tamanhos[k];
        gerarAmostra(c, opcoes);
        medidas[k] = medir(c, dm, dm2, contexto, repeticoes);
        const Medida& m = medidas[k];
        std::printf("%-8d %8llu %9.2fs %9.2fs %9.2fs %9.2fs %7.2f\n", tamanhos[k],
                    static_cast<unsigned long long>(m.linhas), m.servidor, m.carga, m.consolidacao,
                    m.programa, m.programa / m.servidor);
    }
    std::printf("crescimento de 4x os pedidos: programa %.2fx, servidor %.2fx\n",
                medidas[1].programa / medidas[0].programa, medidas[1].servidor / medidas[0].servidor);

    const std::string ini = (plataforma.pastaExecutavel() / "QUINDALE.INI").string();
    const long kb = picoMemoriaKb({batch, "--ini", ini, "--usuario", plataforma.usuario, "--de",
                                   "01/03/08", "--ate", "31/03/08"});
    std::printf("zandoval-batch, 20000 pedidos: pico de memória %.1f MB\n", static_cast<double>(kb) / 1024.0);
    return 0;
}
