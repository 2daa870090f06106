#pragma once

#include "PaginaRelatorio.h"

#include <string>

namespace zandoval::teste {

// A report of `paginas` pages, each holding only "Página N".
inline DocumentoRelatorio documentoDePaginas(int paginas)
{
    DocumentoRelatorio d;
    d.titulo = "Consumo de Matérias Primas";
    for (int p = 1; p <= paginas; ++p) {
        Pagina pagina;
        pagina.textos.push_back(
            {2, 1.5, "Página " + std::to_string(p), Fonte{"Lucida Console", 10}});
        d.paginas.push_back(pagina);
    }
    return d;
}

} // namespace zandoval::teste
