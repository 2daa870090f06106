// The quantity and unit rules, on the worked examples and the cases around them.
#include "RegrasQuantidade.h"

#include <gtest/gtest.h>

using namespace zandoval;

namespace {

// CONVUNID as the examples have it: mg and MCG to g.
double fator(const std::string& de, const std::string& para)
{
    if (para == "g" && (de == "mg" || de == "MG")) {
        return 0.001;
    }
    if (para == "g" && de == "MCG") {
        return 0.000001;
    }
    return 1;
}

Ingrediente ingrediente(double qde, std::string unid, std::string forma, std::string unidadeFormula,
                        int n, int r, Decimal volume, Decimal diluicao = {0, -2})
{
    Ingrediente i;
    i.qde = qde;
    i.unid = std::move(unid);
    i.formaFarma = std::move(forma);
    i.unidadeFormula = std::move(unidadeFormula);
    i.qdeCapsulas = n;
    i.qdeRotulos = r;
    i.volumeTotal = volume;
    i.fatorDiluicao = diluicao;
    i.estacao = "01";
    i.npedido = "4711";
    i.nformula = "2";
    return i;
}

std::string texto(const std::optional<Decimal>& d)
{
    return d ? d->toString() : "<vazio>";
}

} // namespace

TEST(RegrasQuantidade, WorkedExamplesAndTheCasesAroundThem)
{
    struct Caso
    {
        const char* nome;
        Ingrediente ing;
        const char* qdePorUnid;
        const char* unidade;   // "" = NULL
        const char* farmac;    // "" = NULL
        const char* qdeFarmac; // "<vazio>" = NULL
        const char* total;
    };
    const Caso casos[] = {
        {"capsules, 250 mg", ingrediente(250, "mg", "Cápsula", "", 60, 2, {0, 0}), "0.25", "g",
         "cap", "120", "30"},
        {"CAPSULA in capitals", ingrediente(250, "MG", "CAPSULA", "", 60, 1, {0, 0}), "0.25", "g",
         "cap", "60", "15"},
        {"tablets", ingrediente(500, "MCG", "Comprimido", "", 30, 2, {0, 0}), "0.0005", "g", "comp",
         "60", "0.03"},
        {"syrup, 2 g", ingrediente(2, "g", "Xarope", "ML", 5, 1, {10000, -2}), "0.1", "g", "ml",
         "100", "10"},
        {"dose", ingrediente(2, "G", "DOSE UNICA", "ML", 5, 2, {10000, -2}), "0.1", "g", "ml",
         "200", "20"},
        {"POMADA in G keeps the volume unrounded",
         ingrediente(1.5, "g", "POMADA", "G", 0, 2, {3040, -2}), "0.05", "g", "g", "60.8", "3.04"},
        {"a form by ML", ingrediente(3, "ML", "Loção", "ml", 0, 1, {15000, -2}), "0.02", "ml", "ml",
         "150", "3"},
        {"a form by MG gives g", ingrediente(10, "G", "Gel", "MG", 0, 1, {5000, -2}), "0.2", "g",
         "g", "50", "10"},
        {"no form rule", ingrediente(2, "UN", "Sachê", "UN", 10, 1, {0, 0}), "2", "un", "",
         "<vazio>", "0"},
        {"unit KG", ingrediente(0.5, "KG", "Cápsula", "", 60, 1, {0, 0}), "0", "", "cap", "60",
         "0"},
        {"dilution 0 is 1", ingrediente(5, "G", "Cápsula", "", 10, 1, {0, 0}, {0, -2}), "5", "g",
         "cap", "10", "50"},
        {"dilution 10", ingrediente(5, "G", "Cápsula", "", 10, 1, {0, 0}, {1000, -2}), "0.5", "g",
         "cap", "10", "5"},
        {"0.0000004 g", ingrediente(0.0000004, "g", "Cápsula", "", 10, 1, {0, 0}), "0", "g", "cap",
         "10", "0"},
        {"mg with a blank is no unit", ingrediente(5, "mg ", "Cápsula", "", 10, 1, {0, 0}), "0", "",
         "cap", "10", "0"},
        {"Mg without a CONVUNID row keeps its number",
         ingrediente(5, "Mg", "Cápsula", "", 10, 1, {0, 0}), "5", "g", "cap", "10", "50"},
        {"V rounds halves to even: 99.5", ingrediente(1, "ML", "Xarope", "ML", 1, 1, {9950, -2}),
         "0.01", "ml", "ml", "100", "1"},
        {"V rounds halves to even: 100.5", ingrediente(1, "ML", "Xarope", "ML", 1, 1, {10050, -2}),
         "0.01", "ml", "ml", "100", "1"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        int avisos = 0;
        const Consumo r = calcularConsumo(c.ing, fator, [&](const std::string&) { ++avisos; });
        EXPECT_EQ(avisos, 0);
        EXPECT_EQ(r.qdePorUnid.toString(), c.qdePorUnid);
        EXPECT_EQ(r.unidadeMedida.value_or(""), c.unidade);
        EXPECT_EQ(r.unidFarmac.value_or(""), c.farmac);
        EXPECT_EQ(texto(r.qdeUnidFarmac), c.qdeFarmac);
        EXPECT_EQ(r.qdeTotal.toString(), c.total);
    }
}

TEST(RegrasQuantidade, AVolumeThatRoundsToZeroWarnsAndKeepsTheDilutedQuantity)
{
    struct Caso
    {
        const char* nome;
        Ingrediente ing;
        const char* qdePorUnid;
        const char* qdeFarmac;
        const char* total;
        const char* classe;
    };
    const Caso casos[] = {
        {"syrup without volume", ingrediente(2, "G", "Xarope", "ML", 5, 1, {0, 0}), "2", "0", "0",
         "EZeroDivide"},
        {"dose without volume, nothing to divide", ingrediente(2, "KG", "Dose", "ML", 5, 1, {0, 0}),
         "0", "0", "0", "EInvalidOp"},
        // No rule of their own: they take the syrups' guard instead of failing.
        {"cream in G of 0.4", ingrediente(3, "G", "Creme", "G", 0, 2, {40, -2}), "3", "0.8", "2.4",
         "EZeroDivide"},
        {"lotion in ML of 0", ingrediente(3, "ML", "Loção", "ML", 0, 2, {0, 0}), "3", "0", "0",
         "EZeroDivide"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        std::vector<std::string> avisos;
        const Consumo r =
            calcularConsumo(c.ing, fator, [&](const std::string& m) { avisos.push_back(m); });
        ASSERT_EQ(avisos.size(), 1u);
        EXPECT_NE(avisos[0].find(std::string("Classe: ") + c.classe), std::string::npos)
            << avisos[0];
        EXPECT_EQ(r.qdePorUnid.toString(), c.qdePorUnid);
        EXPECT_EQ(texto(r.qdeUnidFarmac), c.qdeFarmac);
        EXPECT_EQ(r.qdeTotal.toString(), c.total);
    }
}

TEST(RegrasQuantidade, TheWarningTextCharacterForCharacter)
{
    std::string aviso;
    calcularConsumo(ingrediente(2.5, "G", "Xarope", "ML", 5, 1, {0, 0}, {1000, -2}), fator,
                    [&](const std::string& m) { aviso = m; });
    EXPECT_EQ(aviso, "Favor verificar o pedido nº 01.4711.2\r"
                     "( Qde * QdeCapsulas) / Volume Total : \r"
                     "Qde: 0.25\r"
                     "Qde. Cápsulas: 5\r"
                     "Volume Total: 0\r"
                     "\r"
                     "Classe: EZeroDivide\r"
                     "Erro: Floating point division by zero");
}
