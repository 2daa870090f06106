// The database link against the private server: texts, parameters, numbers,
// dates, transactions and the errors a user may meet.
#include "BulkInsert.h"
#include "Connection.h"
#include "DatabaseError.h"
#include "Statement.h"
#include "TestServer.h"
#include "Transaction.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

using namespace zandoval;
using namespace zandoval::teste;
using namespace std::chrono;

namespace {

class Banco : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new ScratchDatabase("test_banco", ScratchDatabase::Schema::Suite);
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    void SetUp() override
    {
        m_c = std::make_unique<Connection>(s_db->suiteSettings());
        executeDirect(*m_c, "delete from FORNECED");
        executeDirect(*m_c, "delete from RP_VENDAMP");
    }

    // What isql-fb reads from the database, byte for byte.
    static std::string isql(const std::string& sql)
    {
        const std::string arquivo = TestServer::root() + "/isql.out";
        const std::string comando = "echo \"" + sql +
                                    "\" | isql-fb -q -user SYSDBA -password plumtrees '" +
                                    s_db->database() + "' > " + arquivo;
        EXPECT_EQ(std::system(comando.c_str()), 0);
        std::FILE* f = std::fopen(arquivo.c_str(), "rb");
        std::string s;
        char b[4096];
        std::size_t n;
        while ((n = std::fread(b, 1, sizeof b, f)) > 0) {
            s.append(b, n);
        }
        std::fclose(f);
        return s;
    }

    static ScratchDatabase* s_db;
    std::unique_ptr<Connection> m_c;
};

ScratchDatabase* Banco::s_db = nullptr;

} // namespace

TEST_F(Banco, TextsAreStoredAsWindows1252AndReadBackAsText)
{
    executeDirect(*m_c, "insert into FORNECED (CODIGO, NOME, NOMEFANTASIA) values (?, ?, ?)",
                  {"1", "Ácido Fólico", "Orçam"});
    // Another program of the suite sees the Windows-1252 bytes: 12 and 5 of them.
    const std::string tamanhos = isql("select octet_length(NOME) || '/' || "
                                      "octet_length(NOMEFANTASIA) from FORNECED;");
    EXPECT_NE(tamanhos.find("12/5"), std::string::npos) << tamanhos;
    const std::string bytes = isql("select NOME, NOMEFANTASIA from FORNECED;");
    EXPECT_NE(bytes.find("\xC1"
                         "cido F\xF3lico"),
              std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find("Or\xE7"
                         "am"),
              std::string::npos)
        << bytes;

    const RowSet r = queryDirect(*m_c, "select NOME, NOMEFANTASIA from FORNECED");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.at(0, "NOME").asString(), "Ácido Fólico");
    EXPECT_EQ(r.at(0, "nomefantasia").asString(), "Orçam");
}

TEST_F(Banco, AQuoteInsideAValueNeitherBreaksNorChangesTheStatement)
{
    executeDirect(*m_c, "insert into FORNECED (CODIGO, NOMEFANTASIA, CNPJ) values (?, ?, ?)",
                  {"1", "D'Ávila Insumos", "11222333000181"});
    executeDirect(*m_c, "insert into FORNECED (CODIGO, NOMEFANTASIA, CNPJ) values (?, ?, ?)",
                  {"2", "Outro", "99888777000166"});
    const std::string sql = "select CNPJ from FORNECED where NOMEFANTASIA = ?";
    EXPECT_EQ(queryDirect(*m_c, sql, {"D'Ávila Insumos"}).at(0, "CNPJ").asString(),
              "11222333000181");
    EXPECT_TRUE(queryDirect(*m_c, sql, {"x' or '1'='1"}).empty());
}

