// The load and the consolidation against the private server: the detail rows
// and totals they write, what they leave alone, a failure in the middle, and
// several workstations at once.
#include "Acompanhamento.h"
#include "CarregarConsumo.h"
#include "ConsolidarConsumo.h"
#include "Contexto.h"
#include "DM.h"
#include "DM2.h"
#include "DatabaseError.h"
#include "TestServer.h"
#include "Transaction.h"
#include "VerificacoesAtivacao.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

using namespace zandoval;
using namespace zandoval::teste;
using namespace std::chrono;

namespace {

const char* const kLojaA = "11222333000181";
const char* const kLojaB = "44555666000172";
const Date k1Mar{year{2008}, month{3}, day{1}};
const Date k31Mar{year{2008}, month{3}, day{31}};

class Mensagens : public Acompanhamento
{
public:
    void mensagem(const std::string& texto) override { textos.push_back(texto); }
    std::vector<std::string> textos;
};

class Carga : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_suite = new ScratchDatabase("test_carga", ScratchDatabase::Schema::Suite);
        s_if = new ScratchDatabase("test_carga_if", ScratchDatabase::Schema::Interface);
    }
    static void TearDownTestSuite()
    {
        delete s_suite;
        delete s_if;
    }
    void SetUp() override
    {
        s_suite->run("delete from PEDIDOS; delete from PEDIFORM; delete from COMPEDID; "
                     "delete from FORNECED; delete from CONVUNID; delete from DADOSGER; "
                     "delete from RP_VENDAMP; delete from RP_CONSMP; delete from COMPONEN; "
                     "delete from INSUMOS");
        s_if->run("delete from PERIODO");
        sql("insert into DADOSGER (CGC) values (?)", {kLojaA});
        sql("insert into DADOSGER (CGC) values (?)", {kLojaB});
        sql("insert into CONVUNID values ('mg', 'g', 0.001)");
        executeDirect(*m_if, "insert into PERIODO (DATAINICIAL, DATAFINAL) values (?, ?)",
                      {k1Mar, k31Mar});
        ligar(dm, dm2, ctx, kLojaA, "01");
    }

    static void ligar(DM& d, DM2& d2, Contexto& c, const char* loja, const char* estacao)
    {
        d.sqlcon1.setDatabase(s_suite->database());
        d2.sqlcon1.setDatabase(s_suite->database());
        d2.SQLConnection1.setDatabase(s_if->database());
        c.param.CNPJLoja = loja;
        c.param.EstacaoLocal = estacao;
        c.param.TipoPedido = "Pedido";
    }
    void sql(const std::string& comando, const std::vector<Value>& valores = {})
    {
        executeDirect(*m_suite, comando, valores);
    }
    void pedido(const char* estacao, int n, const char* tipo = "Pedido", Date dia = k1Mar)
    {
        sql("insert into PEDIDOS (ESTACAO, NPEDIDO, NOME, FONE, MEDICO, CRM, CONSELHOPROFISSIONAL, "
            "UFCONSELHO, DATAPEDIDO, TIPOPEDIDO, FORMAPAGAMENTO, VENDEDOR) values "
            "(?, ?, 'José Antônio', '(11) 5555-1234', 'Dra. Cláudia', '123456', 'crm', 'sp', ?, ?, "
            "'Pix', 'Joana')",
            {estacao, n, dia, tipo});
    }
    void formula(const char* estacao, int n, int f, const char* forma = "Cápsula", int caps = 60,
                 int rotulos = 2)
    {
        sql("insert into PEDIFORM (ESTACAO, NPEDIDO, NFORMULA, FORMAFARMA, QDECAPSULAS, "
            "QDEROTULOS, "
            "PRECOFORMULA, VOLUMETOTAL, UNIDADE) values (?, ?, ?, ?, ?, ?, 45.9, 0, '')",
            {estacao, n, f, forma, caps, rotulos});
    }
    void ingrediente(const char* estacao, int n, int f, const char* nome, double qde = 250,
                     const char* unid = "mg", const char* fornecedor = "D'Ávila Insumos")
    {
        sql("insert into COMPEDID (ESTACAO, NPEDIDO, NFORMULA, COMPONENTE, QDE, UNID, CODIGOCOMP, "
            "LOTE, FORNECEDOR, FATORDILUICAO) values (?, ?, ?, ?, ?, ?, 'MP1', "
            "'LOTE-2008-03-ABCDEFGHIJKLMN', ?, 0)",
            {estacao, n, f, nome, qde, unid, fornecedor});
    }
    RowSet detalhe(const std::string& onde = "1 = 1")
    {
        return queryDirect(*m_suite,
                           "select * from RP_VENDAMP where " + onde + " order by CODIGOVENDA");
    }
    ResumoCarga carregar() { return CarregarConsumo(dm, dm2, ctx, msgs); }

    static ScratchDatabase* s_suite;
    static ScratchDatabase* s_if;
    std::unique_ptr<Connection> m_suite = std::make_unique<Connection>(s_suite->suiteSettings());
    std::unique_ptr<Connection> m_if = std::make_unique<Connection>(s_if->interfaceSettings());
    DM dm;
    DM2 dm2;
    Contexto ctx;
    Mensagens msgs;
};

