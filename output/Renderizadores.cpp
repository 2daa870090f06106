#include "Renderizadores.h"

#include "Cp1252.h"
#include "FontesQt.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>

namespace zandoval {

namespace {

// The texts of a page by line (baseline), top to bottom, each line left to right.
std::vector<std::vector<const TextoPosicionado*>> linhasDaPagina(const Pagina& pagina)
{
    std::vector<const TextoPosicionado*> textos;
    for (const auto& t : pagina.textos) {
        textos.push_back(&t);
    }
    std::stable_sort(textos.begin(), textos.end(), [](const auto* a, const auto* b) {
        if (std::fabs(a->y - b->y) > 1e-6) {
            return a->y < b->y;
        }
        return a->x < b->x;
    });
    std::vector<std::vector<const TextoPosicionado*>> linhas;
    for (const auto* t : textos) {
        if (linhas.empty() || std::fabs(linhas.back().front()->y - t->y) > 1e-6) {
            linhas.emplace_back();
        }
        linhas.back().push_back(t);
    }
    return linhas;
}

// The width of one character of a fixed-pitch font, in report units.
double larguraCaractere(const Fonte& f)
{
    return pontosParaUnidades(0.6 * f.tamanho);
}

double margemDaPagina(const Pagina& p)
{
    double m = 1e9;
    for (const auto& t : p.textos) {
        m = std::min(m, t.x);
    }
    return p.textos.empty() ? 0 : m;
}

std::string espacos(double unidades, const Fonte& f)
{
    const long n = std::lround(unidades / larguraCaractere(f));
    return n > 0 ? std::string(static_cast<std::size_t>(n), ' ') : std::string();
}

std::string html(const std::string& s)
{
    std::string r;
    for (const char c : s) {
        switch (c) {
        case '&':
            r += "&amp;";
            break;
        case '<':
            r += "&lt;";
            break;
        case '>':
            r += "&gt;";
            break;
        case '"':
            r += "&quot;";
            break;
        default:
            r += c;
        }
    }
    return r;
}

std::string numero(double v)
{
    char b[32];
    std::snprintf(b, sizeof b, "%.3f", v);
    return b;
}

std::string rtf(const std::string& utf8)
{
    std::string r;
    for (const char ch : paraCp1252(utf8)) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '{' || c == '}') {
            r += '\\';
            r += static_cast<char>(c);
        } else if (c >= 0x80) {
            char b[8];
            std::snprintf(b, sizeof b, "\\'%02x", c);
            r += b;
        } else {
            r += static_cast<char>(c);
        }
    }
    return r;
}

QPageSize tamanhoPagina(const DocumentoRelatorio& d)
{
    if (d.papel == "A5") {
        return QPageSize(QPageSize::A5);
    }
    if (d.papel == "Letter") {
        return QPageSize(QPageSize::Letter);
    }
    if (d.papel == "A4") {
        return QPageSize(QPageSize::A4);
    }
    return QPageSize(QSizeF(d.larguraPolegadas, d.alturaPolegadas), QPageSize::Inch);
}

// A file of the pages: the paper's size, no margins (the page description has them).
void desenhar(QPagedPaintDevice& dispositivo, const DocumentoRelatorio& d)
{
    dispositivo.setPageSize(tamanhoPagina(d));
    dispositivo.setPageMargins(QMarginsF(0, 0, 0, 0));
    desenharPaginas(dispositivo, d);
}

void gravar(const std::string& caminho, const std::string& conteudo)
{
    std::ofstream f(caminho, std::ios::binary);
    f << conteudo;
    if (!f) {
        throw std::runtime_error("não foi possível gravar o arquivo \"" + caminho + "\"");
    }
}

} // namespace

