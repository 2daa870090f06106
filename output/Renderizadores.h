#pragma once

#include "PaginaRelatorio.h"

#include <functional>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace zandoval {

// The file formats a generated report can be saved in, in the order they are
// offered, with the name shown and the file patterns.
struct FormatoArquivo
{
    std::string nome;
    std::string padrao;
    std::string extensao; // the first extension, without the dot
};
const std::vector<FormatoArquivo>& formatosArquivo();

// The format of a file name by its extension (".pdf", ".html" or ".htm",
// ".txt", ".rtf", ".ndr", ".prn"; case ignored); nullptr when none fits.
const FormatoArquivo* formatoPorArquivo(const std::string& caminho);

// Writes the report in the format of the file's extension. Throws
// std::runtime_error when the file cannot be written.
void salvarRelatorio(const DocumentoRelatorio& documento, const std::string& caminho);

// Draws the pages from..to (counted from 1; 0 for all) on a paged device (a
// PDF file, a printer, the preview) at their positions from the paper's edges;
// `folha` is told each page as it starts.
void desenharPaginas(QPagedPaintDevice& dispositivo, const DocumentoRelatorio& documento,
                     int de = 0, int ate = 0, const std::function<void(int)>& folha = {});

// The text forms, for the writers and for tests.
// Plain text: the listing's lines as characters, pages separated by a form feed.
std::string renderizarTexto(const DocumentoRelatorio& documento);
// A page a person reads in a browser, in a monospace font, columns aligned.
std::string renderizarHtml(const DocumentoRelatorio& documento);
// Rich text: the same lines and fonts, a page break between pages.
std::string renderizarRtf(const DocumentoRelatorio& documento);

} // namespace zandoval