ScratchDatabase* Carga::s_suite = nullptr;
ScratchDatabase* Carga::s_if = nullptr;

} // namespace

TEST_F(Carga, TheWorkedExampleEndToEnd)
{
    sql("insert into FORNECED (CODIGO, NOMEFANTASIA, CNPJ) values ('1', 'D''Ávila Insumos', "
        "'12345678000190')");
    pedido("01", 4711);
    formula("01", 4711, 1);
    ingrediente("01", 4711, 1, "Ácido Fólico");
    ingrediente("01", 4711, 1, "Cafeína", 100, "mg", "Sem Cadastro");

    const ResumoCarga r = carregar();
    EXPECT_EQ(r.resultado, ResultadoCarga::Concluida);
    EXPECT_EQ(r.pedidos, 1);
    EXPECT_EQ(r.linhas, 2u);
    EXPECT_TRUE(msgs.textos.empty());
    EXPECT_FALSE(ctx.CargaEmCurso);

    const RowSet d = detalhe();
    ASSERT_EQ(d.rows.size(), 2u);
    const std::pair<const char*, const char*> esperado[] = {{"CODIGOVENDA", "1"},
                                                            {"CNPJ", kLojaA},
                                                            {"ESTLOCAL", "01"},
                                                            {"PERIODO", "01/03/08 a 31/03/08"},
                                                            {"PEDIDO", "01.4711"},
                                                            {"FORMULA", "1"},
                                                            {"CODIGOINSUMO", "MP1"},
                                                            {"NOMEINSUMO", "Ácido Fólico"},
                                                            {"DATAVENDA", "01/03/08"},
                                                            {"NOMEPRESCRITOR", "Dra. Cláudia"},
                                                            {"NREGPROFPRESCRITOR", "123456"},
                                                            {"CONSELHOPROFISSIONAL", "CRM"},
                                                            {"UFCONSELHO", "SP"},
                                                            {"NOMECOMPRADOR", "José Antônio"},
                                                            {"NOMEPACIENTE", "José Antônio"},
                                                            {"FONEDOPACIENTE", "(11) 5555-1234"},
                                                            {"NUMLOTE", "LOTE-2008-03-ABCDEFG"},
                                                            {"CNPJFORNECEDOR", "12345678000190"},
                                                            {"QDEPORUNID", "0.25"},
                                                            {"UNIDADEDEMEDIDA", "g"},
                                                            {"UNIDFARMAC", "cap"},
                                                            {"QDEUNIDFARMAC", "120"},
                                                            {"QDETOTAL", "30"},
                                                            {"PRECOTOTAL", "45.9"},
                                                            {"FORMAPAGAMENTO1", "Pix"},
                                                            {"VENDEDOR", "Joana"}};
    for (const auto& [coluna, valor] : esperado) {
        EXPECT_EQ(d.at(0, coluna).asString(), valor) << coluna;
    }
    for (const char* nulo : {"CUSTOTOTAL", "VALORPAGO1", "FORMAPAGAMENTO2", "VALORPAGO2",
                             "CODIGOVENDEDOR", "COMISSAO"}) {
        EXPECT_TRUE(d.at(0, nulo).isNull()) << nulo;
    }
    // A supplier missing from FORNECED leaves its CNPJ empty.
    EXPECT_TRUE(d.at(1, "CNPJFORNECEDOR").isNull());
    EXPECT_EQ(d.at(1, "QDETOTAL").asString(), "12");
}

