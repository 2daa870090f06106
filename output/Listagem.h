#pragma once

#include "ConsolidarConsumo.h"
#include "MetricasFonte.h"
#include "PaginaRelatorio.h"
#include "ParamRelatorio.h"
#include "Value.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zandoval {

class ReportSurface;

// A layout option that is not a number: "'%s' is not a valid floating point
// value" or "'%s' is not a valid integer value". Nothing is drawn then.
class ErroConversao : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One column of the listing: its title caption and the field it shows.
struct ColunaListagem
{
    std::string titulo;
    std::string campo;
};

// The consumption report's columns, in their order.
const std::vector<ColunaListagem>& colunasConsumo();

// The cells of one total, as the fields' edit texts: the name and the unit as
// stored, the quantity with exactly two decimals.
std::vector<std::string> celulasConsumo(const TotalConsumo& total);

// What the listing reads besides the layout options and its rows: the stored
// period (read again for every page) and today's date.
struct FontesListagem
{
    std::function<std::optional<std::pair<Date, Date>>()> periodo;
    Date hoje;
};

// Draws the whole listing: on every page the title, the header line (period and
// emission date) and the column titles, then the rows, `LinesPerPage` − 1 to a
// page. Columns are laid out in characters, three blanks apart; a column with a
// number format is formatted and right-aligned under its title. When the rows
// fill the last page exactly, no page holding only the heading follows.
void PrintListing(ReportSurface& surface, const ParamRelatorio& param,
                  const std::vector<ColunaListagem>& colunas,
                  const std::vector<std::vector<std::string>>& linhas,
                  const FontesListagem& fontes);

// One generation of the consumption listing into a page description: the
// engine's page settings (margins of 0.5 inch left and top, 0.25 bottom; the
// paper by name) and the listing of the totals.
DocumentoRelatorio gerarListagem(const ParamRelatorio& param,
                                 const std::vector<TotalConsumo>& totais,
                                 const FontesListagem& fontes, MetricasFonte& metricas);

namespace listagem {
// Delphi-style conversions of the layout options; throw ErroConversao.
double lerReal(const std::string& texto);
int lerInteiro(const std::string& texto);
// A number formatted with a mask such as "0.00", "0" or "#,##0.00".
std::string formatarMascara(double valor, const std::string& mascara);
} // namespace listagem

} // namespace zandoval
