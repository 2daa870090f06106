#pragma once

#include "Connection.h"
#include "DataSet.h"

namespace zandoval {

// The first data module: the connection to the suite database and the datasets
// over the suite's tables.
//
// Its rules: a posted INSUMOS row is applied and the dataset read again at
// once; moving `cdsPedidos` to an order loads that order's formulas into
// `cdsPediform`, and moving `cdsPediform` to a formula loads its components into
// `cdsCompedid`. A failed load leaves its dataset closed and is not reported.
class DM
{
public:
    DM();
    DM(const DM&) = delete;
    DM& operator=(const DM&) = delete;

    Connection sqlcon1;

    DataSet Estacoes;
    DataSet DadosGer;
    DataSet Componen;
    DataSet Insumos;
    DataSet cdsPedidos;
    DataSet cdsPediform;
    DataSet cdsCompedid;
    DataSet Forneced;

private:
    void cdsPedidosAfterScroll(DataSet& pedidos);
    void cdsPediformAfterScroll(DataSet& formulas);
};

// Applies a posted row and reads the dataset again: each posted row is in the
// database when the post returns.
void aplicarERelert(DataSet& dataset);

} // namespace zandoval