TEST_F(Carga, WhatALoadSelectsAndWhatItLeavesAlone)
{
    // Another store's rows up to 900, and this store's rows of station 02.
    sql("insert into RP_VENDAMP (CODIGOVENDA, CNPJ, ESTLOCAL, NOMEINSUMO) values (900, ?, '01', "
        "'x')",
        {kLojaB});
    sql("insert into RP_VENDAMP (CODIGOVENDA, CNPJ, ESTLOCAL, NOMEINSUMO) values (5, ?, '02', 'y')",
        {kLojaA});
    sql("insert into RP_VENDAMP (CODIGOVENDA, CNPJ, ESTLOCAL, NOMEINSUMO) values (6, ?, '01', "
        "'old')",
        {kLojaA});
    pedido("01", 1);
    formula("01", 1, 1);
    ingrediente("01", 1, 1, "A");
    ingrediente("01", 1, 1, "B");
    ingrediente("01", 1, 1, "C");
    formula("01", 1, 2);
    ingrediente("01", 1, 2, "D");
    ingrediente("01", 1, 2, "E");
    formula("01", 1, 3); // no ingredients
    pedido("02", 7, "Orçam");
    formula("02", 7, 1);
    ingrediente("02", 7, 1, "Orçado");
    pedido("03", 8, "Pedido", k31Mar); // the last day counts
    formula("03", 8, 1);
    ingrediente("03", 8, 1, "Último dia");
    pedido("03", 9, "Pedido", Date{year{2008}, month{4}, day{1}});
    formula("03", 9, 1);
    ingrediente("03", 9, 1, "Abril");

    EXPECT_EQ(carregar().linhas, 6u);
    const RowSet d = detalhe("CNPJ = '11222333000181' and ESTLOCAL = '01'");
    std::vector<std::string> pedidos, formulas, codigos;
    for (std::size_t i = 0; i < d.rows.size(); ++i) {
        pedidos.push_back(d.at(i, "PEDIDO").asString());
        formulas.push_back(d.at(i, "FORMULA").asString());
        codigos.push_back(d.at(i, "CODIGOVENDA").asString());
    }
    EXPECT_EQ(codigos, (std::vector<std::string>{"901", "902", "903", "904", "905", "906"}));
    EXPECT_EQ(formulas, (std::vector<std::string>{"1", "1", "1", "2", "2", "1"}));
    EXPECT_EQ(pedidos, (std::vector<std::string>{"01.1", "01.1", "01.1", "01.1", "01.1", "03.8"}));
    // The other store and the other station keep their rows.
    EXPECT_EQ(detalhe("CODIGOVENDA in (5, 900)").rows.size(), 2u);

    // Only "Orçam" orders for that type.
    ctx.param.TipoPedido = "Orçam";
    EXPECT_EQ(carregar().linhas, 1u);
    EXPECT_EQ(detalhe("ESTLOCAL = '01' and CNPJ = '11222333000181'").at(0, "NOMEINSUMO").asString(),
              "Orçado");

    // A period that starts after it ends selects nothing; earlier rows go all the same.
    executeDirect(*m_if, "update PERIODO set DATAINICIAL = ?, DATAFINAL = ?", {k31Mar, k1Mar});
    const ResumoCarga vazio = carregar();
    EXPECT_EQ(vazio.pedidos, 0);
    EXPECT_EQ(vazio.linhas, 0u);
    EXPECT_TRUE(detalhe("ESTLOCAL = '01' and CNPJ = '11222333000181'").empty());
}

TEST_F(Carga, ThePeriodKeepsItsCentury)
{
    // As two-digit-year text, 01/03/80 would be read in the server's sliding
    // window (1980); the period goes to the server as dates.
    const Date mar2080{year{2080}, month{3}, day{1}};
    const Date mar1980{year{1980}, month{3}, day{1}};
    executeDirect(*m_if, "update PERIODO set DATAINICIAL = ?, DATAFINAL = ?",
                  {mar2080, Date{year{2080}, month{3}, day{31}}});
    pedido("01", 1, "Pedido", mar2080);
    formula("01", 1, 1);
    ingrediente("01", 1, 1, "Futuro");
    pedido("01", 2, "Pedido", mar1980);
    formula("01", 2, 1);
    ingrediente("01", 2, 1, "Passado");
    EXPECT_EQ(carregar().linhas, 1u);
    EXPECT_EQ(detalhe().at(0, "NOMEINSUMO").asString(), "Futuro");
    EXPECT_EQ(detalhe().at(0, "PERIODO").asString(), "01/03/80 a 31/03/80");
}

