#pragma once

#include <string>
#include <vector>

namespace zandoval {

// The fixed settings of one connection to the suite's database server. Only
// the database path and the client library change at start-up.
struct ConnectionSettings
{
    std::string connectionName;
    std::string database;
    std::string user = "sysdba";
    std::string password = "plumtrees";
    std::string serverCharSet; // empty: bytes pass unchanged (character set NONE)
    std::string vendorLib = "gds32.dll";
    int sqlDialect = 3;

    // The connection's parameter list, in its stored order.
    std::vector<std::string> parameterList() const;

    // "QuindaleDados": the suite database; the stored path is always replaced.
    static ConnectionSettings suiteDatabase();
    // "Interfac": the workstation's interface database, declared Windows-1252.
    static ConnectionSettings interfaceDatabase();
};

} // namespace zandoval
