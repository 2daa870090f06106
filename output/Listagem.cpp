#include "Listagem.h"

#include "Cp1252.h"
#include "ReportSurface.h"

#include <charconv>
#include <cmath>

namespace zandoval {

namespace listagem {

namespace {
std::string semEspacos(const std::string& s)
{
    const auto ini = s.find_first_not_of(" \t");
    if (ini == std::string::npos) {
        return {};
    }
    return s.substr(ini, s.find_last_not_of(" \t") - ini + 1);
}
} // namespace

double lerReal(const std::string& texto)
{
    const std::string s = semEspacos(texto);
    double v = 0;
    const char* ini = s.data() + (!s.empty() && s[0] == '+' ? 1 : 0);
    const auto [p, ec] = std::from_chars(ini, s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size() || !std::isfinite(v)) {
        throw ErroConversao("'" + texto + "' is not a valid floating point value");
    }
    return v;
}

int lerInteiro(const std::string& texto)
{
    const std::string s = semEspacos(texto);
    int v = 0;
    const char* ini = s.data() + (!s.empty() && s[0] == '+' ? 1 : 0);
    const auto [p, ec] = std::from_chars(ini, s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size()) {
        throw ErroConversao("'" + texto + "' is not a valid integer value");
    }
    return v;
}

std::string formatarMascara(double valor, const std::string& mascara)
{
    const auto ponto = mascara.find('.');
    const std::string inteira = mascara.substr(0, ponto);
    const int casas = ponto == std::string::npos ? 0 : static_cast<int>(mascara.size() - ponto - 1);
    int minimoInteiro = 0;
    for (const char c : inteira) {
        minimoInteiro += c == '0' ? 1 : 0;
    }
    const bool milhares = inteira.find(',') != std::string::npos;
    const Decimal d = Decimal::fromDouble(valor, -casas);
    const bool negativo = d.units < 0;
    std::string digitos = std::to_string(negativo ? -d.units : d.units);
    if (static_cast<int>(digitos.size()) < casas + 1) {
        digitos.insert(0, static_cast<std::size_t>(casas + 1) - digitos.size(), '0');
    }
    std::string parteInteira = digitos.substr(0, digitos.size() - static_cast<std::size_t>(casas));
    const std::string fracao = digitos.substr(digitos.size() - static_cast<std::size_t>(casas));
    while (parteInteira.size() > 1 && parteInteira[0] == '0' &&
           static_cast<int>(parteInteira.size()) > minimoInteiro) {
        parteInteira.erase(0, 1);
    }
    if (minimoInteiro == 0 && parteInteira == "0" && casas > 0) {
        parteInteira.clear();
    }
    if (milhares) {
        for (int i = static_cast<int>(parteInteira.size()) - 3; i > 0; i -= 3) {
            parteInteira.insert(static_cast<std::size_t>(i), ",");
        }
    }
    std::string s = (negativo && d.units != 0 ? "-" : "") + parteInteira;
    if (casas > 0) {
        s += "." + fracao;
    }
    return s;
}

} // namespace listagem

namespace {

// The layout options, converted once at the start.
struct Layout
{
    std::string tituloFonte;
    double tituloTamanho;
    bool tituloSublinhado;
    bool tituloNegrito;
    double tituloMargem;
    bool porPeriodo;
    std::string corpoFonte;
    double corpoTamanho;
    double corpoTopo;
    double corpoMargem;
    bool colunasSublinhado;
    bool colunasNegrito;
    int linhasPorPagina;
};

bool comecaComS(const std::string& s)
{
    return !s.empty() && s[0] == 'S';
}

std::string preencherDireita(std::string s, std::size_t largura)
{
    const std::size_t n = tamanhoUtf8(s);
    if (n < largura) {
        s.append(largura - n, ' ');
    }
    return s;
}

std::string preencherEsquerda(std::string s, std::size_t largura)
{
    const std::size_t n = tamanhoUtf8(s);
    if (n < largura) {
        s.insert(0, largura - n, ' ');
    }
    return s;
}

std::string semEspacosIniciais(const std::string& s)
{
    const auto ini = s.find_first_not_of(' ');
    return ini == std::string::npos ? std::string() : s.substr(ini);
}

} // namespace

const std::vector<ColunaListagem>& colunasConsumo()
{
    static const std::vector<ColunaListagem> colunas = {
        {" Nome do Insumo", "NOMEINSUMO"},
        {" Qde. Consumida", "QDETOTAL"},
        {"(unid.)", "UNIDADEDEMEDIDA"},
    };
    return colunas;
}

std::vector<std::string> celulasConsumo(const TotalConsumo& total)
{
    return {total.nomeInsumo, listagem::formatarMascara(total.qdeTotal.toDouble(), "0.00"),
            total.unidade.value_or("")};
}

void PrintListing(ReportSurface& surface, const ParamRelatorio& p,
                  const std::vector<ColunaListagem>& colunas,
                  const std::vector<std::vector<std::string>>& linhas, const FontesListagem& fontes)
{
    // 1. The options, all converted before anything is drawn.
    const Layout l{p.TitleFontName,
                   listagem::lerReal(p.TitleFontSize),
                   comecaComS(p.TitleUnderline),
                   comecaComS(p.TitleBold),
                   listagem::lerReal(p.TitleLeftMargin),
                   maiusculasAscii(p.ByPeriod) == "S",
                   p.BodyFontName,
                   listagem::lerReal(p.BodyFontSize),
                   listagem::lerReal(p.BodyTopMargin),
                   listagem::lerReal(p.BodyLeftMargin),
                   comecaComS(p.ColumnTitleUnderline),
                   comecaComS(p.ColumnTitleBold),
                   listagem::lerInteiro(p.LinesPerPage)};

    // Column widths in characters: the caption, or the longest cell.
    std::vector<std::size_t> larguras;
    for (std::size_t c = 0; c < colunas.size(); ++c) {
        std::size_t w = tamanhoUtf8(colunas[c].titulo);
        for (const auto& linha : linhas) {
            w = std::max(w, tamanhoUtf8(linha[c]));
        }
        larguras.push_back(w);
    }
    const int linhasPorPagina = l.linhasPorPagina - 1;

    const auto cabecalhoLinha = [&] {
        std::string periodo;
        if (l.porPeriodo) {
            if (const auto per = fontes.periodo()) {
                periodo =
                    "Periodo: " + formatarData(per->first) + " a " + formatarData(per->second);
            } else {
                periodo = "Periodo:  a ";
            }
        }
        surface.NewLine();
        surface.MoveTo(l.tituloMargem, l.corpoTopo);
        surface.SelectFont(l.corpoFonte, l.corpoTamanho);
        std::string texto = periodo.empty()
                                ? "Data Emissão: " + formatarData(fontes.hoje)
                                : periodo + "    Data Emissão: " + formatarData(fontes.hoje);
        texto = prefixoUtf8(texto, 150);
        surface.SetUnderline(false);
        surface.SetBold(false);
        surface.PrintAt(texto, l.tituloMargem);
    };

    const auto cabecalhoPagina = [&] {
        surface.SelectFont(l.tituloFonte, l.tituloTamanho);
        surface.SetUnderline(false);
        surface.SetBold(false);
        surface.SetUnderline(l.tituloSublinhado);
        surface.SetBold(l.tituloNegrito);
        surface.PrintAt(p.ReportTitle, l.tituloMargem);
        cabecalhoLinha();
        surface.NewLine();
        surface.MoveTo(l.tituloMargem, l.corpoTopo + 0.35);
        surface.SetUnderline(false);
        surface.SetBold(false);
        surface.SetUnderline(l.colunasSublinhado);
        surface.SetBold(l.colunasNegrito);
        for (std::size_t c = 0; c < colunas.size(); ++c) {
            const std::string titulo = prefixoUtf8(
                preencherDireita(semEspacosIniciais(colunas[c].titulo), larguras[c]), larguras[c]);
            surface.PrintAtCursor(c == 0 ? titulo : "   " + titulo);
        }
        surface.SetUnderline(false);
        surface.SetBold(false);
    };

    cabecalhoPagina();
    surface.NewLine();
    int naPagina = 0;
    for (std::size_t r = 0; r < linhas.size(); ++r) {
        for (std::size_t c = 0; c < colunas.size(); ++c) {
            std::string texto = linhas[r][c];
            const std::string& mascara =
                c < p.ColumnFormats.size() ? p.ColumnFormats[c] : std::string();
            if (!mascara.empty()) {
                try {
                    texto = listagem::formatarMascara(listagem::lerReal(texto), mascara);
                } catch (const ErroConversao&) {
                    // Not a number: printed as it is.
                }
                texto = preencherEsquerda(texto, tamanhoUtf8(colunas[c].titulo));
            }
            texto = preencherDireita(texto, larguras[c]);
            if (c == 0) {
                surface.PrintAt(texto, l.corpoMargem);
            } else {
                surface.PrintAtCursor("   " + texto);
            }
        }
        ++naPagina;
        // A page break only when rows follow: no page holding the heading alone.
        if (naPagina == linhasPorPagina && r + 1 < linhas.size()) {
            surface.NewPage();
            cabecalhoPagina();
            naPagina = 0;
        }
        surface.NewLine();
        surface.RefreshLineMetrics();
    }
}

} // namespace zandoval

namespace zandoval {

DocumentoRelatorio gerarListagem(const ParamRelatorio& param,
                                 const std::vector<TotalConsumo>& totais,
                                 const FontesListagem& fontes, MetricasFonte& metricas)
{
    DocumentoRelatorio d;
    d.titulo = param.ReportTitle;
    d.definirPapel(param.PaperName);
    std::vector<std::vector<std::string>> linhas;
    linhas.reserve(totais.size());
    for (const auto& t : totais) {
        linhas.push_back(celulasConsumo(t));
    }
    ReportSurface surface(d, metricas, ReportSurface::Margens{});
    PrintListing(surface, param, colunasConsumo(), linhas, fontes);
    return d;
}

} // namespace zandoval
