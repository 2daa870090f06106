// zandoval-batch as a user runs it: its exit status, what it writes to standard
// output and standard error, and what it leaves in the databases.
#include "BancosDoPrograma.h"
#include "Connection.h"
#include "PlataformaTeste.h"
#include "TestServer.h"
#include "Transaction.h"
#include "Utilitarios.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/wait.h>

using namespace zandoval;
using namespace zandoval::teste;

namespace {

struct Execucao
{
    int status = -1;
    std::string saida;
    std::string erros;
};

class Batch : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_bancos = new BancosDoPrograma(300, "balconista");
        s_suite = s_bancos->suite.get();
        s_if = s_bancos->interface.get();
    }
    static void TearDownTestSuite() { delete s_bancos; }
    void SetUp() override { plataforma.configurarServidor(TestServer::address()); }

    Execucao rodar(const std::string& argumentos)
    {
        const auto saida = plataforma.pasta / "saida.txt";
        const auto erros = plataforma.pasta / "erros.txt";
        const std::string comando = std::string(ZANDOVAL_BATCH) + " " + argumentos + " > '" +
                                    saida.string() + "' 2> '" + erros.string() + "'";
        Execucao e;
        const int r = std::system(comando.c_str());
        e.status = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
        e.saida = lerArquivo(saida);
        e.erros = lerArquivo(erros);
        return e;
    }
    std::string ini()
    {
        return "--ini '" + (plataforma.pastaExecutavel() / "QUINDALE.INI").string() + "'";
    }
    static std::int64_t contar(const std::string& sql)
    {
        Connection c(s_suite->suiteSettings());
        return queryDirect(c, sql).rows[0][0].asInt();
    }

    static BancosDoPrograma* s_bancos;
    static ScratchDatabase* s_suite;
    static ScratchDatabase* s_if;
    PlataformaTeste plataforma{"test_batch"};
};

BancosDoPrograma* Batch::s_bancos = nullptr;
ScratchDatabase* Batch::s_suite = nullptr;
ScratchDatabase* Batch::s_if = nullptr;

} // namespace

TEST_F(Batch, AMonthEndToEnd)
{
    const Execucao e = rodar(ini() + " --usuario balconista --de 01/03/08 --ate 31/03/2008");
    ASSERT_EQ(e.status, 0) << e.erros;
    EXPECT_NE(e.saida.find("Pedidos lidos: "), std::string::npos) << e.saida;
    EXPECT_NE(e.saida.find("Linhas de detalhe gravadas: "), std::string::npos);
    const auto linhas =
        contar("select count(*) from RP_VENDAMP where CNPJ = '11222333000181' and ESTLOCAL = '01'");
    EXPECT_GT(linhas, 1000);
    EXPECT_NE(e.saida.find("Linhas de detalhe gravadas: " + std::to_string(linhas) + "\n"),
              std::string::npos);
    EXPECT_GT(contar("select count(*) from RP_CONSMP"), 30);
    EXPECT_GT(contar("select count(*) from INSUMOS"), 30);
    // The period is stored as the parameters panel stores it.
    Connection i(s_if->interfaceSettings());
    const RowSet p = queryDirect(i, "select DATAINICIAL, DATAFINAL from PERIODO");
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(p.at(0, "DATAFINAL").asString(), "31/03/08");

    // An order type typed with its accent reaches the database as the suite stores it.
    const Execucao orcam =
        rodar(ini() + " --usuario balconista --de 01/03/08 --ate 31/03/08 --tipo Orçam");
    ASSERT_EQ(orcam.status, 0) << orcam.erros;
    EXPECT_EQ(orcam.saida.find("Pedidos lidos: 0\n"), std::string::npos) << orcam.saida;
    EXPECT_NE(orcam.saida.find("tipo \"Orçam\""), std::string::npos);

    // The listing as a file, in the format of its extension, with the panel's defaults.
    const auto txt = plataforma.pasta / "consumo.txt";
    const Execucao listagem = rodar(ini() +
                                    " --usuario balconista --de 01/03/08 --ate 31/03/08 "
                                    "--saida '" +
                                    txt.string() + "' --linhas 20");
    ASSERT_EQ(listagem.status, 0) << listagem.erros;
    const std::string texto = lerArquivo(txt);
    EXPECT_EQ(texto.rfind(
                  "Consumo de Matérias Primas\nPeriodo: 01/03/08 a 31/03/08    Data Emissão: ", 0),
              0u)
        << texto.substr(0, 200);
    EXPECT_NE(texto.find("\f"), std::string::npos); // 19 rows a page: more than one page
}

