#pragma once

#include "Connection.h"
#include "DataSet.h"

namespace zandoval {

// The second data module: a second, independent connection to the suite
// database for the reporting tables, and the connection to the workstation's
// interface database for its stored report period.
//
// Every posted row of `RP_VendaMP`, `RP_ConsMP` and `Periodo` is applied and the
// dataset read again at once.
class DM2
{
public:
    DM2();
    DM2(const DM2&) = delete;
    DM2& operator=(const DM2&) = delete;

    Connection sqlcon1;
    Connection SQLConnection1;

    DataSet RP_VendaMP;
    DataSet RP_ConsMP;
    DataSet Periodo;
};

} // namespace zandoval
