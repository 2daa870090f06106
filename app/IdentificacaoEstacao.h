#pragma once

#include <string>

namespace zandoval {

class DM;
class Plataforma;
struct Contexto;

// Finds the ESTACOES row of the user running the program (logon name compared
// without regard to the case of a to z) and sets, from it, the station code
// `EstacaoLocal` (the first two characters of ESTACAO), the store `CNPJLoja` and
// the main window's caption. Returns the row's DATBASNAM: empty when the
// workstation was not identified, which ends the program.
//
// Shows the identification failure message when the user has no row, and the
// configuration message when the row has no CNPJ (start-up goes on then).
// A database error is not handled here: it reaches the caller.
std::string IdentificarEstacao(DM& dm, Contexto& contexto, Plataforma& plataforma);

namespace identificacao {
std::string mensagemUsuarioSemEstacao(const std::string& usuario);
std::string mensagemEstacaoSemCNPJ(const std::string& estacao);
std::string caption(const std::string& usuario, const std::string& estacao,
                    const std::string& cnpj);
} // namespace identificacao

} // namespace zandoval
