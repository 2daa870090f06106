#pragma once

#include <cstdint>
#include <string>

namespace zandoval {

class Connection;

// A compounding pharmacy's month of orders, written into a suite database:
// two stores and their workstations, the material register, suppliers, unit
// conversions, and orders of several types with their formulas and
// ingredients. The same seed gives the same data.
struct OpcoesAmostra
{
    std::uint64_t semente = 1;
    int pedidos = 2000;
    int ano = 2008;
    int mes = 3;
    // Logon name of the user of workstation 01 (the demo's own user).
    std::string usuario = "farmaceutico";
};

struct ResumoAmostra
{
    int pedidos = 0;
    int formulas = 0;
    int componentes = 0;
};

inline constexpr const char* kLojaMatriz = "11222333000181";
inline constexpr const char* kLojaFilial = "44555666000172";

// Empties the suite tables it fills, then writes the sample in one transaction.
ResumoAmostra gerarAmostra(Connection& suite, const OpcoesAmostra& opcoes);

} // namespace zandoval
