#pragma once

#include "Value.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zandoval {

// The names of a result's columns, shared by all of its rows.
class ColumnNames
{
public:
    explicit ColumnNames(std::vector<std::string> names)
        : m_names(std::move(names))
    {
    }
    const std::vector<std::string>& names() const { return m_names; }
    std::size_t size() const { return m_names.size(); }
    // Position of a column, compared without regard to the case of a to z;
    // -1 when there is none.
    int indexOf(std::string_view name) const;

private:
    std::vector<std::string> m_names;
};

using Row = std::vector<Value>;

// The rows of one query, with their column names.
struct RowSet
{
    std::shared_ptr<const ColumnNames> columns;
    std::vector<Row> rows;

    bool empty() const { return rows.empty(); }
    // A column of a row by name; throws std::out_of_range for an unknown column.
    const Value& at(std::size_t row, std::string_view column) const;
};

} // namespace zandoval
