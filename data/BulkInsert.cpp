#include "BulkInsert.h"

#include "DatabaseError.h"
#include "Statement.h"
#include "Transaction.h"

#include <ibase.h>

#include <algorithm>

namespace zandoval {

namespace {

// The declaration of a block parameter that takes a value of the column.
std::string declaracao(const FieldInfo& f)
{
    const std::string escala = std::to_string(-f.scale);
    switch (f.type) {
    case SQL_VARYING:
        return "VARCHAR(" + std::to_string(f.length) + ")";
    case SQL_TEXT:
        return "CHAR(" + std::to_string(f.length) + ")";
    case SQL_SHORT:
        return f.scale ? "NUMERIC(4," + escala + ")" : "SMALLINT";
    case SQL_LONG:
        return f.scale ? "NUMERIC(9," + escala + ")" : "INTEGER";
    case SQL_INT64:
        return f.scale ? "NUMERIC(18," + escala + ")" : "BIGINT";
    case SQL_FLOAT:
        return "FLOAT";
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return "DOUBLE PRECISION";
    case SQL_TYPE_DATE:
        return "DATE";
    case SQL_TYPE_TIME:
        return "TIME";
    case SQL_TIMESTAMP:
        return "TIMESTAMP";
    case SQL_BLOB:
        return "BLOB SUB_TYPE " + std::to_string(f.subType);
    case SQL_BOOLEAN:
        return "BOOLEAN";
    default:
        throw DatabaseError("Tipo de coluna não suportado na gravação em bloco.");
    }
}

// Limits of one block: Firebird takes at most 255 inserts into one table per
// block and a statement text of at most 64 KB; the parameter message is kept
// below that size as well.
constexpr std::size_t kMaxInserts = 255;
constexpr std::size_t kMaxBytes = 60000;

} // namespace

BulkInsert::BulkInsert(Transaction& transaction, std::string table, std::vector<std::string> columns)
    : m_transaction(transaction)
    , m_table(std::move(table))
    , m_columns(std::move(columns))
{
    std::string marcas;
    std::string nomes;
    for (const auto& c : m_columns) {
        nomes += (nomes.empty() ? "" : ", ") + c;
        marcas += marcas.empty() ? "?" : ", ?";
    }
    Statement modelo(m_transaction,
                     "insert into " + m_table + " (" + nomes + ") values (" + marcas + ")");
    std::size_t mensagem = 0;
    for (const auto& p : modelo.parameters()) {
        m_types.push_back(declaracao(p));
        mensagem += p.length + 4;
    }
    std::size_t texto = 32 + nomes.size() + m_table.size();
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        texto += m_types[i].size() + 24; // "pNNN_NNN TYPE = ?, " and ":pNNN_NNN, "
    }
    m_rowsPerBlock = std::max<std::size_t>(
        1, std::min({kMaxInserts, kMaxBytes / texto, kMaxBytes / std::max<std::size_t>(mensagem, 1)}));
    m_block = prepareBlock(m_rowsPerBlock);
    m_pending.reserve(m_rowsPerBlock * m_columns.size());
}

BulkInsert::~BulkInsert() = default;

std::unique_ptr<Statement> BulkInsert::prepareBlock(std::size_t rows)
{
    std::string params;
    std::string corpo;
    std::string nomes;
    for (const auto& c : m_columns) {
        nomes += (nomes.empty() ? "" : ", ") + c;
    }
    for (std::size_t r = 0; r < rows; ++r) {
        std::string valores;
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            const std::string nome = "p" + std::to_string(r) + "_" + std::to_string(c);
            params += (params.empty() ? "" : ", ") + nome + " " + m_types[c] + " = ?";
            valores += (valores.empty() ? ":" : ", :") + nome;
        }
        corpo += "insert into " + m_table + " (" + nomes + ") values (" + valores + ");\n";
    }
    std::string sql = "execute block (";
    sql += params;
    sql += ") as begin\n";
    sql += corpo;
    sql += "end";
    auto s = std::make_unique<Statement>(m_transaction, sql);
    s->setCutText(true);
    return s;
}

void BulkInsert::add(std::vector<Value> row)
{
    if (row.size() != m_columns.size()) {
        throw DatabaseError("Linha com " + std::to_string(row.size()) + " valores para " +
                            std::to_string(m_columns.size()) + " colunas de " + m_table + ".");
    }
    for (auto& v : row) {
        m_pending.push_back(std::move(v));
    }
    if (m_pending.size() == m_rowsPerBlock * m_columns.size()) {
        flush();
    }
}

void BulkInsert::flush()
{
    if (m_pending.empty()) {
        return;
    }
    const std::size_t linhas = m_pending.size() / m_columns.size();
    if (linhas == m_rowsPerBlock) {
        m_block->execute(m_transaction, m_pending);
    } else {
        prepareBlock(linhas)->execute(m_transaction, m_pending);
    }
    m_written += linhas;
    m_pending.clear();
}

} // namespace zandoval
