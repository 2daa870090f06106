#pragma once

#include "Value.h"

#include <optional>
#include <string>
#include <vector>

namespace zandoval {

class Acompanhamento;
class DM2;
struct Contexto;

// One total of the consolidation: one row of RP_CONSMP.
struct TotalConsumo
{
    std::int64_t codigo = 0; // CODIGOCONSMP
    std::string cnpj;
    std::string estacao;
    std::string periodo;
    std::string codigoInsumo;
    std::string nomeInsumo;
    std::optional<std::string> unidade;
    Decimal qdeTotal{0, -6};
};

// Replaces the whole of RP_CONSMP with one total per material of the detail
// rows of `CNPJLoja` and this workstation (or only the material `MateriaPrima`
// unless it is "Todas as matérias primas"), numbered from 1 in name order.
// Each total takes period, material code and unit from the material's first
// detail row and sums its quantities exactly.
//
// The emptying, the writing and the reading back of the totals are one
// transaction; the totals returned are the ones it wrote, whatever another
// workstation consolidates at the same time (consolidations take turns). On an
// error nothing changes.
std::vector<TotalConsumo> ConsolidarConsumo(DM2& dm2, const Contexto& contexto,
                                            Acompanhamento& acompanhamento);

} // namespace zandoval
