// Start-up against the private server, through the database paths the program
// builds itself: configuration file, client library, the two data modules and
// the workstation's identification.
#include "ClientLibrary.h"
#include "ColumnLists.h"
#include "Contexto.h"
#include "DM.h"
#include "DM2.h"
#include "Inicializacao.h"
#include "PlataformaTeste.h"
#include "TestServer.h"
#include "Transaction.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <link.h>

using namespace zandoval;
using namespace zandoval::teste;

namespace {

const char* const kSuite = "C:\\quindale\\dados\\quindale.bd";
const char* const kInterface01 = "C:\\quindale\\Interfac01\\quindale.bd";

class Inicio : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_suite = ScratchDatabase::atAlias(kSuite, ScratchDatabase::Schema::Suite).release();
        s_if01 =
            ScratchDatabase::atAlias(kInterface01, ScratchDatabase::Schema::Interface).release();
    }
    static void TearDownTestSuite()
    {
        delete s_suite;
        delete s_if01;
    }
    void SetUp() override
    {
        s_suite->run("delete from ESTACOES");
        plataforma.configurarServidor(TestServer::address());
    }
    static void estacao(const char* estacao, const char* usuario, const char* cnpj,
                        const char* datbasnam = "Area")
    {
        Connection c(s_suite->suiteSettings());
        executeDirect(
            c, "insert into ESTACOES (ESTACAO, USUARIO, CNPJ, DATBASNAM) values (?, ?, ?, ?)",
            {estacao, usuario, cnpj, datbasnam});
    }
    ResultadoInicio iniciarPrograma() { return iniciar(dm, dm2, contexto, plataforma); }
    // A start of its own, on another machine of the same server.
    static ResultadoInicio outroInicio(PlataformaTeste& p, Contexto& c)
    {
        p.configurarServidor(TestServer::address());
        DM d;
        DM2 d2;
        return iniciar(d, d2, c, p);
    }

    static ScratchDatabase* s_suite;
    static ScratchDatabase* s_if01;
    PlataformaTeste plataforma{"test_inicio"};
    Contexto contexto;
    DM dm;
    DM2 dm2;
};

ScratchDatabase* Inicio::s_suite = nullptr;

// The full path of the system's client library.
std::string bibliotecaDoSistema()
{
    void* h = dlopen("libfbclient.so.2", RTLD_NOW);
    link_map* mapa = nullptr;
    dlinfo(h, RTLD_DI_LINKMAP, &mapa);
    return mapa->l_name;
}
ScratchDatabase* Inicio::s_if01 = nullptr;

} // namespace

TEST_F(Inicio, IdentifiesTheWorkstationAndPointsTheConnections)
{
    estacao("015", "MARIA", "11222333000181"); // the logon name differs in case only
    plataforma.usuario = "Maria";
    const ResultadoInicio r = iniciarPrograma();
    EXPECT_FALSE(r.encerrar);
    EXPECT_EQ(r.errosRelatados, 0) << (plataforma.erros.empty() ? "" : plataforma.erros[0]);
    EXPECT_TRUE(plataforma.mensagens.empty());
    EXPECT_EQ(contexto.IPServidorCentral, TestServer::address());
    EXPECT_EQ(contexto.UsuarioWindows, "Maria");
    EXPECT_EQ(contexto.param.EstacaoLocal, "01");
    EXPECT_EQ(contexto.param.CNPJLoja, "11222333000181");
    EXPECT_EQ(contexto.caption, " VEK SISTEMAS - RELATÓRIOS     Usuário: \"Maria\"     Estação: 01"
                                "     Loja: 11.222.333/0001-81");
    const std::string servidor = TestServer::address();
    EXPECT_EQ(dm.sqlcon1.settings().database, servidor + ":" + kSuite);
    EXPECT_EQ(dm2.sqlcon1.settings().database, servidor + ":" + kSuite);
    EXPECT_EQ(dm2.SQLConnection1.settings().database, servidor + ":" + kInterface01);
    // Neither connection of the second module is opened by start-up.
    EXPECT_FALSE(dm2.sqlcon1.connected());
    EXPECT_FALSE(dm2.SQLConnection1.connected());
    // The interface connection reaches the station's own database.
    dm2.Periodo.open();
    EXPECT_TRUE(dm2.Periodo.isEmpty());
    EXPECT_EQ(dm2.sqlcon1.statementsPrepared(), 0u);
}

TEST_F(Inicio, WithoutTheConfigurationFileNothingIsConnected)
{
    std::filesystem::remove(plataforma.pastaExecutavel() / "QUINDALE.INI");
    const ResultadoInicio r = iniciarPrograma();
    EXPECT_TRUE(r.encerrar);
    EXPECT_TRUE(r.configuracaoAusente);
    EXPECT_EQ(plataforma.mensagens,
              std::vector<std::string>{"Arquivo QUINDALE.INI não encontrado. Execute o programa "
                                       "Holbrick.exe para criá-lo."});
    EXPECT_EQ(dm.sqlcon1.statementsPrepared(), 0u);
    EXPECT_FALSE(dm.sqlcon1.connected());
}

