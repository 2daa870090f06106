#include "FontesBanco.h"

#include "ColumnLists.h"
#include "DM2.h"
#include "Transaction.h"

#include <chrono>

namespace zandoval {

FontesListagem fontesDoBanco(DM2& dm2)
{
    FontesListagem fontes;
    fontes.periodo = [&dm2]() -> std::optional<std::pair<Date, Date>> {
        const RowSet r = queryDirect(dm2.SQLConnection1,
                                     std::string("select ") + colunas::kPeriodo + " from PERIODO");
        if (r.empty() || !r.at(0, "DATAINICIAL").asDate() || !r.at(0, "DATAFINAL").asDate()) {
            return std::nullopt;
        }
        return std::make_pair(*r.at(0, "DATAINICIAL").asDate(), *r.at(0, "DATAFINAL").asDate());
    };
    fontes.hoje = Date{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    return fontes;
}

} // namespace zandoval
