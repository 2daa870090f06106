#include "DM.h"

#include "ColumnLists.h"

#include <exception>

namespace zandoval {

void aplicarERelert(DataSet& dataset)
{
    dataset.applyUpdates();
    dataset.refresh();
}

DM::DM()
    : sqlcon1(ConnectionSettings::suiteDatabase())
    , Estacoes(sqlcon1, "ESTACOES", {"ESTACAO"})
    , DadosGer(sqlcon1, "DADOSGER", {"CGC"})
    , Componen(sqlcon1, "COMPONEN", {"CODIGO"})
    , Insumos(sqlcon1, "INSUMOS", {"DCB"})
    , cdsPedidos(sqlcon1, "PEDIDOS", {"ESTACAO", "NPEDIDO"})
    , cdsPediform(sqlcon1, "PEDIFORM", {"ESTACAO", "NPEDIDO", "NFORMULA"})
    , cdsCompedid(sqlcon1, "COMPEDID", {"ESTACAO", "NPEDIDO", "NFORMULA", "COMPONENTE"})
    , Forneced(sqlcon1, "FORNECED", {"CODIGO"})
{
    Insumos.afterPost = aplicarERelert;
    cdsPedidos.afterScroll = [this](DataSet& d) { cdsPedidosAfterScroll(d); };
    cdsPediform.afterScroll = [this](DataSet& d) { cdsPediformAfterScroll(d); };
}

void DM::cdsPedidosAfterScroll(DataSet& pedidos)
{
    const std::string estacao = pedidos.field("ESTACAO").asString();
    const std::string npedido = pedidos.field("NPEDIDO").asString();
    if (estacao.empty() || npedido.empty()) {
        return;
    }
    try {
        cdsPediform.close();
        cdsPediform.setCommandText(std::string("Select ") + colunas::kPediform +
                                       " from PEDIFORM where ESTACAO = ? and NPEDIDO = ?",
                                   {estacao, npedido});
        cdsPediform.open();
    } catch (const std::exception&) {
        // Not reported: the walk finds the formulas closed and skips the order.
        cdsPediform.close();
    }
}

void DM::cdsPediformAfterScroll(DataSet& formulas)
{
    try {
        cdsCompedid.close();
        cdsCompedid.setCommandText(
            std::string("Select ") + colunas::kCompedid +
                " from COMPEDID where ESTACAO = ? and NPEDIDO = ? and NFORMULA = ?",
            {cdsPedidos.field("ESTACAO").asString(), cdsPedidos.field("NPEDIDO").asString(),
             formulas.field("NFORMULA").asString()});
        cdsCompedid.open();
    } catch (const std::exception&) {
        // Not reported: the formula contributes no components.
        cdsCompedid.close();
    }
}

} // namespace zandoval
