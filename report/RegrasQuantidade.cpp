#include "RegrasQuantidade.h"

#include "Cp1252.h"

#include <cmath>

namespace zandoval {

namespace regras {

Decimal seisCasas(double v)
{
    return Decimal::fromDouble(v, -6);
}

std::int64_t volumeArredondado(const Decimal& volume)
{
    const Decimal d = volume.rescaled(std::min(volume.scale, 0));
    if (d.scale == 0) {
        return d.units;
    }
    std::int64_t p = 1;
    for (int i = 0; i < -d.scale; ++i) {
        p *= 10;
    }
    std::int64_t q = d.units / p;
    const std::int64_t r = d.units % p;
    const std::int64_t dobro = 2 * (r < 0 ? -r : r);
    if (dobro > p || (dobro == p && q % 2 != 0)) {
        q += d.units < 0 ? -1 : 1;
    }
    return q;
}

std::string caracteres(const std::string& s, std::size_t i, std::size_t j)
{
    const std::string ate = prefixoUtf8(s, j);
    return ate.substr(prefixoUtf8(s, i - 1).size());
}

std::string mensagemVolume(const Ingrediente& ing, double q, std::int64_t v,
                           const std::string& classe, const std::string& erro)
{
    const char cr = '\r';
    return "Favor verificar o pedido nº " + ing.estacao + "." + ing.npedido + "." + ing.nformula +
           cr + "( Qde * QdeCapsulas) / Volume Total : " + cr + "Qde: " + formatarReal(q) + cr +
           "Qde. Cápsulas: " + std::to_string(ing.qdeCapsulas) + cr +
           "Volume Total: " + std::to_string(v) + cr + cr + "Classe: " + classe + cr +
           "Erro: " + erro;
}

} // namespace regras

namespace {

// numeric(15,6): at most nine digits before the point.
constexpr double kMaiorValor = 999999999.999999;

} // namespace

Consumo calcularConsumo(const Ingrediente& ing, const FatorConversaoUnidade& fator,
                        const std::function<void(const std::string&)>& aviso)
{
    Consumo c;
    // A: the ingredient's unit.
    const std::string u = maiusculasAscii(ing.unid);
    std::optional<Decimal> passoA;
    if (u == "MG" || u == "MCG") {
        passoA = regras::seisCasas(ing.qde * fator(ing.unid, "g"));
        c.unidadeMedida = "g";
    } else if (u == "ML") {
        passoA = regras::seisCasas(ing.qde);
        c.unidadeMedida = "ml";
    } else if (u == "G") {
        passoA = regras::seisCasas(ing.qde);
        c.unidadeMedida = "g";
    } else if (u == "UN") {
        passoA = regras::seisCasas(ing.qde);
        c.unidadeMedida = "un";
    }

    // B: dilution.
    double d = ing.fatorDiluicao.toDouble();
    if (d == 0) {
        d = 1;
    }
    const double q = (passoA ? passoA->toDouble() : 0.0) / d;
    c.qdePorUnid = regras::seisCasas(q);

    // C: the pharmaceutical form.
    const std::string f = maiusculasAscii(ing.formaFarma);
    const std::string unidadeFormula = maiusculasAscii(ing.unidadeFormula);
    const std::int64_t n = ing.qdeCapsulas;
    const std::int64_t r = ing.qdeRotulos;
    const std::int64_t v = regras::volumeArredondado(ing.volumeTotal);

    // The rows that divide by V. When V is 0 or the quotient does not fit the
    // column, QDEPORUNID keeps its diluted value and the user is told.
    const auto dividir = [&](double numerador) {
        const double vd = static_cast<double>(v);
        std::string classe;
        std::string erro;
        if (v == 0) {
            if (numerador == 0) {
                classe = "EInvalidOp";
                erro = "Invalid floating point operation";
            } else {
                classe = "EZeroDivide";
                erro = "Floating point division by zero";
            }
        } else if (std::fabs(numerador / vd) > kMaiorValor) {
            classe = "EOverflow";
            erro = "Floating point overflow";
        } else {
            c.qdePorUnid = regras::seisCasas(numerador / vd);
            return;
        }
        if (aviso) {
            aviso(regras::mensagemVolume(ing, q, v, classe, erro));
        }
    };

    if (regras::caracteres(f, 3, 6) == "PSUL") {
        c.unidFarmac = "cap";
        c.qdeUnidFarmac = Decimal{n * r * 1000000, -6};
    } else if (regras::caracteres(f, 1, 4) == "COMP") {
        c.unidFarmac = "comp";
        c.qdeUnidFarmac = Decimal{n * r * 1000000, -6};
    } else if (regras::caracteres(f, 1, 4) == "XARO" || regras::caracteres(f, 1, 4) == "DOSE") {
        c.unidFarmac = "ml";
        dividir(static_cast<double>(n) * q);
        c.qdeUnidFarmac = Decimal{v * r * 1000000, -6};
    } else if (unidadeFormula == "ML" || unidadeFormula == "MG") {
        c.unidFarmac = unidadeFormula == "ML" ? "ml" : "g";
        c.qdeUnidFarmac = Decimal{v * r * 1000000, -6};
        dividir(q);
    } else if (unidadeFormula == "G") {
        c.unidFarmac = "g";
        const Decimal vol = ing.volumeTotal.rescaled(std::min(ing.volumeTotal.scale, -6));
        c.qdeUnidFarmac = Decimal{vol.units * r, vol.scale}.rescaled(-6);
        dividir(q);
    }

    // D: the total.
    const double unidades = c.qdeUnidFarmac ? c.qdeUnidFarmac->toDouble() : 0.0;
    c.qdeTotal = regras::seisCasas(c.qdePorUnid.toDouble() * unidades);
    return c;
}

} // namespace zandoval
