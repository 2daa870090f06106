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
// in one statement: the join of orders, formulas and ingredients (walked orders
// first, as the load walks them), the supplier's CNPJ, and the quantity rules
// in SQL (unit factor from CONVUNID, dilution, the pharmaceutical form with the
// total volume rounded halves to even and the zero-volume guard).
constexpr const char* kInsertSelect = R"(
insert into RP_VENDAMP (CODIGOVENDA, CNPJ, ESTLOCAL, PERIODO, PEDIDO, FORMULA, CODIGOINSUMO,
  NOMEINSUMO, DATAVENDA, NOMEPRESCRITOR, NREGPROFPRESCRITOR, CONSELHOPROFISSIONAL, UFCONSELHO,
  NOMECOMPRADOR, NOMEPACIENTE, FONEDOPACIENTE, NUMLOTE, CNPJFORNECEDOR, QDEPORUNID,
  UNIDADEDEMEDIDA, UNIDFARMAC, QDEUNIDFARMAC, QDETOTAL, PRECOTOTAL, FORMAPAGAMENTO1, VENDEDOR)
select row_number() over (), '11222333000181', '01', '01/03/08 a 31/03/08', PEDIDO, NFORMULA,
  CODIGOCOMP, COMPONENTE, DATAPEDIDO, MEDICO, CRM, CONSELHO, UF, NOME, NOME, FONE, LOTE, CNPJF,
  QPU, UNIDMED, UNIDFARMAC, QUF, cast(round(QPU * coalesce(QUF, 0), 6) as numeric(15,6)),
  PRECOFORMULA, PAGAMENTO, VENDEDOR
from (
  select R.*,
    case
      when FF3 = 'PSUL' or FF1 = 'COMP' then round(Q, 6)
      when FF1 in ('XARO', 'DOSE') then iif(V = 0, round(Q, 6), round(QDECAPSULAS * Q / V, 6))
      when UNIDFORM in ('ML', 'MG', 'G') then iif(V = 0, round(Q, 6), round(Q / V, 6))
      else round(Q, 6) end as QPU,
    case
      when FF3 = 'PSUL' then 'cap'
      when FF1 = 'COMP' then 'comp'
      when FF1 in ('XARO', 'DOSE') or UNIDFORM = 'ML' then 'ml'
      when UNIDFORM in ('MG', 'G') then 'g' end as UNIDFARMAC,
    case
      when FF3 = 'PSUL' or FF1 = 'COMP' then QDECAPSULAS * QDEROTULOS
      when FF1 in ('XARO', 'DOSE') or UNIDFORM in ('ML', 'MG') then V * QDEROTULOS
      when UNIDFORM = 'G' then QDEROTULOS * VOLUMETOTAL end as QUF
  from (
    select P.ESTACAO || '.' || P.NPEDIDO as PEDIDO, F.NFORMULA, C.CODIGOCOMP, C.COMPONENTE,
      P.DATAPEDIDO, P.MEDICO, substring(P.CRM from 1 for 12) as CRM,
      upper(P.CONSELHOPROFISSIONAL) as CONSELHO, upper(P.UFCONSELHO) as UF, P.NOME,
      substring(P.FONE from 1 for 25) as FONE, substring(C.LOTE from 1 for 20) as LOTE,
      (select first 1 iif(X.NOMEFANTASIA = C.FORNECEDOR, X.CNPJ, null) from FORNECED X
        where X.NOMEFANTASIA = C.FORNECEDOR) as CNPJF,
      case upper(C.UNID) when 'MG' then 'g' when 'MCG' then 'g' when 'ML' then 'ml'
        when 'G' then 'g' when 'UN' then 'un' end as UNIDMED,
      coalesce(case
        when upper(C.UNID) in ('MG', 'MCG') then round(C.QDE * coalesce((select first 1
          iif(octet_length(X.UNIDORIG) = octet_length(C.UNID) and X.UNIDDEST = 'g'
            and octet_length(X.UNIDDEST) = 1, X.DIVISOR, 1)
          from CONVUNID X where X.UNIDORIG = C.UNID and X.UNIDDEST = 'g'), 1), 6)
        when upper(C.UNID) in ('ML', 'G', 'UN') then round(C.QDE, 6) end, 0)
        / iif(coalesce(C.FATORDILUICAO, 0) = 0, 1, C.FATORDILUICAO) as Q,
      iif(mod(F.VOLUMETOTAL * 100, 100) = 50 and mod(trunc(F.VOLUMETOTAL), 2) = 0,
        trunc(F.VOLUMETOTAL), round(F.VOLUMETOTAL, 0)) as V,
      F.VOLUMETOTAL, F.QDECAPSULAS, F.QDEROTULOS, upper(F.UNIDADE) as UNIDFORM,
      substring(upper(F.FORMAFARMA) from 1 for 4) as FF1,
      substring(upper(F.FORMAFARMA) from 3 for 4) as FF3,
      F.PRECOFORMULA, substring(P.FORMAPAGAMENTO from 1 for 25) as PAGAMENTO, P.VENDEDOR
    from PEDIDOS P
    left join PEDIFORM F on F.ESTACAO = P.ESTACAO and F.NPEDIDO = P.NPEDIDO
    left join COMPEDID C on C.ESTACAO = F.ESTACAO and C.NPEDIDO = F.NPEDIDO
      and C.NFORMULA = F.NFORMULA
    where P.TIPOPEDIDO = ? and P.DATAPEDIDO between ? and ? and P.ESTACAO <> ''
      and C.ESTACAO is not null
  ) R
) S)";

// What the two writes leave, to show that they wrote the same rows.
constexpr const char* kResumoDetalhe =
    "select count(*), sum(QDETOTAL), sum(QDEPORUNID), sum(QDEUNIDFARMAC), "
    "count(CNPJFORNECEDOR), count(UNIDADEDEMEDIDA), count(UNIDFARMAC) from RP_VENDAMP";

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

std::string resumo(Connection& c)
{
    std::string s;
    const RowSet r = queryDirect(c, kResumoDetalhe);
    for (const auto& v : r.rows[0]) {
        s += (s.empty() ? "" : " ") + v.asString();
    }
    return s;
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Medida
{
    std::string resumoServidor;
    std::string resumoPrograma;
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
        m.resumoServidor = resumo(c);

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
        m.resumoPrograma = resumo(c);
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
    auto interface =
        ScratchDatabase::at(servidor + ":" + kInterface, ScratchDatabase::Schema::Interface);

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
    std::printf("linhas, soma de QDETOTAL, QDEPORUNID e QDEUNIDFARMAC, fornecedores, unidades:\n"
                "  servidor  %s\n  programa  %s\n",
                medidas[1].resumoServidor.c_str(), medidas[1].resumoPrograma.c_str());
    std::printf("crescimento de 4x os pedidos: programa %.2fx, servidor %.2fx\n",
                medidas[1].programa / medidas[0].programa,
                medidas[1].servidor / medidas[0].servidor);

    const std::string ini = (plataforma.pastaExecutavel() / "QUINDALE.INI").string();
    const long kb = picoMemoriaKb({batch, "--ini", ini, "--usuario", plataforma.usuario, "--de",
                                   "01/03/08", "--ate", "31/03/08"});
    std::printf("zandoval-batch, 20000 pedidos: pico de memória %.1f MB\n",
                static_cast<double>(kb) / 1024.0);
    return 0;
}
