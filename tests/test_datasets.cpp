// The datasets' rules: when scrolling loads order details, and that a posted
// row of the write-through datasets is in the database when the post returns.
#include "ColumnLists.h"
#include "DM.h"
#include "DM2.h"
#include "DatabaseError.h"
#include "TestServer.h"
#include "Transaction.h"

#include <gtest/gtest.h>

using namespace zandoval;
using namespace zandoval::teste;
using namespace std::chrono;

namespace {

class Datasets : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_suite = new ScratchDatabase("test_datasets", ScratchDatabase::Schema::Suite);
        s_interface = new ScratchDatabase("test_datasets_if", ScratchDatabase::Schema::Interface);
    }
    static void TearDownTestSuite()
    {
        delete s_suite;
        delete s_interface;
    }
    void SetUp() override
    {
        dm.sqlcon1.setDatabase(s_suite->database());
        dm2.sqlcon1.setDatabase(s_suite->database());
        dm2.SQLConnection1.setDatabase(s_interface->database());
        for (const char* t : {"PEDIDOS", "PEDIFORM", "COMPEDID", "INSUMOS", "RP_VENDAMP"}) {
            executeDirect(dm.sqlcon1, std::string("delete from ") + t);
        }
        executeDirect(dm2.SQLConnection1, "delete from PERIODO");
    }

    void pedido(const char* estacao, int n)
    {
        executeDirect(dm.sqlcon1,
                      "insert into PEDIDOS (ESTACAO, NPEDIDO, TIPOPEDIDO) values (?, ?, 'Pedido')",
                      {estacao, n});
    }
    void formula(const char* estacao, int n, int f)
    {
        executeDirect(dm.sqlcon1,
                      "insert into PEDIFORM (ESTACAO, NPEDIDO, NFORMULA) values (?, ?, ?)",
                      {estacao, n, f});
    }
    void componente(const char* estacao, int n, int f, const char* nome)
    {
        executeDirect(
            dm.sqlcon1,
            "insert into COMPEDID (ESTACAO, NPEDIDO, NFORMULA, COMPONENTE) values (?, ?, ?, ?)",
            {estacao, n, f, nome});
    }
    void abrirPedidos()
    {
        dm.cdsPedidos.close();
        dm.cdsPedidos.setCommandText(std::string("Select ") + colunas::kPedidos +
                                     " from PEDIDOS order by ESTACAO, NPEDIDO");
        dm.cdsPedidos.open();
    }
    static std::vector<std::string> nomes(DataSet& d, const char* campo)
    {
        std::vector<std::string> r;
        if (!d.active()) {
            return {"<fechado>"};
        }
        const auto rolagem = std::exchange(d.afterScroll, nullptr);
        for (d.first(); !d.eof(); d.next()) {
            r.push_back(d.field(campo).asString());
        }
        d.afterScroll = rolagem;
        return r;
    }

    static ScratchDatabase* s_suite;
    static ScratchDatabase* s_interface;
    DM dm;
    DM2 dm2;
};

ScratchDatabase* Datasets::s_suite = nullptr;
ScratchDatabase* Datasets::s_interface = nullptr;

} // namespace

TEST_F(Datasets, ScrollEventsRunWhenTheToolkitRunsThem)
{
    DataSet d(dm.sqlcon1, "PEDIDOS", {"ESTACAO", "NPEDIDO"});
    int vezes = 0;
    d.afterScroll = [&](DataSet&) { ++vezes; };
    d.setCommandText("select * from PEDIDOS order by NPEDIDO");

    d.open(); // empty: nothing
    EXPECT_EQ(vezes, 0);
    d.first(); // even on an empty dataset
    EXPECT_EQ(vezes, 1);
    d.close();

    pedido("01", 1);
    pedido("01", 2);
    vezes = 0;
    d.open();
    EXPECT_EQ(vezes, 1); // opening with rows
    d.first();
    EXPECT_EQ(vezes, 2);
    d.next(); // to the second row
    EXPECT_FALSE(d.eof());
    EXPECT_EQ(vezes, 3);
    d.next(); // finds no further row: once more, for the last row
    EXPECT_TRUE(d.eof());
    EXPECT_EQ(vezes, 4);
    EXPECT_EQ(d.field("NPEDIDO").asInt(), 2); // still on the last row
    d.next();                                 // already at the end: nothing
    EXPECT_EQ(vezes, 4);
}

TEST_F(Datasets, MovingThroughOrdersLoadsTheirFormulasAndComponents)
{
    pedido("01", 10);
    formula("01", 10, 1);
    formula("01", 10, 2);
    componente("01", 10, 1, "A");
    componente("01", 10, 1, "B");
    componente("01", 10, 2, "C");
    pedido("01", 11); // no formulas
    pedido("02", 10);
    formula("02", 10, 1);
    componente("02", 10, 1, "D");

    abrirPedidos();
    // Opening loaded the first order's formulas and its first formula's components.
    EXPECT_EQ(nomes(dm.cdsPediform, "NFORMULA"), (std::vector<std::string>{"1", "2"}));
    dm.cdsPediform.first();
    EXPECT_EQ(nomes(dm.cdsCompedid, "COMPONENTE"), (std::vector<std::string>{"A", "B"}));
    dm.cdsPediform.next();
    EXPECT_EQ(nomes(dm.cdsCompedid, "COMPONENTE"), (std::vector<std::string>{"C"}));

    dm.cdsPedidos.next(); // 01.11: no formulas
    EXPECT_TRUE(dm.cdsPediform.active());
    EXPECT_TRUE(dm.cdsPediform.isEmpty());
    // Components of the empty formula list compare NFORMULA with '': empty or closed.
    dm.cdsPediform.first();
    EXPECT_TRUE(!dm.cdsCompedid.active() || dm.cdsCompedid.isEmpty());

    dm.cdsPedidos.next(); // 02.10
    EXPECT_EQ(nomes(dm.cdsPediform, "ESTACAO"), (std::vector<std::string>{"02"}));
    dm.cdsPediform.first();
    EXPECT_EQ(nomes(dm.cdsCompedid, "COMPONENTE"), (std::vector<std::string>{"D"}));
}

