#include "ConnectionSettings.h"

namespace zandoval {

std::vector<std::string> ConnectionSettings::parameterList() const
{
    return {"DriverName=Interbase",
            "Database=" + database,
            "RoleName=RoleName",
            "User_Name=" + user,
            "Password=" + password,
            "ServerCharSet=" + serverCharSet,
            "SQLDialect=" + std::to_string(sqlDialect),
            "BlobSize=-1",
            "CommitRetain=False",
            "WaitOnLocks=True",
            "ErrorResourceFile=",
            "LocaleCode=0000",
            "Interbase TransIsolation=ReadCommited",
            "Trim Char=False"};
}

ConnectionSettings ConnectionSettings::suiteDatabase()
{
    ConnectionSettings s;
    s.connectionName = "QuindaleDados";
    s.database = "c:\\quindale\\dados\\Quindale.bd";
    return s;
}

ConnectionSettings ConnectionSettings::interfaceDatabase()
{
    ConnectionSettings s;
    s.connectionName = "Interfac";
    s.database = "c:\\quindale\\interfac\\quindale.bd";
    s.serverCharSet = "win1252";
    return s;
}

} // namespace zandoval
