#pragma once

#include "ParamRelatorio.h"

#include <string>

namespace zandoval {

// The values that live for the whole run: the server's address, the logon
// name, the report's parameters, the two run indicators and the main window's
// caption.
struct Contexto
{
    std::string IPServidorCentral; // at most 60 characters
    std::string UsuarioWindows;    // at most 60 characters
    ParamRelatorio param;
    bool LojaAusente = false;  // the store has no DADOSGER row: loads do nothing
    bool CargaEmCurso = false; // a load is under way
    std::string caption;       // the main window's caption
};

} // namespace zandoval
