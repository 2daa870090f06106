#pragma once

#include <cstdint>
#include <string>

namespace zandoval {

class Acompanhamento;
class DM;
class DM2;
struct Contexto;

enum class ResultadoCarga {
    Concluida,
    LojaAusente,  // the store is not registered: nothing was done
    CargaEmCurso, // another load is under way: nothing was done
};

struct ResumoCarga
{
    ResultadoCarga resultado = ResultadoCarga::Concluida;
    int pedidos = 0;          // orders of the type and period
    std::uint64_t linhas = 0; // detail rows written
    int tentativas = 0;       // 1, or more when another workstation got in the way
};

// Turns the orders of one order type and period into detail rows of
// RP_VENDAMP for the store `CNPJLoja` and this workstation: one row for every
// ingredient of every formula, with its consumption worked out by the quantity
// rules. The period is read from this workstation's PERIODO.
//
// Does nothing while `LojaAusente` or `CargaEmCurso` is set. Checks the store
// in DADOSGER first (message "(5) …" and `LojaAusente` when it is missing).
//
// The removal of the store's and station's earlier rows and the writing of the
// new ones are one transaction: on any error nothing changes and the error
// goes to the caller. Codes continue after the table's highest CODIGOVENDA;
// loads of other workstations wait for this one to commit (and it for them), so
// no two take the same codes. The
// warnings of the quantity rules are shown once the load has been saved, so
// that no message box holds the shared tables locked while it waits.
ResumoCarga CarregarConsumo(DM& dm, DM2& dm2, Contexto& contexto, Acompanhamento& acompanhamento);

// The store-missing message of a load ("(5) …") and of the activation checks ("(2) …").
std::string mensagemLojaAusente(int numero, const std::string& cnpj);

// Whether DADOSGER has the store: the first row whose CGC the server finds
// equal to the CNPJ must hold exactly that text.
bool lojaCadastrada(DM& dm, const std::string& cnpj);

} // namespace zandoval