TEST_F(Carga, AStoreThatIsNotRegisteredStopsTheLoadBeforeAnythingChanges)
{
    sql("insert into RP_VENDAMP (CODIGOVENDA, CNPJ, ESTLOCAL) values (1, '99888777000166', '01')");
    pedido("01", 1);
    formula("01", 1, 1);
    ingrediente("01", 1, 1, "A");
    ctx.param.CNPJLoja = "99888777000166";
    EXPECT_EQ(carregar().resultado, ResultadoCarga::LojaAusente);
    EXPECT_TRUE(ctx.LojaAusente);
    EXPECT_EQ(msgs.textos,
              std::vector<std::string>{
                  "(5) Não foi encontrado o registro da loja \"99.888.777/0001-66\" no sistema. "
                  "Entre em contato com o suporte da VEK SISTEMAS e solicite a inclusão do "
                  "registro na tabela \"DADOS GERAIS\" antes de continuar."});
    EXPECT_EQ(detalhe().rows.size(), 1u);
    // While the store is missing, and while a load is under way, a request does nothing.
    EXPECT_EQ(carregar().resultado, ResultadoCarga::LojaAusente);
    ctx.LojaAusente = false;
    ctx.CargaEmCurso = true;
    EXPECT_EQ(carregar().resultado, ResultadoCarga::CargaEmCurso);
    EXPECT_EQ(msgs.textos.size(), 1u);
    EXPECT_EQ(detalhe().rows.size(), 1u);
}

TEST_F(Carga, TheSyrupWarningIsShownAndTheRowStillWritten)
{
    pedido("01", 3);
    formula("01", 3, 2, "Xarope", 5, 1); // VOLUMETOTAL 0
    ingrediente("01", 3, 2, "Sacarose", 2, "G");
    EXPECT_EQ(carregar().linhas, 1u);
    ASSERT_EQ(msgs.textos.size(), 1u);
    EXPECT_EQ(msgs.textos[0].rfind("Favor verificar o pedido nº 01.3.2\r", 0), 0u)
        << msgs.textos[0];
    EXPECT_EQ(detalhe().at(0, "QDEPORUNID").asString(), "2");
    EXPECT_EQ(detalhe().at(0, "QDETOTAL").asString(), "0");
}

TEST_F(Carga, AFailureInTheMiddleLeavesTheEarlierDetailAsItWas)
{
    pedido("01", 1);
    formula("01", 1, 1);
    for (const char* nome : {"A", "B", "C"}) {
        ingrediente("01", 1, 1, nome);
    }
    ASSERT_EQ(carregar().linhas, 3u);
    const RowSet antes = detalhe();

    // The server refuses one ingredient, after others of the same load were written.
    sql("create exception RECUSADO 'ingrediente recusado pelo servidor'");
    sql("create trigger RECUSA for RP_VENDAMP before insert as begin "
        "if (new.NOMEINSUMO = 'Veneno') then exception RECUSADO; end");
    pedido("01", 2);
    formula("01", 2, 1);
    ingrediente("01", 2, 1, "Veneno");
    try {
        carregar();
        ADD_FAILURE() << "the load went through";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("ingrediente recusado pelo servidor"),
                  std::string::npos)
            << e.what();
    }
    sql("drop trigger RECUSA");
    sql("drop exception RECUSADO");
    EXPECT_FALSE(ctx.CargaEmCurso);
    const RowSet depois = detalhe();
    ASSERT_EQ(depois.rows.size(), antes.rows.size());
    for (std::size_t i = 0; i < antes.rows.size(); ++i) {
        EXPECT_EQ(depois.rows[i], antes.rows[i]);
    }
}

