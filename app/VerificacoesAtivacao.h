#pragma once

#include <string>
#include <vector>

namespace zandoval {

class Acompanhamento;
class DM;
class DM2;
struct Contexto;

// What the checks of the main window's activation prepare for the parameters
// panel: the material list (first "Todas as matérias primas") and the store list.
struct ListasAtivacao
{
    std::vector<std::string> materias;
    std::vector<std::string> lojas;
};

// The store check: `LojaAusente` becomes whether DADOSGER lacks `CNPJLoja`, with
// the message "(2) …" when it does. Returns true when the store is registered.
bool verificarLoja(DM& dm, Contexto& contexto, Acompanhamento& acompanhamento);

// Rebuilds INSUMOS from COMPONEN (groups REV and HOM left out) in one
// transaction, so other workstations never see it empty or half filled: one row
// per material with a DCB, in name order; a DCB already taken is skipped without
// a message. Returns the material list: "Todas as matérias primas", then every
// material name in name order.
std::vector<std::string> reconstruirInsumos(DM& dm);

// The distinct store CNPJs of ESTACOES, in the server's order.
std::vector<std::string> listarLojas(DM2& dm2);

} // namespace zandoval
