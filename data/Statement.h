#pragma once

#include "Rows.h"
#include "Value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Firebird {
class IStatement;
class IMessageMetadata;
class IResultSet;
} // namespace Firebird

namespace zandoval {

class Connection;
class Transaction;

// What the server says about one parameter or result column.
struct FieldInfo
{
    std::string name;     // column name or alias
    std::string relation; // table of a column, when there is one
    unsigned type = 0;    // SQL_* type, without the null flag
    unsigned subType = 0;
    unsigned length = 0; // bytes
    int scale = 0;
    unsigned charSet = 0;
};

// A prepared statement. Values reach the server only as parameters ("?"), never
// inside the statement's text, so no value can break or change a statement.
//
// Parameters take the program's values (UTF-8 texts, numbers, dates) and are
// sent in the form the value has: the server converts it to the parameter's
// type, and reports a value that does not convert as its own error. Real numbers
// sent to an exact numeric column are rounded to the column's scale, halves
// away from zero. Texts go to the server as Windows-1252.
class Statement
{
public:
    Statement(Transaction& transaction, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    const std::vector<FieldInfo>& parameters() const { return m_parameters; }
    const std::vector<FieldInfo>& columns() const { return m_columns; }
    bool returnsRows() const { return m_returnsRows; }

    // When set, a text longer than its parameter's declared width is cut to
    // that width, as a text written to a table column is. Otherwise the
    // parameter is widened, so a comparison sees the whole value.
    void setCutText(bool cut) { m_cutText = cut; }

    // The parameters' values in the form the server takes them. Made in one
    // thread, it can be sent from another (see BulkInsert).
    class Message
    {
    public:
        Message() = default;
        Message(Message&& o) noexcept;
        Message& operator=(Message&& o) noexcept;
        Message(const Message&) = delete;
        Message& operator=(const Message&) = delete;
        ~Message();

    private:
        friend class Statement;
        Firebird::IMessageMetadata* m_meta = nullptr;
        std::vector<unsigned char> m_buffer;
    };
    Message encode(Transaction& transaction, const std::vector<Value>& params);
    void execute(Transaction& transaction, const Message& message);

    // Runs a statement that returns no rows.
    void execute(Transaction& transaction, const std::vector<Value>& params = {});
    // The same, and the number of rows it changed (that costs one more round
    // trip to the server).
    std::uint64_t executeCounted(Transaction& transaction, const std::vector<Value>& params = {});
    // Runs a query and fetches all its rows.
    RowSet query(Transaction& transaction, const std::vector<Value>& params = {});

    // Runs a query and fetches its rows one at a time.
    void open(Transaction& transaction, const std::vector<Value>& params = {});
    bool fetch();
    const Row& row() const { return m_row; }
    const std::shared_ptr<const ColumnNames>& columnNames() const { return m_names; }
    void close();

private:
    void bind(Transaction& transaction, const std::vector<Value>& params);
    void decodeRow(Transaction& transaction);

    Connection& m_connection;
    Firebird::IStatement* m_statement = nullptr;
    Firebird::IMessageMetadata* m_inMeta = nullptr;
    Firebird::IMessageMetadata* m_outMeta = nullptr;
    Firebird::IMessageMetadata* m_wireMeta = nullptr;
    std::vector<unsigned> m_wireSignature;
    Firebird::IResultSet* m_cursor = nullptr;
    Transaction* m_cursorTransaction = nullptr;
    std::vector<FieldInfo> m_parameters;
    std::vector<FieldInfo> m_columns;
    std::vector<unsigned> m_outOffsets;
    std::vector<unsigned> m_outNullOffsets;
    std::vector<unsigned char> m_inBuffer;
    std::vector<unsigned char> m_outBuffer;
    std::shared_ptr<const ColumnNames> m_names;
    Row m_row;
    bool m_returnsRows = false;
    bool m_cutText = false;
};

} // namespace zandoval
