// The listing's page description: positions, widths, page breaks, options and
// their errors, measured with exact fixed-pitch metrics.
#include "Listagem.h"
#include "ReportSurface.h"

#include <gtest/gtest.h>

using namespace zandoval;
using namespace std::chrono;

namespace {

// Every character 0.6 of the font size wide; descent 0.2 of it.
class MetricasFixas : public MetricasFonte
{
public:
    double largura(const std::string& texto, const Fonte& f) override
    {
        std::size_t n = 0;
        for (const char c : texto) {
            n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }
        return 0.6 * f.tamanho * static_cast<double>(n);
    }
    double descendente(const Fonte& f) override { return 0.2 * f.tamanho; }
};

const Date kHoje{year{2024}, month{3}, day{5}};
const std::pair<Date, Date> kPeriodo{Date{year{2024}, month{2}, day{1}},
                                     Date{year{2024}, month{2}, day{29}}};

double linha(double pontos)
{
    return pontosParaUnidades(1.2 * pontos);
}

TotalConsumo total(const std::string& nome, Decimal qde, const std::string& unidade)
{
    TotalConsumo t;
    t.nomeInsumo = nome;
    t.qdeTotal = qde;
    t.unidade = unidade;
    return t;
}

class Listagem : public ::testing::Test
{
protected:
    DocumentoRelatorio gerar(const std::vector<TotalConsumo>& totais)
    {
        FontesListagem f;
        f.hoje = kHoje;
        f.periodo = [&] {
            ++leiturasPeriodo;
            return std::optional(kPeriodo);
        };
        return gerarListagem(param, totais, f, metricas);
    }
    static std::vector<std::string> textos(const Pagina& p)
    {
        std::vector<std::string> r;
        for (const auto& t : p.textos) {
            r.push_back(t.texto);
        }
        return r;
    }

    ParamRelatorio param;
    MetricasFixas metricas;
    int leiturasPeriodo = 0;
};

} // namespace

TEST_F(Listagem, PositionsOfTheHeadingAndTheRows)
{
    const DocumentoRelatorio d =
        gerar({total("Ácido Fólico", {12500000, -6}, "g"), total("Biotina", {3, -6}, "ml")});
    ASSERT_EQ(d.paginas.size(), 1u);
    const auto& t = d.paginas[0].textos;
    ASSERT_EQ(t.size(), 11u);
    // The title on the first line below the top margin of 0.5 inch, laid out
    // for the font in force when the page began (10 points).
    const double primeira = 0.5 * 1.77 + linha(10) - pontosParaUnidades(0.2 * 10);
    EXPECT_EQ(t[0].texto, "Consumo de Matérias Primas");
    EXPECT_DOUBLE_EQ(t[0].x, 2);
    EXPECT_DOUBLE_EQ(t[0].y, primeira);
    EXPECT_EQ(t[0].fonte, (Fonte{"Lucida Console", 13, true, true}));
    // The header line at BodyTopMargin, the column titles 0.35 below.
    EXPECT_EQ(t[1].texto, "Periodo: 01/02/24 a 29/02/24    Data Emissão: 05/03/24");
    EXPECT_DOUBLE_EQ(t[1].y, 1.5);
    EXPECT_EQ(t[1].fonte, (Fonte{"Lucida Console", 10, false, false}));
    EXPECT_EQ(t[2].texto, "Nome do Insumo ");
    EXPECT_EQ(t[3].texto, "   Qde. Consumida ");
    EXPECT_EQ(t[4].texto, "   (unid.)");
    EXPECT_DOUBLE_EQ(t[2].y, 1.85);
    EXPECT_EQ(t[2].fonte, (Fonte{"Lucida Console", 10, false, true}));
    // Each column after the previous one's end.
    EXPECT_DOUBLE_EQ(t[3].x, 2 + pontosParaUnidades(6.0 * 15));
    // Rows one line height apart, at BodyLeftMargin, plain.
    EXPECT_EQ(t[5].texto, "Ácido Fólico   ");
    EXPECT_EQ(t[6].texto, "   12.50          ");
    EXPECT_EQ(t[7].texto, "         g");
    EXPECT_DOUBLE_EQ(t[5].y, 1.85 + linha(10));
    EXPECT_DOUBLE_EQ(t[8].y, 1.85 + 2 * linha(10));
    EXPECT_EQ(t[9].texto, "   0.00           ");
    EXPECT_EQ(t[10].texto, "        ml");
    EXPECT_EQ(t[5].fonte, (Fonte{"Lucida Console", 10, false, false}));
}

TEST_F(Listagem, TheLongestNameSetsTheFirstColumnsWidth)
{
    const std::string longo(70, 'N');
    const DocumentoRelatorio d = gerar({total("Curto", {1, 0}, "g"), total(longo, {2, 0}, "g")});
    const auto t = textos(d.paginas[0]);
    EXPECT_EQ(t[2], "Nome do Insumo" + std::string(56, ' '));
    EXPECT_EQ(t[5], "Curto" + std::string(65, ' '));
    EXPECT_EQ(t[8], longo);
}