TEST_F(Datasets, AnOrderWithAnEmptyKeyLoadsNothing)
{
    pedido("", 1); // sorts first
    pedido("01", 5);
    formula("01", 5, 1);
    abrirPedidos();
    EXPECT_FALSE(dm.cdsPediform.active()); // nothing was loaded for the first order
    dm.cdsPedidos.next();
    EXPECT_EQ(nomes(dm.cdsPediform, "NPEDIDO"), (std::vector<std::string>{"5"}));
    // Back to the order with an empty station: the formulas stay those of 01.5.
    dm.cdsPedidos.first();
    EXPECT_EQ(nomes(dm.cdsPediform, "NPEDIDO"), (std::vector<std::string>{"5"}));
}

TEST_F(Datasets, AFailingFormulaQueryLeavesTheFormulasClosedWithoutAMessage)
{
    pedido("01", 1);
    pedido("01", 2);
    formula("01", 2, 1);
    abrirPedidos();
    ASSERT_TRUE(dm.cdsPediform.active());
    // The link breaks: the next order's formula query fails quietly.
    dm.sqlcon1.setDatabase(TestServer::address() + ":/nao/existe.fdb");
    EXPECT_NO_THROW(dm.cdsPedidos.next());
    EXPECT_FALSE(dm.cdsPediform.active());
}

TEST_F(Datasets, APostedPeriodIsStoredAtOnce)
{
    DataSet& p = dm2.Periodo;
    p.open();
    p.edit(); // empty table: a new row
    const Date inicio{year{2008}, month{3}, day{1}};
    const Date fim{year{2008}, month{3}, day{31}};
    p.setField("DATAINICIAL", inicio);
    p.setField("DATAFINAL", fim);
    p.post();
    p.close(); // nothing is lost by closing right after the post

    RowSet r = queryDirect(dm2.SQLConnection1, "select DATAINICIAL, DATAFINAL, CHAVE from PERIODO");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.at(0, "DATAINICIAL").asDate(), inicio);
    EXPECT_EQ(r.at(0, "DATAFINAL").asDate(), fim);

    // The row has no key: it is found again by all of its columns, NULLs included.
    p.open();
    p.edit();
    p.setField("DATAFINAL", Date{year{2008}, month{4}, day{30}});
    p.post();
    p.close();
    r = queryDirect(dm2.SQLConnection1, "select DATAFINAL from PERIODO");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.at(0, "DATAFINAL").asString(), "30/04/08");
    // The period lives in the interface database only.
    EXPECT_EQ(dm2.sqlcon1.statementsPrepared(), 0u);
}

TEST_F(Datasets, PostedDetailRowsAreWrittenThroughAndReadBackInOrder)
{
    DataSet& v = dm2.RP_VendaMP;
    v.setCommandText(std::string("Select ") + colunas::kRpVendaMP +
                         " from RP_VENDAMP where CNPJ = ? and ESTLOCAL = ? ORDER BY NOMEINSUMO",
                     {"11222333000181", "01"});
    v.open();
    int codigo = 0;
    for (const char* nome : {"Zinco", "Ácido Fólico", "Cafeína"}) {
        v.append();
        v.setField("CODIGOVENDA", ++codigo);
        v.setField("CNPJ", "11222333000181");
        v.setField("ESTLOCAL", "01");
        v.setField("NOMEINSUMO", nome);
        v.setField("NUMLOTE", "LOTE-COM-MAIS-DE-VINTE-CARACTERES"); // cut to 20
        v.post();
        EXPECT_EQ(v.pendingChanges(), 0u);
    }
    // Re-read after every post: in name order (byte order, so "Á" after "Z").
    EXPECT_EQ(nomes(v, "NOMEINSUMO"),
              (std::vector<std::string>{"Cafeína", "Zinco", "Ácido Fólico"}));
    EXPECT_EQ(v.field("NUMLOTE").asString(), "LOTE-COM-MAIS-DE-VIN");
    // Another connection sees them.
    Connection outra(s_suite->suiteSettings());
    EXPECT_EQ(queryDirect(outra, "select count(*) as N from RP_VENDAMP").at(0, "N").asInt(), 3);
}

TEST_F(Datasets, ARefusedRowReachesTheCodeThatPostedIt)
{
    DataSet& i = dm.Insumos;
    i.setCommandText(std::string("select ") + colunas::kInsumos + " from INSUMOS");
    i.open();
    i.append();
    i.setField("DCB", "01234");
    i.setField("DESCRICAO", "Primeiro");
    i.post();
    i.append();
    i.setField("DCB", "01234");
    i.setField("DESCRICAO", "Segundo");
    EXPECT_THROW(i.post(), DatabaseError);
    const RowSet r = queryDirect(dm.sqlcon1, "select DESCRICAO from INSUMOS");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.at(0, "DESCRICAO").asString(), "Primeiro");
}
