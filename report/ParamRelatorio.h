#pragma once

#include "Value.h"

#include <array>
#include <optional>
#include <string>

namespace zandoval {

// The report's parameters, kept for the whole run: the store and workstation,
// the order type, the material filter, the period and the listing's layout.
// Layout options are texts exactly as chosen; the listing converts them.
struct ParamRelatorio
{
    static constexpr const char* kTodasAsMaterias = "Todas as matérias primas";

    std::optional<Date> DataInicial;
    std::optional<Date> DataFinal;
    std::string CNPJLoja;     // at most 20 characters
    std::string EstacaoLocal; // at most 2 characters
    std::string TipoPedido;   // at most 25 characters
    std::string MateriaPrima = kTodasAsMaterias;
    std::string ReportTitle = "Consumo de Matérias Primas";

    std::string LinesPerPage = "60";
    std::string PaperName = "A4";
    std::string TitleFontName = "Lucida Console";
    std::string TitleFontSize = "13";
    std::string TitleUnderline = "S";
    std::string TitleBold = "S";
    std::string TitleLeftMargin = "2";
    std::string ColumnTitleUnderline = "S";
    std::string ColumnTitleBold = "N";
    std::string BodyFontName = "Lucida Console";
    std::string BodyFontSize = "10";
    std::string BodyTopMargin = "1.5";
    std::string BodyLeftMargin = "2";
    std::string ByPeriod = "S";
    std::array<std::string, 3> ColumnFormats = {"", "", "0.00"};

    // Puts the layout options, the column formats and the title back to their
    // defaults, as opening the parameters panel does. Store, station, order
    // type, material and period are kept.
    void restaurarLayoutPadrao();
};

} // namespace zandoval