TEST_F(Listagem, PageBreaksAfterLinesPerPageMinusOneRows)
{
    const auto linhas = [](int n) {
        std::vector<TotalConsumo> v;
        for (int i = 0; i < n; ++i) {
            v.push_back(total("M" + std::to_string(1000 + i), {i, 0}, "g"));
        }
        return v;
    };
    struct Caso
    {
        int linhas;
        std::size_t paginas;
        std::size_t naUltima;
    };
    for (const Caso c :
         {Caso{59, 1, 59}, Caso{60, 2, 1}, Caso{118, 2, 59}, Caso{119, 3, 1}, Caso{0, 1, 0}}) {
        SCOPED_TRACE(c.linhas);
        leiturasPeriodo = 0;
        const DocumentoRelatorio d = gerar(linhas(c.linhas));
        ASSERT_EQ(d.paginas.size(), c.paginas);
        // Every page carries the heading (5 texts) at the same places; rows have
        // 3 texts each.
        for (const auto& p : d.paginas) {
            EXPECT_EQ(p.textos[0].texto, "Consumo de Matérias Primas");
            EXPECT_EQ(p.textos[0].y, d.paginas[0].textos[0].y);
            EXPECT_EQ(p.textos[4].y, 1.85);
        }
        EXPECT_EQ((d.paginas.back().textos.size() - 5) / 3, c.naUltima);
        // The period is read again for every page.
        EXPECT_EQ(leiturasPeriodo, static_cast<int>(c.paginas));
    }
    // An empty listing: one page of headings, titles padded to their captions.
    const auto t = textos(gerar({}).paginas[0]);
    EXPECT_EQ(t, (std::vector<std::string>{"Consumo de Matérias Primas",
                                           "Periodo: 01/02/24 a 29/02/24    Data Emissão: 05/03/24",
                                           "Nome do Insumo ", "   Qde. Consumida ", "   (unid.)"}));
}

TEST_F(Listagem, OptionsAsTheyAreRead)
{
    struct Caso
    {
        const char* porPeriodo;
        const char* tituloNegrito;
        const char* cabecalho;
        bool negrito;
    };
    const Caso casos[] = {
        {"s", "s", "Periodo: 01/02/24 a 29/02/24    Data Emissão: 05/03/24", false},
        {"N", "Sim", "Data Emissão: 05/03/24", true},
        {"Sim", "N", "Data Emissão: 05/03/24", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.porPeriodo);
        param.ByPeriod = c.porPeriodo;
        param.TitleBold = c.tituloNegrito;
        const DocumentoRelatorio d = gerar({});
        const auto& t = d.paginas[0].textos;
        EXPECT_EQ(t[1].texto, c.cabecalho);
        EXPECT_EQ(t[0].fonte.negrito, c.negrito);
    }
    // A size of zero keeps the font in force: the first title stays in the
    // surface's starting font.
    param.TitleFontSize = "0";
    EXPECT_EQ(gerar({}).paginas[0].textos[0].fonte.tamanho, 10);
    // Margins move the title, the header and the column titles, and the rows apart.
    param = ParamRelatorio{};
    param.TitleLeftMargin = "3";
    param.BodyLeftMargin = " 2.5 ";
    const DocumentoRelatorio d = gerar({total("A", {1, 0}, "g")});
    const auto& t = d.paginas[0].textos;
    EXPECT_DOUBLE_EQ(t[1].x, 3);
    EXPECT_DOUBLE_EQ(t[2].x, 3);
    EXPECT_DOUBLE_EQ(t[5].x, 2.5);
}

TEST_F(Listagem, ANumericOptionThatIsNoNumberStopsBeforeAnythingIsDrawn)
{
    struct Caso
    {
        std::string ParamRelatorio::*campo;
        const char* valor;
        const char* erro;
    };
    const Caso casos[] = {
        {&ParamRelatorio::TitleFontSize, "13pt", "'13pt' is not a valid floating point value"},
        {&ParamRelatorio::BodyTopMargin, "1,5", "'1,5' is not a valid floating point value"},
        {&ParamRelatorio::TitleLeftMargin, "", "'' is not a valid floating point value"},
        {&ParamRelatorio::LinesPerPage, "60.5", "'60.5' is not a valid integer value"},
    };
    for (const auto& c : casos) {
        param = ParamRelatorio{};
        param.*(c.campo) = c.valor;
        try {
            gerar({});
            ADD_FAILURE() << c.valor;
        } catch (const ErroConversao& e) {
            EXPECT_STREQ(e.what(), c.erro);
        }
    }
}

TEST(FormatoMascara, AsTheFieldFormatsDo)
{
    EXPECT_EQ(listagem::formatarMascara(12.5, "0.00"), "12.50");
    EXPECT_EQ(listagem::formatarMascara(0.005, "0.00"), "0.01");
    EXPECT_EQ(listagem::formatarMascara(-2.344, "0.00"), "-2.34");
    EXPECT_EQ(listagem::formatarMascara(1234567.891, "#,##0.00"), "1,234,567.89");
    EXPECT_EQ(listagem::formatarMascara(7, "0"), "7");
}
