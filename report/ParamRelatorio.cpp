#include "ParamRelatorio.h"

namespace zandoval {

void ParamRelatorio::restaurarLayoutPadrao()
{
    const ParamRelatorio padrao;
    TitleLeftMargin = padrao.TitleLeftMargin;
    BodyTopMargin = padrao.BodyTopMargin;
    BodyLeftMargin = padrao.BodyLeftMargin;
    ByPeriod = padrao.ByPeriod;
    LinesPerPage = padrao.LinesPerPage;
    PaperName = padrao.PaperName;
    TitleFontName = padrao.TitleFontName;
    TitleFontSize = padrao.TitleFontSize;
    TitleUnderline = padrao.TitleUnderline;
    TitleBold = padrao.TitleBold;
    ColumnTitleUnderline = padrao.ColumnTitleUnderline;
    ColumnTitleBold = padrao.ColumnTitleBold;
    BodyFontName = padrao.BodyFontName;
    BodyFontSize = padrao.BodyFontSize;
    ColumnFormats = padrao.ColumnFormats;
    ReportTitle = padrao.ReportTitle;
}

} // namespace zandoval
