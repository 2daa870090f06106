#pragma once

#include "PaginaRelatorio.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace zandoval {

// What the user chose in the output dialog.
struct OpcoesSaida
{
    enum class Destino { Preview, Impressora, Arquivo };
    Destino destino = Destino::Preview;
    std::string arquivo;
    std::size_t formato = 2; // index into formatosArquivo(): PDF
    int copias = 1;
    bool agrupar = true;
    bool duplex = false;
    int deFolha = 0; // 0: every page
    int ateFolha = 0;
};

// The first paper whose name contains the chosen one, ignoring case ("A4" takes
// "A4 Small" when it comes before "A4"); none when no name matches.
std::optional<std::size_t> escolherPapel(const std::vector<std::string>& nomes,
                                         const std::string& papel);

// Prints on the printer as it is set up (paper, copies, collate, duplex, page
// range), under the job title "ReportPrinter Report".
void imprimir(QPrinter& impressora, const DocumentoRelatorio& documento, const OpcoesSaida& opcoes,
              const std::function<void(int)>& folha = {});

// The modal, maximized "Report Preview" of a report (a saved snapshot opened
// again, for instance).
void abrirPreview(QWidget* janela, const DocumentoRelatorio& documento);

// One run of the report engine: sets the printer's paper by `papel`, asks for
// the destination ("Output Options"), has the pages generated (with the
// "Report Status" window) and shows them in the modal, maximized "Report
// Preview", prints them or saves them. Returns when the engine is done; a
// cancelled dialog ends it quietly. Errors (a layout option that is no number,
// a file that cannot be written) go to the caller.
void ExecuteReport(QWidget* janela, const std::string& papel,
                   const std::function<DocumentoRelatorio()>& gerar);

} // namespace zandoval