void desenharPaginas(QPagedPaintDevice& dispositivo, const DocumentoRelatorio& d, int de, int ate,
                     const std::function<void(int)>& folha)
{
    QPainter p;
    if (!p.begin(&dispositivo)) {
        throw std::runtime_error("não foi possível gravar o relatório");
    }
    const double escala = dispositivo.logicalDpiX() / DocumentoRelatorio::kUnidadesPorPolegada;
    const int primeira = de > 0 ? de : 1;
    const int ultima = std::min(ate > 0 ? ate : static_cast<int>(d.paginas.size()),
                                static_cast<int>(d.paginas.size()));
    // The painter's origin is the printable area's corner; positions are from
    // the paper's edges.
    const QRectF util = dispositivo.pageLayout().paintRectPixels(dispositivo.logicalDpiX());
    for (int n = primeira; n <= ultima; ++n) {
        if (n > primeira) {
            dispositivo.newPage();
        }
        if (folha) {
            folha(n);
        }
        for (const auto& t : d.paginas[static_cast<std::size_t>(n - 1)].textos) {
            p.setFont(fonteQt(t.fonte));
            p.drawText(QPointF(t.x * escala - util.left(), t.y * escala - util.top()),
                       QString::fromStdString(t.texto));
        }
    }
    p.end();
}

const std::vector<FormatoArquivo>& formatosArquivo()
{
    static const std::vector<FormatoArquivo> formatos = {
        {"Rave Snapshot File (NDR)", "*.ndr", "ndr"},
        {"Native Printer Output (PRN)", "*.prn", "prn"},
        {"Adobe Acrobat (PDF)", "*.pdf", "pdf"},
        {"Web Page (HTML)", "*.html;*.htm", "html"},
        {"Plain Text (TXT)", "*.txt", "txt"},
        {"Rich Text Format (RTF)", "*.rtf", "rtf"},
    };
    return formatos;
}

const FormatoArquivo* formatoPorArquivo(const std::string& caminho)
{
    const auto ponto = caminho.rfind('.');
    if (ponto == std::string::npos) {
        return nullptr;
    }
    std::string ext = caminho.substr(ponto + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "htm") {
        ext = "html";
    }
    for (const auto& f : formatosArquivo()) {
        if (f.extensao == ext) {
            return &f;
        }
    }
    return nullptr;
}

std::string renderizarTexto(const DocumentoRelatorio& d)
{
    std::string s;
    for (std::size_t i = 0; i < d.paginas.size(); ++i) {
        if (i > 0) {
            s += '\f';
        }
        const double margem = margemDaPagina(d.paginas[i]);
        for (const auto& linha : linhasDaPagina(d.paginas[i])) {
            std::string texto = espacos(linha.front()->x - margem, linha.front()->fonte);
            double fim = linha.front()->x;
            for (const auto* t : linha) {
                texto += espacos(t->x - fim, t->fonte) + t->texto;
                fim =
                    t->x + static_cast<double>(tamanhoUtf8(t->texto)) * larguraCaractere(t->fonte);
            }
            while (!texto.empty() && texto.back() == ' ') {
                texto.pop_back();
            }
            s += texto + '\n';
        }
    }
    return s;
}

std::string renderizarHtml(const DocumentoRelatorio& d)
{
    std::string s =
        "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        html(d.titulo) +
        "</title>\n<style>\n"
        "body { background: #ddd; margin: 0; padding: 1em 0; }\n"
        ".pagina { position: relative; background: #fff; margin: 0 auto 1em auto; "
        "box-shadow: 0 1px 4px #888; width: " +
        numero(d.larguraPolegadas) + "in; height: " + numero(d.alturaPolegadas) +
        "in; overflow: hidden; }\n"
        ".linha { position: absolute; white-space: pre; line-height: 1; "
        "font-family: 'Lucida Console', 'DejaVu Sans Mono', 'Courier New', monospace; }\n"
        "b { font-weight: bold; } u { text-decoration: underline; }\n"
        "</style>\n</head>\n<body>\n";
    for (const auto& p : d.paginas) {
        s += "<div class=\"pagina\">\n";
        for (const auto& linha : linhasDaPagina(p)) {
            const auto* primeiro = linha.front();
            // The line's box starts at its ascent above the baseline.
            s += "<div class=\"linha\" style=\"left: " +
                 numero(primeiro->x / DocumentoRelatorio::kUnidadesPorPolegada) + "in; top: calc(" +
                 numero(primeiro->y / DocumentoRelatorio::kUnidadesPorPolegada) + "in - " +
                 numero(primeiro->fonte.tamanho * 0.8) + "pt);\">";
            for (const auto* t : linha) {
                std::string trecho = html(t->texto);
                if (t->fonte.sublinhado) {
                    trecho = "<u>" + trecho + "</u>";
                }
                if (t->fonte.negrito) {
                    trecho = "<b>" + trecho + "</b>";
                }
                s += "<span style=\"font-size: " + numero(t->fonte.tamanho) + "pt\">" + trecho +
                     "</span>";
            }
            s += "</div>\n";
        }
        s += "</div>\n";
    }
    return s + "</body>\n</html>\n";
}