TEST_F(Inicio, AnUnknownUserEndsTheProgram)
{
    estacao("01", "joao", "11222333000181");
    plataforma.usuario = "ana";
    const ResultadoInicio r = iniciarPrograma();
    EXPECT_TRUE(r.encerrar);
    EXPECT_TRUE(r.estacaoNaoIdentificada);
    const std::string esperado =
        "Não foi possível selecionar uma área de trabalho para o usuário \"ana\". \r\r"
        "Causas prováveis: \r\r"
        "  1) Na tabela \"Estacoes.db\" não foi incluída uma estação para o usuário \"ana\".\r"
        "     Obs: Criar também a área de trabalho física (pasta C:\\Quindale\\InterfacXX) para "
        "este usuário.\r"
        "  --> Favor contactar o suporte técnico da VEK SISTEMAS <--";
    EXPECT_EQ(plataforma.mensagens,
              (std::vector<std::string>{esperado, "O programa será fechado."}));
    // The second module was never prepared.
    EXPECT_NE(dm2.sqlcon1.settings().database.find("c:\\quindale\\dados\\Quindale.bd"),
              std::string::npos);
}

TEST_F(Inicio, RowsThatOnlyPartlyIdentify)
{
    {
        SCOPED_TRACE("no DATBASNAM: the program ends without the long message");
        estacao("01", "maria", "11222333000181", "");
        PlataformaTeste p("test_inicio_a");
        Contexto c;
        EXPECT_TRUE(outroInicio(p, c).encerrar);
        EXPECT_EQ(p.mensagens, std::vector<std::string>{"O programa será fechado."});
        s_suite->run("delete from ESTACOES");
    }
    {
        SCOPED_TRACE("no CNPJ: told once per data module, start-up goes on");
        estacao("02", "maria", "");
        PlataformaTeste p("test_inicio_b");
        Contexto c;
        EXPECT_FALSE(outroInicio(p, c).encerrar);
        const std::string aviso = "Erro na configuração da tabela ESTACOES:\rO campo CNPJ tabela "
                                  "ESTACOES não foi preenchido para o a estação 02";
        EXPECT_EQ(p.mensagens, (std::vector<std::string>{aviso, aviso}));
        EXPECT_EQ(c.param.CNPJLoja, "");
        EXPECT_EQ(c.caption, " VEK SISTEMAS - RELATÓRIOS     Usuário: \"maria\"     Estação: 02"
                             "     Loja: ../-");
    }
}

TEST_F(Inicio, AServerThatDoesNotAnswerIsReportedAndStartUpGoesOn)
{
    estacao("01", "maria", "11222333000181");
    plataforma.configurarServidor("127.0.0.1/1");
    const ResultadoInicio r = iniciarPrograma();
    EXPECT_FALSE(r.encerrar);
    ASSERT_EQ(plataforma.erros.size(), 2u); // once per data module
    EXPECT_NE(plataforma.erros[0].find("127.0.0.1"), std::string::npos) << plataforma.erros[0];
    EXPECT_TRUE(plataforma.mensagens.empty());
    EXPECT_EQ(contexto.param.EstacaoLocal, "");
}

TEST_F(Inicio, TheClientLibraryFileNamesTheFolderOfTwoOfTheThreeConnections)
{
    estacao("01", "maria", "11222333000181");
    const auto pastaLib = plataforma.pasta / "cliente";
    std::filesystem::create_directories(pastaLib);
    std::filesystem::create_symlink(bibliotecaDoSistema(), pastaLib / "libfbclient.so.2");
    std::ofstream(plataforma.arquivoDaSuite("c:\\quindale\\CaminhoGDS.txt"))
        << pastaLib.string() << "\r\nsegunda linha ignorada\r\n";
    const ResultadoInicio r = iniciarPrograma();
    ASSERT_EQ(r.errosRelatados, 0) << plataforma.erros[0];
    const std::string esperado = pastaLib.string() + "\\GDS32.DLL";
    EXPECT_EQ(dm.sqlcon1.settings().vendorLib, esperado);
    EXPECT_EQ(dm2.SQLConnection1.settings().vendorLib, esperado);
    EXPECT_EQ(dm2.sqlcon1.settings().vendorLib, "gds32.dll");
    EXPECT_EQ(dm.sqlcon1.clientLibraryPath(), (pastaLib / "libfbclient.so.2").string());
}

TEST_F(Inicio, AClientLibraryFolderWithoutTheLibraryIsReported)
{
    estacao("01", "maria", "11222333000181");
    std::ofstream(plataforma.arquivoDaSuite("c:\\quindale\\CaminhoGDS.txt")) << "/nao/existe";
    const ResultadoInicio r = iniciarPrograma();
    EXPECT_FALSE(r.encerrar);
    ASSERT_FALSE(plataforma.erros.empty());
    EXPECT_NE(plataforma.erros[0].find("/nao/existe/libfbclient.so.2"), std::string::npos)
        << plataforma.erros[0];
}
