#include "DM2.h"

#include "ColumnLists.h"
#include "DM.h"

namespace zandoval {

DM2::DM2()
    : sqlcon1(ConnectionSettings::suiteDatabase())
    , SQLConnection1(ConnectionSettings::interfaceDatabase())
    , RP_VendaMP(sqlcon1, "RP_VENDAMP", {"CODIGOVENDA"})
    , RP_ConsMP(sqlcon1, "RP_CONSMP", {"CODIGOCONSMP"})
    , Periodo(SQLConnection1, "PERIODO", {})
{
    RP_VendaMP.afterPost = aplicarERelert;
    RP_ConsMP.afterPost = aplicarERelert;
    Periodo.afterPost = aplicarERelert;
    RP_ConsMP.setCommandText(std::string("select ") + colunas::kRpConsMP + " from RP_CONSMP");
    Periodo.setCommandText(std::string("select ") + colunas::kPeriodo + " from PERIODO");
}

} // namespace zandoval
