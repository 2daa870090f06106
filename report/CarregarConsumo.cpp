#include "CarregarConsumo.h"

#include "Acompanhamento.h"
#include "BulkInsert.h"
#include "ColumnLists.h"
#include "Contexto.h"
#include "Cp1252.h"
#include "DM.h"
#include "DM2.h"
#include "FormatarCNPJ.h"
#include "RegrasQuantidade.h"
#include "Retentativa.h"
#include "Statement.h"
#include "Transaction.h"

#include <map>
#include <optional>
#include <unordered_map>

namespace zandoval {

namespace {

// Clears the in-progress indicator however the load ends.
struct Indicador
{
    explicit Indicador(bool& b)
        : ref(b)
    {
        ref = true;
    }
    ~Indicador() { ref = false; }
    bool& ref;
};

// CONVUNID, read once per load. A look-up takes the first row (in the table's
// order) that the server would find equal, and uses it only when it also reads
// back exactly as asked; otherwise the factor is 1.
class TabelaConversao
{
public:
    explicit TabelaConversao(Transaction& t)
        : m_linhas(t.query("Select UNIDORIG, UNIDDEST, DIVISOR from CONVUNID"))
    {
    }
    double fator(const std::string& de, const std::string& para)
    {
        const auto chave = de + '\x1F' + para;
        if (const auto it = m_cache.find(chave); it != m_cache.end()) {
            return it->second;
        }
        double f = 1;
        for (const auto& l : m_linhas.rows) {
            const std::string o = l[0].asString();
            const std::string d = l[1].asString();
            if (semBrancosFinais(o) == semBrancosFinais(de) &&
                semBrancosFinais(d) == semBrancosFinais(para) && !l[0].isNull() && !l[1].isNull()) {
                if (o == de && d == para) {
                    f = l[2].asDouble();
                }
                break;
            }
        }
        m_cache.emplace(chave, f);
        return f;
    }

private:
    RowSet m_linhas;
    std::unordered_map<std::string, double> m_cache;
};

// Supplier CNPJs by trade name, looked up once per name within a load.
class Fornecedores
{
public:
    explicit Fornecedores(Transaction& t)
        : m_consulta(t, std::string("Select NOMEFANTASIA, CNPJ from FORNECED where NOMEFANTASIA = "
                                    "cast(? as varchar(40))"))
        , m_t(t)
    {
    }
    const Value& cnpj(const std::string& fantasia)
    {
        if (const auto it = m_cache.find(fantasia); it != m_cache.end()) {
            return it->second;
        }
        Value v;
        const RowSet r = m_consulta.query(m_t, {fantasia});
        if (!r.empty() && r.rows[0][0].asString() == fantasia) {
            v = r.rows[0][1];
        }
        return m_cache.emplace(fantasia, std::move(v)).first->second;
    }

private:
    Statement m_consulta;
    Transaction& m_t;
    std::unordered_map<std::string, Value> m_cache;
};

Value opcional(const std::optional<std::string>& s)
{
    return s ? Value(*s) : Value();
}

Value opcional(const std::optional<Decimal>& d)
{
    return d ? Value(*d) : Value();
}

// The detail's columns; CNPJ, ESTLOCAL and PERIODO are the same for every row
// of a load and go separately.
const std::vector<std::string> kColunasDetalhe = {"CODIGOVENDA",
                                                  "PEDIDO",
                                                  "FORMULA",
                                                  "CODIGOINSUMO",
                                                  "NOMEINSUMO",
                                                  "DATAVENDA",
                                                  "NOMEPRESCRITOR",
                                                  "NREGPROFPRESCRITOR",
                                                  "CONSELHOPROFISSIONAL",
                                                  "UFCONSELHO",
                                                  "NOMECOMPRADOR",
                                                  "FONEDOPACIENTE",
                                                  "NUMLOTE",
                                                  "CNPJFORNECEDOR",
                                                  "QDEPORUNID",
                                                  "UNIDADEDEMEDIDA",
                                                  "UNIDFARMAC",
                                                  "QDEUNIDFARMAC",
                                                  "QDETOTAL",
                                                  "PRECOTOTAL",
                                                  "FORMAPAGAMENTO1",
                                                  "VENDEDOR"};

// Every ingredient of every formula of the selected orders, walked as the
// server walks them: order by order in the table's order, then each order's
// formulas, then each formula's ingredients. The outer joins make the server
// start from the orders (the condition on the ingredient keeps only formulas
// and ingredients that exist); an order whose station is empty has no formulas
// of its own.
constexpr const char* kIngredientes =
    "select P.ESTACAO, P.NPEDIDO, P.NOME, P.FONE, P.MEDICO, P.CRM, P.CONSELHOPROFISSIONAL, "
    "P.UFCONSELHO, P.DATAPEDIDO, P.FORMAPAGAMENTO, P.VENDEDOR, "
    "F.NFORMULA, F.FORMAFARMA, F.PRECOFORMULA, F.QDECAPSULAS, F.QDEROTULOS, F.VOLUMETOTAL, "
    "F.UNIDADE, C.COMPONENTE, C.QDE, C.UNID, C.CODIGOCOMP, C.LOTE, C.FORNECEDOR, "
    "C.FATORDILUICAO "
    "from PEDIDOS P "
    "left join PEDIFORM F on F.ESTACAO = P.ESTACAO and F.NPEDIDO = P.NPEDIDO "
    "left join COMPEDID C on C.ESTACAO = F.ESTACAO and C.NPEDIDO = F.NPEDIDO and "
    "C.NFORMULA = F.NFORMULA "
    "where P.TIPOPEDIDO = cast(? as varchar(25)) and P.DATAPEDIDO between ? and ? "
    "and P.ESTACAO <> '' and C.ESTACAO is not null";

constexpr const char* kContaPedidos =
    "select count(*) from PEDIDOS where TIPOPEDIDO = cast(? as varchar(25)) and DataPedido between "
    "? and ?";

enum Col {
    cEstacao,
    cNpedido,
    cNome,
    cFone,
    cMedico,
    cCrm,
    cConselho,
    cUf,
    cData,
    cPagamento,
    cVendedor,
    cNformula,
    cForma,
    cPreco,
    cCapsulas,
    cRotulos,
    cVolume,
    cUnidade,
    cComponente,
    cQde,
    cUnid,
    cCodigo,
    cLote,
    cFornecedor,
    cDiluicao
};

} // namespace

std::string mensagemLojaAusente(int numero, const std::string& cnpj)
{
    return "(" + std::to_string(numero) + ") Não foi encontrado o registro da loja \"" +
           FormatarCNPJ(cnpj) +
           "\" no sistema. Entre em contato com o suporte da VEK SISTEMAS e solicite a inclusão do "
           "registro na tabela \"DADOS GERAIS\" antes de continuar.";
}

bool lojaCadastrada(DM& dm, const std::string& cnpj)
{
    const RowSet r = queryDirect(dm.sqlcon1,
                                 std::string("Select ") + colunas::kDadosGer +
                                     " from DADOSGER where CGC = cast(? as varchar(20))",
                                 {cnpj});
    const std::string cgc = r.empty() ? std::string() : r.at(0, "CGC").asString();
    return cgc == cnpj;
}

ResumoCarga CarregarConsumo(DM& dm, DM2& dm2, Contexto& contexto, Acompanhamento& acompanhamento)
{
    ResumoCarga resumo;
    if (contexto.LojaAusente) {
        resumo.resultado = ResultadoCarga::LojaAusente;
        return resumo;
    }
    if (contexto.CargaEmCurso) {
        resumo.resultado = ResultadoCarga::CargaEmCurso;
        return resumo;
    }
    const Indicador emCurso(contexto.CargaEmCurso);
    ParamRelatorio& p = contexto.param;

    // The period, as confirmed in the parameters.
    {
        const RowSet periodo = queryDirect(
            dm2.SQLConnection1, std::string("select ") + colunas::kPeriodo + " from PERIODO");
        p.DataInicial = periodo.empty() ? std::nullopt : periodo.at(0, "DATAINICIAL").asDate();
        p.DataFinal = periodo.empty() ? std::nullopt : periodo.at(0, "DATAFINAL").asDate();
    }
    const auto data = [](const std::optional<Date>& d) { return d ? Value(*d) : Value(); };
    const std::string textoPeriodo = (p.DataInicial ? formatarData(*p.DataInicial) : "") + " a " +
                                     (p.DataFinal ? formatarData(*p.DataFinal) : "");

    if (!lojaCadastrada(dm, p.CNPJLoja)) {
        contexto.LojaAusente = true;
        acompanhamento.mensagem(mensagemLojaAusente(5, p.CNPJLoja));
        resumo.resultado = ResultadoCarga::LojaAusente;
        return resumo;
    }
    contexto.LojaAusente = false;

    acompanhamento.mostrarTermometro("Carregando as vendas", "Carregando Vendas", 0);
    // However the load ends, the progress surfaces go away.
    struct Paineis
    {
        Acompanhamento& a;
        ~Paineis()
        {
            a.ocultarTermometro();
            a.mostrarSalvando(false);
        }
    } paineis{acompanhamento};
    std::vector<std::string> avisos;
    resumo.tentativas = comRetentativa([&] {
        avisos.clear();
        Transaction leitura(dm.sqlcon1);
        // One load at a time writes the detail, so that the codes read below
        // stay free until this load commits.
        Transaction escrita(dm2.sqlcon1, {"RP_VENDAMP"});

        const std::vector<Value> filtro = {p.TipoPedido, data(p.DataInicial), data(p.DataFinal)};
        resumo.pedidos = static_cast<int>(leitura.query(kContaPedidos, filtro).rows[0][0].asInt());
        acompanhamento.mostrarTermometro("Carregando as vendas", "Carregando Vendas",
                                         resumo.pedidos);

        std::int64_t codigo =
            escrita.query("Select Max(CODIGOVENDA) as MaiorCodVenda from RP_VENDAMP")
                .at(0, "MAIORCODVENDA")
                .asInt();
        escrita.execute("Delete from RP_VENDAMP where CNPJ = cast(? as varchar(20)) and "
                        "ESTLOCAL = cast(? as varchar(2))",
                        {p.CNPJLoja, p.EstacaoLocal});

        TabelaConversao conversao(leitura);
        const FatorConversaoUnidade fator = [&](const std::string& de, const std::string& para) {
            return conversao.fator(de, para);
        };
        Fornecedores fornecedores(leitura);
        BulkInsert detalhe(
            escrita, "RP_VENDAMP", kColunasDetalhe,
            {{"CNPJ", p.CNPJLoja}, {"ESTLOCAL", p.EstacaoLocal}, {"PERIODO", textoPeriodo}},
            {{"NOMEPACIENTE", "NOMECOMPRADOR"}});

        Statement ingredientes(leitura, kIngredientes);
        ingredientes.open(leitura, filtro);
        std::string pedidoAtual;
        int contagem = 0;
        const auto avisar = [&](const std::string& m) { avisos.push_back(m); };
        while (ingredientes.fetch()) {
            const Row& l = ingredientes.row();
            std::string pedido = l[cEstacao].asString() + "." + l[cNpedido].asString();
            if (pedido != pedidoAtual) {
                pedidoAtual = std::move(pedido);
                acompanhamento.progresso(++contagem, "Pedido " + pedidoAtual);
                acompanhamento.processarEventos();
            }
            Ingrediente ing;
            ing.qde = l[cQde].asDouble();
            ing.unid = l[cUnid].asString();
            ing.fatorDiluicao = l[cDiluicao].asDecimal(-2);
            ing.formaFarma = l[cForma].asString();
            ing.unidadeFormula = l[cUnidade].asString();
            ing.qdeCapsulas = l[cCapsulas].asInt();
            ing.qdeRotulos = l[cRotulos].asInt();
            ing.volumeTotal = l[cVolume].asDecimal(-2);
            ing.estacao = l[cEstacao].asString();
            ing.npedido = l[cNpedido].asString();
            ing.nformula = l[cNformula].asString();
            const Consumo c = calcularConsumo(ing, fator, avisar);

            detalhe.add(
                {++codigo,
                 pedidoAtual,
                 l[cNformula],
                 l[cCodigo],
                 l[cComponente],
                 l[cData],
                 l[cMedico],
                 l[cCrm],
                 l[cConselho].isNull() ? Value() : Value(maiusculasAscii(l[cConselho].asString())),
                 l[cUf].isNull() ? Value() : Value(maiusculasAscii(l[cUf].asString())),
                 l[cNome],
                 l[cFone],
                 l[cLote],
                 fornecedores.cnpj(l[cFornecedor].asString()),
                 c.qdePorUnid,
                 opcional(c.unidadeMedida),
                 opcional(c.unidFarmac),
                 opcional(c.qdeUnidFarmac),
                 c.qdeTotal,
                 l[cPreco],
                 l[cPagamento],
                 l[cVendedor]});
        }
        detalhe.flush();
        acompanhamento.ocultarTermometro();
        acompanhamento.mostrarSalvando(true);
        acompanhamento.processarEventos();
        escrita.commit();
        leitura.commit();
        resumo.linhas = detalhe.rowsWritten();
    });
    acompanhamento.mostrarSalvando(false);
    acompanhamento.processarEventos();
    for (const auto& a : avisos) {
        acompanhamento.mensagem(a);
    }
    return resumo;
}

} // namespace zandoval
