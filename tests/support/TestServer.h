#pragma once

#include "ConnectionSettings.h"

#include <memory>
#include <string>

namespace zandoval::teste {

// The private server that the test run started (tools/fbserver, through the
// CTest fixture "fbserver").
struct TestServer
{
    static std::string root();    // the server's folder
    static std::string address(); // "127.0.0.1/PORT"
};

// A database of its own for one test program, created empty with the suite's
// schema (or the interface schema) and dropped at the end.
class ScratchDatabase
{
public:
    enum class Schema { Suite, Interface };

    // A file of that name under the server's database folder.
    ScratchDatabase(const std::string& name, Schema schema);
    // The database behind one of the server's aliases (the paths the program
    // builds, such as C:\quindale\dados\quindale.bd), created anew.
    static std::unique_ptr<ScratchDatabase> atAlias(const std::string& alias, Schema schema);
    // Any database string ("host/port:path"), created anew.
    static std::unique_ptr<ScratchDatabase> at(const std::string& database, Schema schema);
    ~ScratchDatabase();

    // "127.0.0.1/PORT:path", as a connection's Database parameter.
    const std::string& database() const { return m_database; }
    ConnectionSettings suiteSettings() const;
    ConnectionSettings interfaceSettings() const;

    // Runs statements separated by ";" (no procedures), in one transaction.
    void run(const std::string& script) const;

private:
    ScratchDatabase(std::string database, Schema schema, bool);
    void create(Schema schema);

    std::string m_database;
};

// The text of a file of the source tree's tools/schema folder.
std::string schemaText(const std::string& file);

} // namespace zandoval::teste
