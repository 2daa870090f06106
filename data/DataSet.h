#pragma once

#include "Rows.h"
#include "Value.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zandoval {

class Connection;

// An in-memory copy of one query's rows over one table, with a cursor, edits
// kept until applied, and two events:
//
// - afterScroll runs when the dataset opens holding at least one row; after
//   every first(), even on an empty dataset; after every next(), including the
//   move that finds no further row (which runs it once more for the last row).
//   A next() made when the end has already been reached runs nothing.
// - afterPost runs when an appended or edited row has been posted.
//
// Past the end the cursor stays on the last row: its fields still read. On a
// closed or empty dataset every field reads as NULL.
class DataSet
{
public:
    // Posted rows go to `table`; an edited row is located by `keyFields`, or by
    // all of its columns as they were read when `keyFields` is empty.
    DataSet(Connection& connection, std::string table, std::vector<std::string> keyFields);

    std::function<void(DataSet&)> afterScroll;
    std::function<void(DataSet&)> afterPost;

    Connection& connection() const { return m_connection; }
    const std::string& table() const { return m_table; }

    // The query, with its values as parameters ("?").
    void setCommandText(std::string sql, std::vector<Value> params = {});
    const std::string& commandText() const { return m_sql; }
    const std::vector<Value>& commandParams() const { return m_params; }

    void open();
    // Drops the rows and any edit or change not yet applied.
    void close();
    bool active() const { return m_active; }

    bool isEmpty() const { return m_rows.empty(); }
    std::size_t recordCount() const { return m_rows.size(); }
    void first();
    void next();
    bool eof() const { return m_eof; }
    std::size_t recNo() const { return m_cursor; }

    // A field of the current row (of the row being edited while editing).
    Value field(std::string_view name) const;
    const std::vector<std::string>& fieldNames() const;

    // Appends a new row and edits it.
    void append();
    // Edits the current row; on an empty dataset, starts a new one.
    void edit();
    void setField(std::string_view name, Value value);
    // Posts the row being edited into the dataset, as a change to apply, then
    // runs afterPost.
    void post();
    // Drops the row being edited.
    void cancel();
    bool editing() const { return m_state != State::Browse; }
    std::size_t pendingChanges() const { return m_changes.size(); }

    // Sends every pending change to the database in one transaction: appended
    // rows as inserts (only the fields that were set, texts cut to their
    // columns), edited rows as updates of the changed fields. Throws
    // DatabaseError, keeping the changes, when the server refuses one of them
    // or an edited row is no longer there.
    void applyUpdates();
    // Reads the rows again with the same query, staying on the row with the
    // same key when it is still there.
    void refresh();

private:
    enum class State { Browse, Insert, Edit };
    struct Change
    {
        bool insert = false;
        Row original;
        Row current;
        std::vector<bool> assigned;
    };

    int column(std::string_view name) const;
    void load();
    void scrolled();

    Connection& m_connection;
    std::string m_table;
    std::vector<std::string> m_keyFields;
    std::string m_sql;
    std::vector<Value> m_params;
    std::shared_ptr<const ColumnNames> m_columns;
    std::vector<Row> m_rows;
    std::size_t m_cursor = 0;
    bool m_eof = true;
    bool m_active = false;
    State m_state = State::Browse;
    Row m_editRow;
    Row m_editOriginal;
    std::vector<bool> m_editAssigned;
    std::vector<Change> m_changes;
};

} // namespace zandoval
