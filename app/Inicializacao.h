#pragma once

namespace zandoval {

class DM;
class DM2;
class Plataforma;
struct Contexto;

// The program's start-up, shared by the window program and the batch runner:
// the suite configuration, then the first data module, then the second.
//
// - The configuration file missing: its message, and the program ends.
// - The workstation not identified: "O programa será fechado.", and the
//   program ends.
// - Any other error in a step (a server that does not answer, a refused
//   login, an unreadable file) goes to the error report and abandons that step
//   only; start-up goes on with the next one.
struct ResultadoInicio
{
    bool encerrar = false; // the program is to end now (exit code 0)
    bool configuracaoAusente = false;
    bool estacaoNaoIdentificada = false;
    int errosRelatados = 0; // errors that went to the error report
};

inline constexpr const char* kMensagemEncerramento = "O programa será fechado.";

// Reads the suite configuration into contexto.IPServidorCentral. False when the
// file is missing (after its message).
bool lerConfiguracaoSuite(Contexto& contexto, Plataforma& plataforma);

// The creation of each data module: client library, database path, the
// workstation's identification. False when the workstation was not identified
// (after "O programa será fechado.").
bool DataModuleCreateDM(DM& dm, Contexto& contexto, Plataforma& plataforma);
bool DataModuleCreateDM2(DM2& dm2, DM& dm, Contexto& contexto, Plataforma& plataforma);

ResultadoInicio iniciar(DM& dm, DM2& dm2, Contexto& contexto, Plataforma& plataforma);

} // namespace zandoval
