#include "VerificacoesAtivacao.h"

#include "Acompanhamento.h"
#include "BulkInsert.h"
#include "CarregarConsumo.h"
#include "ColumnLists.h"
#include "Contexto.h"
#include "Cp1252.h"
#include "DM.h"
#include "DM2.h"
#include "DatabaseError.h"
#include "Retentativa.h"
#include "Statement.h"
#include "Transaction.h"

#include <set>

namespace zandoval {

bool verificarLoja(DM& dm, Contexto& contexto, Acompanhamento& acompanhamento)
{
    contexto.LojaAusente = !lojaCadastrada(dm, contexto.param.CNPJLoja);
    if (contexto.LojaAusente) {
        acompanhamento.mensagem(mensagemLojaAusente(2, contexto.param.CNPJLoja));
    }
    return !contexto.LojaAusente;
}

std::vector<std::string> reconstruirInsumos(DM& dm)
{
    std::vector<std::string> materias;
    comRetentativa([&] {
        materias.assign(1, ParamRelatorio::kTodasAsMaterias);
        // One rebuild at a time: the whole table is replaced.
        Transaction t(dm.sqlcon1, {"INSUMOS"});
        t.execute("Delete from INSUMOS");
        Statement componen(t, std::string("Select ") + colunas::kComponen +
                                  " from COMPONEN where (GRUPO <> 'REV') and (GRUPO <> 'HOM') "
                                  "order by COMPONENTE");
        componen.open(t);
        const auto& nomes = *componen.columnNames();
        const auto col = [&](const char* n) { return static_cast<std::size_t>(nomes.indexOf(n)); };
        const std::size_t cComponente = col("COMPONENTE"), cDcb = col("DCB"),
                          cTipo = col("TIPORECEITA"), cLista = col("LISTA"),
                          cFator = col("FATORCORRECAO");
        // The key compares as the server does: trailing blanks do not count.
        std::set<std::string> dcbs;
        std::vector<std::vector<Value>> linhas;
        while (componen.fetch()) {
            const Row& r = componen.row();
            const std::string nome = r[cComponente].asString();
            if (!nome.empty()) {
                materias.push_back(nome);
            }
            std::string dcb = r[cDcb].asString();
            if (dcb.empty()) {
                continue;
            }
            if (!dcbs.insert(std::string(semBrancosFinais(dcb))).second) {
                continue; // the table's key refuses it: skipped, as before, without a message
            }
            // FATCORR takes the factor through its text form.
            linhas.push_back({dcb, prefixoUtf8(nome, 60), r[cTipo], r[cLista],
                              r[cFator].isNull() ? Value() : Value(r[cFator].asString())});
        }
        BulkInsert insumos(t, "INSUMOS", {"DCB", "DESCRICAO", "TIPORECEITA", "LISTA", "FATCORR"});
        for (auto& l : linhas) {
            insumos.add(std::move(l));
        }
        insumos.flush();
        t.commit();
    });
    return materias;
}

std::vector<std::string> listarLojas(DM2& dm2)
{
    std::vector<std::string> lojas;
    const RowSet cnpjs = queryDirect(dm2.sqlcon1, "Select distinct(CNPJ) from ESTACOES");
    for (const auto& r : cnpjs.rows) {
        lojas.push_back(r[0].asString());
    }
    return lojas;
}

} // namespace zandoval
