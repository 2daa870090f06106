#pragma once

#include "Rows.h"
#include "Value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Firebird {
class ITransaction;
}

namespace zandoval {

class Connection;

// A unit of work on one connection: read committed, waiting on locks, as every
// workstation of the suite works. Rolled back when destroyed uncommitted, so an
// error anywhere leaves the database as it was before the transaction began.
class Transaction
{
public:
    explicit Transaction(Connection& connection);
    // A transaction that writes the given tables while no other transaction
    // writes them: it waits, when it starts, until the transactions writing them
    // have ended, and others that write them wait for it. Readers are not held up.
    Transaction(Connection& connection, const std::vector<std::string>& writeTables);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();
    bool active() const { return m_handle != nullptr; }

    Connection& connection() const { return m_connection; }
    Firebird::ITransaction* handle() const { return m_handle; }

    // One statement that returns no rows; the number of rows it changed.
    std::uint64_t execute(const std::string& sql, const std::vector<Value>& params = {});
    // One query; all of its rows.
    RowSet query(const std::string& sql, const std::vector<Value>& params = {});

private:
    Connection& m_connection;
    Firebird::ITransaction* m_handle = nullptr;
};

// A statement run on its own: in a transaction of its own, committed when it
// completes. Used for the reads and direct statements that stand alone.
std::uint64_t executeDirect(Connection& c, const std::string& sql,
                            const std::vector<Value>& params = {});
RowSet queryDirect(Connection& c, const std::string& sql, const std::vector<Value>& params = {});

} // namespace zandoval
