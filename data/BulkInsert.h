#pragma once

#include "Statement.h"
#include "Value.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace zandoval {

class Statement;
class Transaction;

// Inserts many rows into one table within a transaction, many rows per round
// trip: a prepared, parameterised EXECUTE BLOCK carries a block of inserts
// (Firebird 3 has no batch interface, and a round trip per row is what makes
// bulk writes slow). Texts are cut to their columns' widths, as every write of
// the program does.
//
// Columns whose value is the same for every row are given once and sent once
// per block. A full block goes to the server from a thread of its own while the
// caller fills the next one, so the caller must not use the transaction's
// connection between the first add() and flush(). An error of the server
// comes out of the next add() or of flush().
class BulkInsert
{
public:
    using Constantes = std::vector<std::pair<std::string, Value>>;
    // Columns that take, in every row, the value of another column of the row.
    using Copias = std::vector<std::pair<std::string, std::string>>;

    BulkInsert(Transaction& transaction, std::string table, std::vector<std::string> columns,
               Constantes constants = {}, Copias copies = {});
    ~BulkInsert();
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    // Queues one row (values in the order of the columns).
    void add(std::vector<Value> row);
    // Sends what is queued and waits until the server has it all. Must be
    // called before the transaction commits.
    void flush();

    std::size_t rowsPerBlock() const { return m_rowsPerBlock; }
    std::uint64_t rowsWritten() const { return m_written; }

private:
    std::unique_ptr<Statement> prepareBlock(std::size_t rows);
    void send(std::vector<Value> block);
    void sendEncoded(std::unique_ptr<Statement> own, Statement* statement, std::vector<Value> block,
                     std::size_t rows);
    void waitIdle();
    void work();

    Transaction& m_transaction;
    std::string m_table;
    std::vector<std::string> m_columns;
    Constantes m_constants;
    Copias m_copies;
    std::vector<std::string> m_types;
    std::vector<std::string> m_constantTypes;
    std::size_t m_rowsPerBlock = 1;
    std::unique_ptr<Statement> m_block;
    std::vector<Value> m_pending;
    std::uint64_t m_written = 0;

    // The sending thread and the one block it works on.
    std::mutex m_mutex;
    std::condition_variable m_cv;
    // What the thread sends: the statement (owned when it is a last, shorter
    // block), its encoded parameters and how many rows they hold.
    std::unique_ptr<Statement> m_sendingOwn;
    Statement* m_sendingStatement = nullptr;
    std::unique_ptr<Statement::Message> m_sending;
    std::size_t m_sendingRows = 0;
    bool m_busy = false;
    bool m_stop = false;
    std::exception_ptr m_error;
    std::thread m_thread;
};

} // namespace zandoval