TEST_F(Carga, ConsolidationOneTotalPerMaterial)
{
    const auto linha = [&](int codigo, const char* nome, const char* unidade, Value qde,
                           const char* loja = kLojaA) {
        sql("insert into RP_VENDAMP (CODIGOVENDA, CNPJ, ESTLOCAL, PERIODO, CODIGOINSUMO, "
            "NOMEINSUMO, "
            "UNIDADEDEMEDIDA, QDETOTAL) values (?, ?, '01', '01/03/08 a 31/03/08', ?, ?, ?, ?)",
            {codigo, loja, std::string("C") + nome, nome, unidade, qde});
    };
    linha(1, "B", "g", Decimal{1500000, -6});
    linha(2, "A", "ml", Decimal{1, -6});
    linha(3, "B", "g", Decimal{2250000, -6});
    linha(4, "C", "g", Value()); // an empty quantity adds 0
    linha(5, "A", "g", Decimal{2, -6});
    linha(6, "Z", "g", Decimal{7, 0}, kLojaB); // another store's detail
    sql("insert into RP_CONSMP (CODIGOCONSMP, CNPJ, NOMEINSUMO) values (1, ?, 'antigo')", {kLojaB});

    struct Caso
    {
        std::string materia;
        std::vector<std::string> esperado; // code name unit total
    };
    const Caso casos[] = {
        {ParamRelatorio::kTodasAsMaterias, {"1 A ml 0.000003", "2 B g 3.75", "3 C g 0"}},
        {"B", {"1 B g 3.75"}},
        {"Nenhuma", {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.materia);
        ctx.param.MateriaPrima = c.materia;
        const auto totais = ConsolidarConsumo(dm2, ctx, msgs);
        std::vector<std::string> lidos;
        for (const auto& t : totais) {
            lidos.push_back(std::to_string(t.codigo) + " " + t.nomeInsumo + " " +
                            t.unidade.value_or("") + " " + t.qdeTotal.toString());
            EXPECT_EQ(t.cnpj, kLojaA);
            EXPECT_EQ(t.estacao, "01");
            EXPECT_EQ(t.periodo, "01/03/08 a 31/03/08");
            EXPECT_EQ(t.codigoInsumo, "C" + t.nomeInsumo);
        }
        EXPECT_EQ(lidos, c.esperado);
        // The table holds exactly what was returned: the other store's totals are gone.
        EXPECT_EQ(queryDirect(*m_suite, "select count(*) from RP_CONSMP").rows[0][0].asInt(),
                  static_cast<std::int64_t>(c.esperado.size()));
    }
}

TEST_F(Carga, SeveralWorkstationsLoadAndConsolidateAtOnce)
{
    // Every load reads the same orders: 40 orders of 2 formulas of 3 ingredients.
    for (int n = 1; n <= 40; ++n) {
        pedido("01", n);
        for (int f = 1; f <= 2; ++f) {
            formula("01", n, f);
            for (const char* nome : {"Ácido Fólico", "Biotina", "Zinco"}) {
                ingrediente("01", n, f, nome, 100.0 * f);
            }
        }
    }
    struct Estacao
    {
        const char* loja;
        const char* estacao;
    };
    const Estacao estacoes[] = {{kLojaA, "01"}, {kLojaA, "02"}, {kLojaB, "04"}};
    std::vector<std::string> erros;
    std::mutex trava;
    std::vector<std::thread> threads;
    for (const auto& e : estacoes) {
        threads.emplace_back([&, e] {
            DM d;
            DM2 d2;
            Contexto c;
            Mensagens m;
            ligar(d, d2, c, e.loja, e.estacao);
            try {
                for (int vez = 0; vez < 6; ++vez) {
                    const ResumoCarga r = CarregarConsumo(d, d2, c, m);
                    const auto totais = ConsolidarConsumo(d2, c, m);
                    const std::lock_guard g(trava);
                    if (r.linhas != 240) {
                        erros.push_back("linhas " + std::to_string(r.linhas));
                    }
                    // Each consolidation gets its own totals, whoever consolidates meanwhile.
                    if (totais.size() != 3) {
                        erros.push_back("totais " + std::to_string(totais.size()));
                    }
                    for (const auto& t : totais) {
                        if (t.cnpj != e.loja || t.estacao != e.estacao ||
                            t.qdeTotal.toString() != "1440") {
                            erros.push_back(t.cnpj + "/" + t.estacao + " " + t.nomeInsumo + " " +
                                            t.qdeTotal.toString());
                        }
                    }
                }
            } catch (const DatabaseError& x) {
                const std::lock_guard g(trava);
                std::string codigos;
                for (const auto codigo : x.codes()) {
                    codigos += " " + std::to_string(codigo);
                }
                erros.push_back(std::string(x.what()) + " [" + codigos + " ]");
            } catch (const std::exception& x) {
                const std::lock_guard g(trava);
                erros.push_back(x.what());
            }
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    EXPECT_TRUE(erros.empty()) << erros.front();
    // Each store and station holds exactly the rows of its last load; the
    // totals are those of the consolidation that committed last.
    for (const auto& e : estacoes) {
        EXPECT_EQ(queryDirect(*m_suite,
                              "select count(*) from RP_VENDAMP where CNPJ = ? and ESTLOCAL = ?",
                              {e.loja, e.estacao})
                      .rows[0][0]
                      .asInt(),
                  240);
    }
    EXPECT_EQ(queryDirect(*m_suite, "select count(*) from RP_VENDAMP").rows[0][0].asInt(), 720);
    const RowSet consmp = queryDirect(*m_suite, "select distinct CNPJ, ESTLOCAL from RP_CONSMP");
    EXPECT_EQ(consmp.rows.size(), 1u);
}

TEST_F(Carga, InsumosIsRebuiltWhole)
{
    sql("insert into COMPONEN (CODIGO, COMPONENTE, GRUPO, DCB, FATORCORRECAO) values "
        "('1', 'Cafeína', 'MP', '01553', 1.05)");
    sql("insert into COMPONEN (CODIGO, COMPONENTE, GRUPO, DCB) values ('2', 'Cafeína Citrato', "
        "'MP', '01553')");
    sql("insert into COMPONEN (CODIGO, COMPONENTE, GRUPO, DCB) values ('3', ?, 'MP', '02000')",
        {std::string(70, 'N')});
    sql("insert into COMPONEN (CODIGO, COMPONENTE, GRUPO, DCB) values ('4', 'Revenda', 'REV', "
        "'03000')");
    sql("insert into COMPONEN (CODIGO, COMPONENTE, GRUPO, DCB) values ('5', 'Homeopatia', 'HOM', "
        "'04000')");
    sql("insert into COMPONEN (CODIGO, COMPONENTE, DCB) values ('6', 'Sem grupo', '05000')");
    sql("insert into COMPONEN (CODIGO, COMPONENTE, GRUPO) values ('7', 'Sem DCB', '')");
    sql("insert into COMPONEN (CODIGO, COMPONENTE, GRUPO, DCB) values ('8', '', 'MP', '06000')");
    sql("insert into INSUMOS (DCB, DESCRICAO) values ('99999', 'de antes')");

    const auto materias = reconstruirInsumos(dm);
    EXPECT_EQ(materias,
              (std::vector<std::string>{"Todas as matérias primas", "Cafeína", "Cafeína Citrato",
                                        std::string(70, 'N'), "Sem DCB"}));
    const RowSet i =
        queryDirect(*m_suite, "select DCB, DESCRICAO, FATCORR from INSUMOS order by DCB");
    ASSERT_EQ(i.rows.size(), 3u);
    EXPECT_EQ(i.at(0, "DESCRICAO").asString(), "Cafeína"); // the first of the shared DCB
    EXPECT_EQ(i.at(0, "FATCORR").asString(), "1.05");
    EXPECT_EQ(i.at(1, "DESCRICAO").asString(), std::string(60, 'N'));
    EXPECT_EQ(i.at(2, "DCB").asString(), "06000");

    // A rebuild that fails leaves INSUMOS as it was, never empty.
    sql("create exception RECUSADO 'recusado'");
    sql("create trigger RECUSA for INSUMOS before insert as begin "
        "if (new.DCB = '06000') then exception RECUSADO; end");
    EXPECT_THROW(reconstruirInsumos(dm), DatabaseError);
    sql("drop trigger RECUSA");
    sql("drop exception RECUSADO");
    EXPECT_EQ(queryDirect(*m_suite, "select count(*) from INSUMOS").rows[0][0].asInt(), 3);
}