std::string renderizarRtf(const DocumentoRelatorio& d)
{
    std::map<std::string, int> fontes;
    for (const auto& p : d.paginas) {
        for (const auto& t : p.textos) {
            fontes.emplace(t.fonte.familia, static_cast<int>(fontes.size()));
        }
    }
    std::string s = "{\\rtf1\\ansi\\ansicpg1252\\deff0\n{\\fonttbl";
    for (const auto& [familia, indice] : fontes) {
        // \fmodern: a fixed-pitch family, which a word processor substitutes
        // with another fixed-pitch font where it lacks this one.
        s += "{\\f" + std::to_string(indice) + "\\fmodern\\fprq1\\fcharset0 " + rtf(familia) + ";}";
    }
    s += "}\n\\paperw" + std::to_string(std::lround(d.larguraPolegadas * 1440)) + "\\paperh" +
         std::to_string(std::lround(d.alturaPolegadas * 1440)) +
         "\\margl0\\margr0\\margt0\\margb0\n";
    for (std::size_t i = 0; i < d.paginas.size(); ++i) {
        if (i > 0) {
            s += "\\page\n";
        }
        double anterior = 0;
        for (const auto& linha : linhasDaPagina(d.paginas[i])) {
            const auto* primeiro = linha.front();
            // Lines stand at their baselines: the space before a line is the
            // distance from the previous baseline, in twips.
            const long antes = std::lround(unidadesParaPontos(primeiro->y - anterior) * 20 -
                                           primeiro->fonte.tamanho * 20);
            anterior = primeiro->y;
            s += "\\pard\\plain\\sl-" + std::to_string(std::lround(primeiro->fonte.tamanho * 20)) +
                 "\\sb" + std::to_string(std::max(0L, antes)) + "\\li" +
                 std::to_string(std::lround(unidadesParaPontos(primeiro->x) * 20)) + " ";
            for (const auto* t : linha) {
                s += "{\\f" + std::to_string(fontes[t->fonte.familia]) + "\\fs" +
                     std::to_string(std::lround(t->fonte.tamanho * 2)) +
                     (t->fonte.negrito ? "\\b" : "") + (t->fonte.sublinhado ? "\\ul" : "") + " " +
                     rtf(t->texto) + "}";
            }
            s += "\\par\n";
        }
    }
    return s + "}\n";
}

void salvarRelatorio(const DocumentoRelatorio& d, const std::string& caminho)
{
    const FormatoArquivo* f = formatoPorArquivo(caminho);
    if (!f) {
        throw std::runtime_error("formato de arquivo desconhecido: \"" + caminho + "\"");
    }
    if (f->extensao == "ndr") {
        gravar(caminho, d.serializar());
    } else if (f->extensao == "txt") {
        gravar(caminho, renderizarTexto(d));
    } else if (f->extensao == "html") {
        gravar(caminho, renderizarHtml(d));
    } else if (f->extensao == "rtf") {
        gravar(caminho, renderizarRtf(d));
    } else if (f->extensao == "pdf") {
        QPdfWriter pdf(QString::fromStdString(caminho));
        pdf.setResolution(1200);
        pdf.setTitle(QString::fromStdString(d.titulo));
        pdf.setCreator(QStringLiteral("Zandoval"));
        desenhar(pdf, d);
    } else {
        // What the print path writes to a file on this platform.
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setOutputFileName(QString::fromStdString(caminho));
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setDocName(QString::fromStdString(d.titulo));
        desenhar(impressora, d);
    }
}

} // namespace zandoval