TEST_F(Banco, ComparisonsSeeTheWholeValueWritesCutItToTheColumn)
{
    // CNPJ is 20 characters wide: a longer value compared through a wider cast
    // must not match a row by its prefix.
    executeDirect(*m_c, "insert into FORNECED (CODIGO, CNPJ) values ('1', '12345678901234567890')");
    EXPECT_TRUE(queryDirect(*m_c, "select CODIGO from FORNECED where CNPJ = cast(? as varchar(25))",
                            {"12345678901234567890EXTRA"})
                    .empty());
    // Without the cast the server refuses the value rather than cut it.
    EXPECT_THROW(queryDirect(*m_c, "select CODIGO from FORNECED where CNPJ = ?",
                             {"12345678901234567890EXTRA"}),
                 DatabaseError);

    Transaction t(*m_c);
    Statement ins(t, "insert into FORNECED (CODIGO, NOMEFANTASIA) values (?, ?)");
    ins.setCutText(true);
    ins.execute(t, {"2", std::string(50, 'x') + "ção"});
    t.commit();
    EXPECT_EQ(queryDirect(*m_c, "select NOMEFANTASIA from FORNECED where CODIGO = '2'")
                  .at(0, "NOMEFANTASIA")
                  .asString(),
              std::string(40, 'x'));
}

TEST_F(Banco, NumbersDatesAndNulls)
{
    const Date dia{year{2008}, month{3}, day{31}};
    executeDirect(*m_c,
                  "insert into RP_VENDAMP (CODIGOVENDA, DATAVENDA, QDEPORUNID, QDETOTAL, "
                  "COMISSAO, PRECOTOTAL) values (?, ?, ?, ?, ?, ?)",
                  {1, dia, 0.0000005, Decimal{1234567, -6}, 2.345, Value()});
    const RowSet r = queryDirect(*m_c, "select * from RP_VENDAMP");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.at(0, "CODIGOVENDA").asInt(), 1);
    EXPECT_EQ(r.at(0, "DATAVENDA").asDate(), dia);
    EXPECT_EQ(r.at(0, "QDEPORUNID").asString(), "0.000001");
    EXPECT_EQ(r.at(0, "QDETOTAL").asString(), "1.234567");
    EXPECT_EQ(r.at(0, "COMISSAO").asString(), "2.35");
    EXPECT_TRUE(r.at(0, "PRECOTOTAL").isNull());
    EXPECT_TRUE(r.at(0, "CNPJ").isNull());
    // A text compared with an integer column is converted by the server.
    EXPECT_EQ(queryDirect(*m_c, "select CODIGOVENDA from RP_VENDAMP where CODIGOVENDA = ?", {"1"})
                  .rows.size(),
              1u);
}

TEST_F(Banco, AnUncommittedTransactionLeavesNothingBehind)
{
    {
        Transaction t(*m_c);
        t.execute("insert into FORNECED (CODIGO) values ('1')");
        t.execute("insert into FORNECED (CODIGO) values ('2')");
        EXPECT_THROW(t.execute("insert into FORNECED (CODIGO) values ('1')"), DatabaseError);
        // destroyed without commit
    }
    EXPECT_TRUE(queryDirect(*m_c, "select * from FORNECED").empty());
}

TEST_F(Banco, ErrorsCarryTheServersText)
{
    struct Caso
    {
        const char* nome;
        std::function<void()> acao;
        const char* trecho;
    };
    const std::string endereco = TestServer::address();
    const std::string porta = endereco.substr(endereco.find('/') + 1);
    const Caso casos[] = {
        {"missing table", [&] { queryDirect(*m_c, "select * from TABELA_QUE_NAO_EXISTE"); },
         "TABELA_QUE_NAO_EXISTE"},
        {"duplicate key",
         [&] {
             executeDirect(*m_c, "insert into FORNECED (CODIGO) values ('7')");
             executeDirect(*m_c, "insert into FORNECED (CODIGO) values ('7')");
         },
         "PK_FORNECED"},
        {"refused login",
         [&] {
             ConnectionSettings s = s_db->suiteSettings();
             s.password = "errada";
             Connection c(s);
             c.open();
         },
         "password"},
        {"unreachable server",
         [&] {
             ConnectionSettings s = s_db->suiteSettings();
             s.database = "127.0.0.1/1:C:\\quindale\\dados\\quindale.bd";
             Connection c(s);
             queryDirect(c, "select 1 from RDB$DATABASE");
         },
         "127.0.0.1"},
        {"missing database",
         [&] {
             ConnectionSettings s = s_db->suiteSettings();
             s.database = endereco + ":C:\\quindale\\naoexiste\\quindale.bd";
             Connection c(s);
             c.open();
         },
         "database"},
    };
    for (const auto& c : casos) {
        try {
            c.acao();
            ADD_FAILURE() << c.nome << ": no error";
        } catch (const DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.trecho), std::string::npos)
                << c.nome << ": " << e.what();
        }
    }
}

