// The suite configuration file, the database paths, the client-library file
// and the display form of a CNPJ.
#include "CaminhosBanco.h"
#include "ClientLibrary.h"
#include "ConfiguracaoSuite.h"
#include "FormatarCNPJ.h"
#include "PlataformaSistema.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace zandoval;

namespace {
const std::string kRotulo = configuracao::kRotuloServidor;
std::string linha(const std::string& rotulo, const std::string& resto)
{
    return rotulo + resto;
}
} // namespace

TEST(ConfiguracaoSuite, TheServerLine)
{
    const std::string host60 = std::string(59, 'h') + "X";
    struct Caso
    {
        const char* nome;
        std::string texto;
        std::string esperado;
    };
    const Caso casos[] = {
        {"label, one blank, host", linha(kRotulo, " srv01\r\n"), "srv01"},
        {"padded value", linha(kRotulo, "    srv01   \r\n"), "srv01"},
        {"value from column 49 loses its first character", linha(kRotulo, "srv01\n"), "rv01"},
        {"only columns 50 to 109", linha(kRotulo, " " + host60 + "   trailing"), host60},
        {"trailing blanks after the cut", linha(kRotulo, " abc" + std::string(57, ' ') + "zzz"),
         "abc"},
        {"a tab stays", linha(kRotulo, " \tsrv\t \n"), "\tsrv\t"},
        {"lower-case label", "ip do servidor central.........................: srv01\n", ""},
        {"one dot fewer", "IP DO SERVIDOR CENTRAL........................: srv01\n", ""},
        {"given twice: the second", linha(kRotulo, " a\n") + linha(kRotulo, " b\n"), "b"},
        {"48 characters empty the value", linha(kRotulo, " a\n") + kRotulo + "\n", ""},
        {"49 characters empty the value", linha(kRotulo, " a\n") + kRotulo + ":\n", ""},
        {"no server line", "LOG ATIVADO....................................: S\n", ""},
        {"empty file", "", ""},
        {"no CR reaches the value", linha(kRotulo, " 10.0.0.1\r\n"), "10.0.0.1"},
        {"a lone CR ends the line's text", linha(kRotulo, " srv01\rlixo\n"), "srv01"},
        {"last line without line end", "x\n" + linha(kRotulo, " srv01"), "srv01"},
        {"lines after Ctrl+Z are not read",
         linha(kRotulo, " a\n") + "\x1A" + linha(kRotulo, " b\n"), "a"},
        {"text before Ctrl+Z on its line counts", linha(kRotulo, " srv01\x1A resto"), "srv01"},
        {"known labels of other programs are read past",
         "LOG ATIVADO....................................: S\n" + linha(kRotulo, " srv\n") +
             "MODELO DA OM...................................: 2\n",
         "srv"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(configuracao::lerServidorCentral(c.texto), c.esperado) << c.nome;
    }
}

TEST(ConfiguracaoSuite, FoundBesideTheExecutableWhateverTheLetterCase)
{
    const auto pasta = std::filesystem::temp_directory_path() / "zandoval_cfg_test";
    std::filesystem::remove_all(pasta);
    std::filesystem::create_directories(pasta);
    EXPECT_FALSE(configuracao::localizar(pasta));
    std::ofstream(pasta / "quindale.ini") << "x";
    ASSERT_TRUE(configuracao::localizar(pasta));
    EXPECT_EQ(configuracao::localizar(pasta)->filename(), "quindale.ini");
    std::ofstream(pasta / "QUINDALE.INI") << "x";
    EXPECT_EQ(configuracao::localizar(pasta)->filename(), "QUINDALE.INI");
    std::filesystem::remove_all(pasta);
}

TEST(CaminhosBanco, PathsBuiltFromTheServerAndTheStation)
{
    EXPECT_EQ(caminhoBancoSuite("srv01"), "srv01:C:\\quindale\\dados\\quindale.bd");
    EXPECT_EQ(caminhoBancoInterface("srv01", "07"), "srv01:C:\\quindale\\Interfac07\\quindale.bd");
    EXPECT_EQ(caminhoBancoInterface("srv01", "7"), "srv01:C:\\quindale\\Interfac7\\quindale.bd");
    EXPECT_EQ(caminhoBancoSuite(""), ":C:\\quindale\\dados\\quindale.bd");
}

TEST(CaminhosBanco, ClientLibraryFolder)
{
    const std::string cem(100, 'p');
    struct Caso
    {
        std::string linha;
        std::string biblioteca;
    };
    const Caso casos[] = {
        {"D:\\BD\\cliente", "D:\\BD\\cliente\\GDS32.DLL"},
        {"D:\\BD\\cliente\\", "D:\\BD\\cliente\\GDS32.DLL"},
        {"", ""},
        {cem + "resto", cem + "GDS32.DLL"}, // only 100 characters count, no room for "\"
    };
    for (const auto& c : casos) {
        EXPECT_EQ(caminhoBibliotecaCliente(c.linha), c.biblioteca) << c.linha;
    }
    // What the loader opens here for those names.
    EXPECT_EQ(ClientLibrary::platformPath("gds32.dll"), "libfbclient.so.2");
    EXPECT_EQ(ClientLibrary::platformPath("/opt/fb/lib\\GDS32.DLL"),
              "/opt/fb/lib/libfbclient.so.2");
}

TEST(CaminhosBanco, SuiteFilesLiveUnderEtcQuindale)
{
    EXPECT_EQ(PlataformaSistema::caminhoLocal("c:\\quindale\\CaminhoGDS.txt"),
              "/etc/quindale/CaminhoGDS.txt");
    EXPECT_EQ(PlataformaSistema::caminhoLocal("C:\\Quindale\\Interfac01\\x.bd"),
              "/etc/quindale/Interfac01/x.bd");
}

TEST(FormatarCNPJ, DisplayForm)
{
    struct Caso
    {
        const char* cnpj;
        const char* exibido;
    };
    const Caso casos[] = {
        {"abcdefghijklmn", "ab.cde.fgh/ijkl-mn"},
        {"11222333000181", "11.222.333/0001-81"},
        {"", "../-"},
        {"1122", "11.22./-"},
        {"11.222.333/0001-81", "11.222.333/0001-81"},
        {"1122233300018199", "11.222.333/0001-81"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(FormatarCNPJ(c.cnpj), c.exibido) << c.cnpj;
    }
}
