#pragma once

#include "Value.h"

#include <functional>
#include <optional>
#include <string>

namespace zandoval {

// The quantity and unit rules that turn one ingredient line of a compounded
// formula into consumption figures.

// One ingredient line and its formula, as the loader reads them.
struct Ingrediente
{
    double qde = 0;               // COMPEDID.QDE
    std::string unid;             // COMPEDID.UNID
    Decimal fatorDiluicao;        // COMPEDID.FATORDILUICAO; 0 stands for 1
    std::string formaFarma;       // PEDIFORM.FORMAFARMA
    std::string unidadeFormula;   // PEDIFORM.UNIDADE
    std::int64_t qdeCapsulas = 0; // PEDIFORM.QDECAPSULAS: N
    std::int64_t qdeRotulos = 0;  // PEDIFORM.QDEROTULOS: R
    Decimal volumeTotal;          // PEDIFORM.VOLUMETOTAL
    // Identity of the formula, for the warning only.
    std::string estacao;
    std::string npedido;
    std::string nformula;
};

// The figures of one detail row. An empty optional is a column left NULL.
struct Consumo
{
    Decimal qdePorUnid{0, -6};                // QDEPORUNID, six places, never empty
    std::optional<std::string> unidadeMedida; // "g", "ml", "un"
    std::optional<std::string> unidFarmac;    // "cap", "comp", "ml", "g"
    std::optional<Decimal> qdeUnidFarmac;     // six places
    Decimal qdeTotal{0, -6};                  // QDEPORUNID × QDEUNIDFARMAC, six places
};

// The factor that takes a quantity from one unit to another (CONVUNID), 1 when
// there is none.
using FatorConversaoUnidade = std::function<double(const std::string& de, const std::string& para)>;

// Steps A to D for one ingredient. `aviso` receives the warning of the rows
// that divide by the total volume when that volume rounds to 0 (or the
// quotient does not fit the column): QDEPORUNID then keeps its diluted value
// and the row is still written.
Consumo calcularConsumo(const Ingrediente& ing, const FatorConversaoUnidade& fator,
                        const std::function<void(const std::string&)>& aviso);

namespace regras {
// Six decimal places, halves away from zero.
Decimal seisCasas(double v);
// The total volume rounded to a whole number, halves to the even neighbour.
std::int64_t volumeArredondado(const Decimal& volume);
// Characters i to j (from 1) of a UTF-8 text; shorter or empty where it ends.
std::string caracteres(const std::string& s, std::size_t i, std::size_t j);
std::string mensagemVolume(const Ingrediente& ing, double q, std::int64_t v,
                           const std::string& classe, const std::string& erro);
} // namespace regras

} // namespace zandoval
