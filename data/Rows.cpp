#include "Rows.h"

#include <stdexcept>

namespace zandoval {

namespace {
bool iguaisSemCaixa(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z') {
            x = static_cast<char>(x - 32);
        }
        if (y >= 'a' && y <= 'z') {
            y = static_cast<char>(y - 32);
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}
} // namespace

int ColumnNames::indexOf(std::string_view name) const
{
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (iguaisSemCaixa(m_names[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const Value& RowSet::at(std::size_t row, std::string_view column) const
{
    const int i = columns->indexOf(column);
    if (i < 0) {
        throw std::out_of_range("coluna desconhecida: " + std::string(column));
    }
    return rows.at(row).at(static_cast<std::size_t>(i));
}

} // namespace zandoval