TEST_F(Banco, ADuplicateKeyIsRecognisedAsSuch)
{
    executeDirect(*m_c, "insert into FORNECED (CODIGO) values ('7')");
    try {
        executeDirect(*m_c, "insert into FORNECED (CODIGO) values ('7')");
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.isUniqueViolation()) << e.what();
        EXPECT_FALSE(e.isNetworkError());
    }
}

TEST_F(Banco, ARequestToEndTheProgramStillEndsIt)
{
    // The client library installs, with a connection, SIGINT and SIGTERM
    // handlers that keep the process running; the program's own dispositions
    // must stand. (The helper that created the test database let the library
    // install them already: start from the defaults.)
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    Connection c(s_db->suiteSettings());
    c.open();
    for (const int sinal : {SIGINT, SIGTERM}) {
        struct sigaction agora
        {
        };
        sigaction(sinal, nullptr, &agora);
        EXPECT_EQ(agora.sa_handler, SIG_DFL) << sinal;
    }
}

TEST_F(Banco, AConnectionThatFailedToOpenIsTriedAgain)
{
    ConnectionSettings s = s_db->suiteSettings();
    s.password = "errada";
    Connection c(s);
    EXPECT_THROW(c.open(), DatabaseError);
    EXPECT_FALSE(c.connected());
    c.setDatabase(s_db->database());
    ConnectionSettings certo = s_db->suiteSettings();
    Connection d(certo);
    EXPECT_NO_THROW(d.open());
    EXPECT_TRUE(d.connected());
}

TEST_F(Banco, BulkInsertWritesEveryRowOnceInBlocks)
{
    Transaction t(*m_c);
    BulkInsert b(t, "RP_VENDAMP",
                 {"CODIGOVENDA", "NOMEINSUMO", "NUMLOTE", "QDETOTAL", "DATAVENDA"});
    EXPECT_GT(b.rowsPerBlock(), 20u);
    const int n = static_cast<int>(b.rowsPerBlock()) * 3 + 7; // full blocks and a remainder
    for (int i = 1; i <= n; ++i) {
        b.add({i, "Ácido Fólico " + std::to_string(i), std::string(30, 'L'),
               i % 2 ? Value(0.0000005 * i) : Value(), Date{year{2008}, month{3}, day{1}}});
    }
    b.flush();
    t.commit();
    EXPECT_EQ(b.rowsWritten(), static_cast<std::uint64_t>(n));
    const RowSet r = queryDirect(*m_c, "select count(*) as N, count(QDETOTAL) as Q, "
                                       "max(char_length(NUMLOTE)) as L, sum(CODIGOVENDA) as S "
                                       "from RP_VENDAMP");
    EXPECT_EQ(r.at(0, "N").asInt(), n);
    EXPECT_EQ(r.at(0, "Q").asInt(), (n + 1) / 2);
    EXPECT_EQ(r.at(0, "L").asInt(), 20); // cut to the column
    EXPECT_EQ(r.at(0, "S").asInt(), n * (n + 1) / 2);
    EXPECT_EQ(queryDirect(*m_c, "select NOMEINSUMO, QDETOTAL from RP_VENDAMP where CODIGOVENDA = 1")
                  .at(0, "QDETOTAL")
                  .asString(),
              "0.000001");
}

TEST_F(Banco, ABulkInsertThatFailsLeavesNothingOnceRolledBack)
{
    executeDirect(*m_c, "insert into RP_VENDAMP (CODIGOVENDA) values (50)");
    {
        Transaction t(*m_c);
        BulkInsert b(t, "RP_VENDAMP", {"CODIGOVENDA"});
        EXPECT_THROW(
            {
                for (int i = 1; i <= 100; ++i) {
                    b.add({i});
                }
                b.flush();
            },
            DatabaseError);
    }
    EXPECT_EQ(queryDirect(*m_c, "select count(*) as N from RP_VENDAMP").at(0, "N").asInt(), 1);
}
