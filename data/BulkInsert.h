#pragma once

#include "Value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zandoval {

class Statement;
class Transaction;

// Inserts many rows into one table within a transaction, many rows per round
// trip: a prepared, parameterised EXECUTE BLOCK carries a block of inserts
// (Firebird 3 has no batch interface, and a round trip per row is what makes
// bulk writes slow). Texts are cut to their columns' widths, as every write of
// the program does.
class BulkInsert
{
public:
    BulkInsert(Transaction& transaction, std::string table, std::vector<std::string> columns);
    ~BulkInsert();
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    // Queues one row (values in the order of the columns); sends a full block.
    void add(std::vector<Value> row);
    // Sends what is queued. Must be called before the transaction commits.
    void flush();

    std::size_t rowsPerBlock() const { return m_rowsPerBlock; }
    std::uint64_t rowsWritten() const { return m_written; }

private:
    std::unique_ptr<Statement> prepareBlock(std::size_t rows);

    Transaction& m_transaction;
    std::string m_table;
    std::vector<std::string> m_columns;
    std::vector<std::string> m_types;
    std::size_t m_rowsPerBlock = 1;
    std::unique_ptr<Statement> m_block;
    std::vector<Value> m_pending;
    std::uint64_t m_written = 0;
};

} // namespace zandoval