TEST_F(Batch, ExitStatusAndMessages)
{
    struct Caso
    {
        const char* nome;
        std::string argumentos;
        int status;
        const char* emErros;
    };
    const std::string periodo = " --de 01/03/08 --ate 31/03/08";
    const Caso casos[] = {
        {"no arguments", "", 2, "uso: zandoval-batch"},
        {"a date that is no date", ini() + " --de 31/02/08 --ate 31/03/08", 2,
         "data inválida em --de"},
        {"an unknown option", ini() + periodo + " --formato pdf", 2,
         "opção desconhecida: --formato"},
        {"an unknown output format", ini() + periodo + " --saida x.doc", 2,
         "formato de saída desconhecido: x.doc"},
        {"no configuration file", "--ini /nao/existe.ini" + periodo, 3,
         "Arquivo QUINDALE.INI não encontrado. Execute o programa Holbrick.exe para criá-lo."},
        {"a user with no workstation", ini() + " --usuario ninguem" + periodo, 3,
         "O programa será fechado."},
        {"a store that is not registered",
         ini() + " --usuario balconista --loja 99888777000166" + periodo, 4,
         "(5) Não foi encontrado o registro da loja \"99.888.777/0001-66\""},
    };
    ASSERT_EQ(rodar(ini() + " --usuario balconista" + periodo).status, 0);
    const auto totais = contar("select count(*) from RP_CONSMP");
    const auto detalhe = contar("select count(*) from RP_VENDAMP");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const Execucao e = rodar(c.argumentos);
        EXPECT_EQ(e.status, c.status) << e.erros;
        EXPECT_NE(e.erros.find(c.emErros), std::string::npos) << e.erros;
        // A run that stops early leaves the detail and the totals alone.
        EXPECT_EQ(contar("select count(*) from RP_CONSMP"), totais);
        EXPECT_EQ(contar("select count(*) from RP_VENDAMP"), detalhe);
    }
}

TEST_F(Batch, AServerThatDoesNotAnswerIsAStartUpFailure)
{
    plataforma.configurarServidor("127.0.0.1/1");
    const Execucao e = rodar(ini() + " --usuario balconista --de 01/03/08 --ate 31/03/08");
    EXPECT_EQ(e.status, 3);
    EXPECT_NE(e.erros.find("127.0.0.1"), std::string::npos) << e.erros;
}

TEST_F(Batch, AFailedRunLeavesTheDatabaseAsItWas)
{
    ASSERT_EQ(rodar(ini() + " --usuario balconista --de 01/03/08 --ate 31/03/08").status, 0);
    const auto antes = contar("select count(*) from RP_VENDAMP");
    const auto soma = contar("select sum(CODIGOVENDA) from RP_VENDAMP");
    s_suite->run("create exception RECUSADO 'gravação recusada'");
    Connection c(s_suite->suiteSettings());
    executeDirect(c, "create trigger RECUSA for RP_VENDAMP before insert position 0 as begin "
                     "if (new.CODIGOVENDA > 0 and new.NOMEINSUMO starting with 'Zinco') then "
                     "exception RECUSADO; end");
    const Execucao e = rodar(ini() + " --usuario balconista --de 01/03/08 --ate 31/03/08");
    executeDirect(c, "drop trigger RECUSA");
    executeDirect(c, "drop exception RECUSADO");
    EXPECT_EQ(e.status, 1);
    EXPECT_NE(e.erros.find("gravação recusada"), std::string::npos) << e.erros;
    EXPECT_EQ(contar("select count(*) from RP_VENDAMP"), antes);
    EXPECT_EQ(contar("select sum(CODIGOVENDA) from RP_VENDAMP"), soma);
}
