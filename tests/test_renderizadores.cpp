// The file formats of a generated listing, as a person opens them.
#include "FontesQt.h"
#include "Listagem.h"
#include "Renderizadores.h"

#include "Utilitarios.h"
#include <QFontInfo>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace zandoval;
using namespace zandoval::teste;
using namespace std::chrono;

namespace {

DocumentoRelatorio amostra(const std::string& linhasPorPagina = "60")
{
    ParamRelatorio p;
    p.LinesPerPage = linhasPorPagina;
    std::vector<TotalConsumo> totais;
    for (const char* nome : {"Ácido Fólico", "Biotina", "Cafeína Anidra", "Óleo de Amêndoas"}) {
        TotalConsumo t;
        t.nomeInsumo = nome;
        t.qdeTotal = Decimal{12500000, -6};
        t.unidade = "g";
        totais.push_back(t);
    }
    FontesListagem f;
    f.hoje = Date{year{2024}, month{3}, day{5}};
    f.periodo = [] {
        return std::optional(
            std::pair(Date{year{2024}, month{2}, day{1}}, Date{year{2024}, month{2}, day{29}}));
    };
    MetricasQt m;
    return gerarListagem(p, totais, f, m);
}

// Lines with their runs of blanks made one, without empty lines.
std::vector<std::string> linhas(const std::string& texto)
{
    std::vector<std::string> r;
    std::stringstream s(texto);
    std::string l;
    while (std::getline(s, l)) {
        std::string c;
        for (const char ch : l) {
            if (ch == '\f') {
                continue;
            }
            if (ch == ' ' && (c.empty() || c.back() == ' ')) {
                continue;
            }
            c += ch;
        }
        while (!c.empty() && c.back() == ' ') {
            c.pop_back();
        }
        if (!c.empty()) {
            r.push_back(c);
        }
    }
    return r;
}

std::string arquivo(const char* nome)
{
    return (std::filesystem::temp_directory_path() / nome).string();
}

} // namespace

TEST(Renderizadores, TheDefaultFontsAreFixedPitch)
{
    // "Lucida Console" is missing here; the columns need a fixed-pitch font.
    EXPECT_TRUE(QFontInfo(fonteQt(Fonte{"Lucida Console", 10, false, false})).fixedPitch());
    EXPECT_TRUE(QFontInfo(fonteQt(Fonte{"Courrier New", 10, true, false})).fixedPitch());
}

TEST(Renderizadores, TextAndPdfCarryTheSameLines)
{
    const DocumentoRelatorio d = amostra("3"); // two rows a page: two pages
    ASSERT_EQ(d.paginas.size(), 2u);
    const std::string texto = renderizarTexto(d);
    EXPECT_EQ(texto, "Consumo de Matérias Primas\n"
                     "Periodo: 01/02/24 a 29/02/24    Data Emissão: 05/03/24\n"
                     "Nome do Insumo     Qde. Consumida    (unid.)\n"
                     "Ácido Fólico       12.50                   g\n"
                     "Biotina            12.50                   g\n"
                     "\f"
                     "Consumo de Matérias Primas\n"
                     "Periodo: 01/02/24 a 29/02/24    Data Emissão: 05/03/24\n"
                     "Nome do Insumo     Qde. Consumida    (unid.)\n"
                     "Cafeína Anidra     12.50                   g\n"
                     "Óleo de Amêndoas   12.50                   g\n");
    const std::string pdf = arquivo("zandoval_teste.pdf");
    salvarRelatorio(d, pdf);
    EXPECT_EQ(linhas(comando("pdftotext -layout '" + pdf + "' -")), linhas(texto));
    // Every font embedded, with a map back to text; the default font is monospace.
    const std::string fontes = comando("pdffonts '" + pdf + "'");
    EXPECT_NE(fontes.find("Mono"), std::string::npos) << fontes;
    std::stringstream s(fontes);
    std::string l;
    int vistas = 0;
    while (std::getline(s, l)) {
        std::vector<std::string> campos;
        std::stringstream ls(l);
        for (std::string c; ls >> c;) {
            campos.push_back(c);
        }
        if (campos.size() >= 6 && campos.back() == "0" && campos[0] != "name") {
            ++vistas;
            EXPECT_EQ(campos[campos.size() - 5], "yes") << l; // embedded
            EXPECT_EQ(campos[campos.size() - 3], "yes") << l; // ToUnicode
        }
    }
    EXPECT_GT(vistas, 0) << fontes;
    // The printer's file output is a document of the same pages.
    const std::string prn = arquivo("zandoval_teste.prn");
    salvarRelatorio(d, prn);
    EXPECT_EQ(linhas(comando("pdftotext -layout '" + prn + "' -")), linhas(texto));
}

TEST(Renderizadores, HtmlAndRtfCarryTheLinesInAMonospaceFont)
{
    const DocumentoRelatorio d = amostra();
    const std::string h = renderizarHtml(d);
    EXPECT_NE(h.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(h.find("font-family: 'Lucida Console', 'DejaVu Sans Mono'"), std::string::npos);
    EXPECT_NE(h.find("white-space: pre"), std::string::npos);
    EXPECT_NE(h.find("<b><u>Consumo de Matérias Primas</u></b>"), std::string::npos);
    EXPECT_NE(h.find("<span style=\"font-size: 10.000pt\">Ácido Fólico    </span>"
                     "<span style=\"font-size: 10.000pt\">   12.50"),
              std::string::npos);

    const std::string r = renderizarRtf(d);
    EXPECT_EQ(r.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_NE(r.find("\\fmodern\\fprq1\\fcharset0 Lucida Console;"), std::string::npos);
    EXPECT_NE(r.find("\\'c1cido F\\'f3lico"), std::string::npos);
    EXPECT_NE(r.find("\\fs26\\b\\ul Consumo de Mat\\'e9rias Primas"), std::string::npos);
    // A word processor reads it back as the same lines (LibreOffice where installed).
    if (!comando("command -v soffice").empty()) {
        const std::string rtf = arquivo("zandoval_teste.rtf");
        salvarRelatorio(d, rtf);
        comando("cd '" + std::filesystem::temp_directory_path().string() +
                "' && soffice --headless --convert-to txt:Text '" + rtf + "' >/dev/null 2>&1");
        EXPECT_EQ(linhas(lerArquivo(arquivo("zandoval_teste.txt"))), linhas(renderizarTexto(d)));
    }
}

TEST(Renderizadores, ASnapshotOpensAgainAsTheSamePages)
{
    const DocumentoRelatorio d = amostra("3");
    const std::string ndr = arquivo("zandoval_teste.ndr");
    salvarRelatorio(d, ndr);
    const DocumentoRelatorio aberto = DocumentoRelatorio::desserializar(lerArquivo(ndr));
    EXPECT_EQ(aberto, d);
    EXPECT_EQ(renderizarTexto(aberto), renderizarTexto(d));
    EXPECT_THROW(DocumentoRelatorio::desserializar("qualquer coisa"), std::runtime_error);
    EXPECT_EQ(formatoPorArquivo("x.HTM")->nome, "Web Page (HTML)");
    EXPECT_EQ(formatoPorArquivo("x.doc"), nullptr);
}
