#include "DataSet.h"

#include "Connection.h"
#include "DatabaseError.h"
#include "Statement.h"
#include "Transaction.h"

#include <algorithm>
#include <stdexcept>

namespace zandoval {

DataSet::DataSet(Connection& connection, std::string table, std::vector<std::string> keyFields)
    : m_connection(connection)
    , m_table(std::move(table))
    , m_keyFields(std::move(keyFields))
{
}

void DataSet::setCommandText(std::string sql, std::vector<Value> params)
{
    m_sql = std::move(sql);
    m_params = std::move(params);
}

void DataSet::load()
{
    Transaction t(m_connection);
    Statement s(t, m_sql);
    RowSet r = s.query(t, m_params);
    t.commit();
    m_columns = r.columns;
    m_rows = std::move(r.rows);
}

void DataSet::open()
{
    if (m_active) {
        return;
    }
    load();
    m_active = true;
    m_cursor = 0;
    m_eof = m_rows.empty();
    if (!m_rows.empty()) {
        scrolled();
    }
}

void DataSet::close()
{
    m_active = false;
    m_rows.clear();
    m_changes.clear();
    m_state = State::Browse;
    m_cursor = 0;
    m_eof = true;
}

void DataSet::scrolled()
{
    if (afterScroll) {
        afterScroll(*this);
    }
}

void DataSet::first()
{
    if (!m_active) {
        throw std::logic_error("dataset " + m_table + " fechado");
    }
    if (editing()) {
        post();
    }
    m_cursor = 0;
    m_eof = m_rows.empty();
    scrolled();
}

void DataSet::next()
{
    if (!m_active) {
        throw std::logic_error("dataset " + m_table + " fechado");
    }
    if (editing()) {
        post();
    }
    if (m_eof) {
        return;
    }
    if (m_cursor + 1 < m_rows.size()) {
        ++m_cursor;
    } else {
        m_eof = true;
    }
    scrolled();
}

int DataSet::column(std::string_view name) const
{
    if (!m_columns) {
        return -1;
    }
    return m_columns->indexOf(name);
}

const std::vector<std::string>& DataSet::fieldNames() const
{
    static const std::vector<std::string> nenhum;
    return m_columns ? m_columns->names() : nenhum;
}

Value DataSet::field(std::string_view name) const
{
    const int i = column(name);
    if (i < 0) {
        if (!m_active) {
            return Value();
        }
        throw std::out_of_range("campo desconhecido: " + m_table + "." + std::string(name));
    }
    const auto k = static_cast<std::size_t>(i);
    if (editing()) {
        return m_editRow[k];
    }
    if (!m_active || m_rows.empty()) {
        return Value();
    }
    return m_rows[m_cursor][k];
}

void DataSet::append()
{
    if (!m_active) {
        throw std::logic_error("dataset " + m_table + " fechado");
    }
    if (editing()) {
        post();
    }
    m_state = State::Insert;
    m_editRow.assign(m_columns->size(), Value());
    m_editOriginal.clear();
    m_editAssigned.assign(m_columns->size(), false);
}

void DataSet::edit()
{
    if (!m_active) {
        throw std::logic_error("dataset " + m_table + " fechado");
    }
    if (editing()) {
        return;
    }
    if (m_rows.empty()) {
        append();
        return;
    }
    m_state = State::Edit;
    m_editRow = m_rows[m_cursor];
    m_editOriginal = m_editRow;
    m_editAssigned.assign(m_columns->size(), false);
}

void DataSet::setField(std::string_view name, Value value)
{
    if (!editing()) {
        throw std::logic_error("dataset " + m_table + " não está em edição");
    }
    const int i = column(name);
    if (i < 0) {
        throw std::out_of_range("campo desconhecido: " + m_table + "." + std::string(name));
    }
    m_editRow[static_cast<std::size_t>(i)] = std::move(value);
    m_editAssigned[static_cast<std::size_t>(i)] = true;
}

void DataSet::post()
{
    if (!editing()) {
        return;
    }
    Change c;
    c.insert = m_state == State::Insert;
    c.original = m_editOriginal;
    c.current = m_editRow;
    c.assigned = m_editAssigned;
    if (c.insert) {
        m_rows.push_back(m_editRow);
        m_cursor = m_rows.size() - 1;
    } else {
        m_rows[m_cursor] = m_editRow;
    }
    m_eof = false;
    m_state = State::Browse;
    m_changes.push_back(std::move(c));
    if (afterPost) {
        afterPost(*this);
    }
}

void DataSet::cancel()
{
    m_state = State::Browse;
}

void DataSet::applyUpdates()
{
    if (m_changes.empty()) {
        return;
    }
    const auto& nomes = m_columns->names();
    Transaction t(m_connection);
    for (const Change& c : m_changes) {
        std::string sql;
        std::vector<Value> valores;
        if (c.insert) {
            std::string cols, marcas;
            for (std::size_t i = 0; i < nomes.size(); ++i) {
                if (!c.assigned[i]) {
                    continue;
                }
                cols += (cols.empty() ? "" : ", ") + nomes[i];
                marcas += marcas.empty() ? "?" : ", ?";
                valores.push_back(c.current[i]);
            }
            sql = "insert into " + m_table + " (" + cols + ") values (" + marcas + ")";
        } else {
            std::string sets;
            for (std::size_t i = 0; i < nomes.size(); ++i) {
                if (c.assigned[i] && !(c.current[i] == c.original[i])) {
                    sets += (sets.empty() ? "" : ", ") + nomes[i] + " = ?";
                    valores.push_back(c.current[i]);
                }
            }
            if (sets.empty()) {
                continue;
            }
            std::string onde;
            for (std::size_t i = 0; i < nomes.size(); ++i) {
                const bool chave = m_keyFields.empty() ||
                                   std::find(m_keyFields.begin(), m_keyFields.end(), nomes[i]) !=
                                       m_keyFields.end();
                if (!chave) {
                    continue;
                }
                onde += onde.empty() ? "" : " and ";
                if (c.original[i].isNull()) {
                    onde += nomes[i] + " is null";
                } else {
                    onde += nomes[i] + " = ?";
                    valores.push_back(c.original[i]);
                }
            }
            sql = "update " + m_table + " set " + sets + " where " + onde;
        }
        Statement s(t, sql);
        s.setCutText(true);
        const auto n = s.executeCounted(t, valores);
        if (!c.insert && n == 0) {
            throw DatabaseError("Registro não encontrado ou alterado por outro usuário (" +
                                m_table + ").");
        }
    }
    t.commit();
    m_changes.clear();
}

void DataSet::refresh()
{
    if (!m_active) {
        return;
    }
    Row atual;
    if (!m_rows.empty()) {
        atual = m_rows[m_cursor];
    }
    load();
    m_changes.clear();
    m_cursor = 0;
    m_eof = m_rows.empty();
    if (atual.empty() || m_keyFields.empty()) {
        return;
    }
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        bool igual = true;
        for (const auto& k : m_keyFields) {
            const int i = column(k);
            if (i >= 0 &&
                !(m_rows[r][static_cast<std::size_t>(i)] == atual[static_cast<std::size_t>(i)])) {
                igual = false;
                break;
            }
        }
        if (igual) {
            m_cursor = r;
            return;
        }
    }
}

} // namespace zandoval
