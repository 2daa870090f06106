#include "BulkInsert.h"

#include "DatabaseError.h"
#include "Statement.h"
#include "Transaction.h"

#include <ibase.h>

#include <algorithm>
#include <iterator>

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

// Short parameter names keep the statement text small, so a block carries
// more rows: p_0, p_1, … p_z, p_10, …
std::string nomeParametro(std::size_t i)
{
    static const char* digitos = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s;
    do {
        s.insert(s.begin(), digitos[i % 36]);
        i /= 36;
    } while (i);
    return "p_" + s;
}

} // namespace

BulkInsert::BulkInsert(Transaction& transaction, std::string table,
                       std::vector<std::string> columns, Constantes constants, Copias copies)
    : m_transaction(transaction)
    , m_table(std::move(table))
    , m_columns(std::move(columns))
    , m_constants(std::move(constants))
    , m_copies(std::move(copies))
{
    for (const auto& [destino, origem] : m_copies) {
        if (std::find(m_columns.begin(), m_columns.end(), origem) == m_columns.end()) {
            throw DatabaseError("Coluna " + destino + " copia " + origem +
                                ", que não está entre as colunas gravadas.");
        }
    }
    std::string marcas;
    std::string nomes;
    for (const auto& c : m_columns) {
        nomes += (nomes.empty() ? "" : ", ") + c;
        marcas += marcas.empty() ? "?" : ", ?";
    }
    for (const auto& c : m_constants) {
        nomes += (nomes.empty() ? "" : ", ") + c.first;
        marcas += marcas.empty() ? "?" : ", ?";
    }
    Statement modelo(m_transaction,
                     "insert into " + m_table + " (" + nomes + ") values (" + marcas + ")");
    std::size_t mensagem = 0;
    std::size_t texto = 32 + nomes.size() + m_table.size();
    for (std::size_t i = 0; i < modelo.parameters().size(); ++i) {
        const FieldInfo& p = modelo.parameters()[i];
        (i < m_columns.size() ? m_types : m_constantTypes).push_back(declaracao(p));
        if (i < m_columns.size()) {
            mensagem += p.length + 4;
            texto += m_types.back().size() + 14; // "a123 TYPE=?," and ":a123,"
        }
    }
    const std::size_t linhas =
        std::min({kMaxInserts, kMaxBytes / texto, kMaxBytes / std::max<std::size_t>(mensagem, 1)});
    m_rowsPerBlock = std::max<std::size_t>(1, linhas);
    // The full block's statement is prepared when the first full block is
    // sent: a short write prepares only the statement of its own size.
    m_pending.reserve(m_rowsPerBlock * m_columns.size());
    m_thread = std::thread([this] { work(); });
}

BulkInsert::~BulkInsert()
{
    {
        const std::lock_guard trava(m_mutex);
        m_stop = true;
    }
    m_cv.notify_all();
    m_thread.join();
}

std::unique_ptr<Statement> BulkInsert::prepareBlock(std::size_t rows)
{
    std::string params;
    std::string corpo;
    std::string nomes;
    for (const auto& c : m_columns) {
        nomes += (nomes.empty() ? "" : ",") + c;
    }
    for (const auto& copia : m_copies) {
        nomes += "," + copia.first;
    }
    std::string constantes;
    for (std::size_t c = 0; c < m_constants.size(); ++c) {
        nomes += "," + m_constants[c].first;
        const std::string nome = "k" + std::to_string(c);
        params += (params.empty() ? "" : ",") + nome + " " + m_constantTypes[c] + "=?";
        constantes += ",:" + nome;
    }
    std::size_t n = 0;
    for (std::size_t r = 0; r < rows; ++r) {
        std::string valores;
        const std::size_t primeiro = n;
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            const std::string nome = nomeParametro(n++);
            params += (params.empty() ? "" : ",") + nome + " " + m_types[c] + "=?";
            valores += (valores.empty() ? ":" : ",:") + nome;
        }
        for (const auto& copia : m_copies) {
            const auto origem = std::find(m_columns.begin(), m_columns.end(), copia.second);
            valores += ",:" + nomeParametro(primeiro +
                                            static_cast<std::size_t>(origem - m_columns.begin()));
        }
        corpo += "insert into " + m_table + "(" + nomes + ")values(" + valores + constantes + ");";
    }
    std::string sql = "execute block(";
    sql += params;
    sql += ")as begin ";
    sql += corpo;
    sql += " end";
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
        send(std::exchange(m_pending, {}));
        m_pending.reserve(m_rowsPerBlock * m_columns.size());
    }
}

void BulkInsert::waitIdle()
{
    std::unique_lock trava(m_mutex);
    m_cv.wait(trava, [this] { return !m_busy; });
    if (m_error) {
        std::rethrow_exception(std::exchange(m_error, nullptr));
    }
}

void BulkInsert::send(std::vector<Value> block)
{
    const std::size_t linhas = block.size() / m_columns.size();
    if (linhas == m_rowsPerBlock) {
        if (!m_block) {
            waitIdle();
            m_block = prepareBlock(m_rowsPerBlock);
        }
        sendEncoded(nullptr, m_block.get(), std::move(block), linhas);
    } else {
        waitIdle(); // the shorter block's statement is prepared on the same connection
        auto ultimo = prepareBlock(linhas);
        Statement* s = ultimo.get();
        sendEncoded(std::move(ultimo), s, std::move(block), linhas);
    }
}

void BulkInsert::sendEncoded(std::unique_ptr<Statement> own, Statement* statement,
                             std::vector<Value> block, std::size_t rows)
{
    // The constants come first among the statement's parameters.
    std::vector<Value> params;
    params.reserve(block.size() + m_constants.size());
    for (const auto& c : m_constants) {
        params.push_back(c.second);
    }
    std::move(block.begin(), block.end(), std::back_inserter(params));
    // Encoded here, while the thread may still be sending the previous block.
    auto mensagem = std::make_unique<Statement::Message>(statement->encode(m_transaction, params));
    waitIdle();
    {
        const std::lock_guard trava(m_mutex);
        m_sendingOwn = std::move(own);
        m_sendingStatement = statement;
        m_sending = std::move(mensagem);
        m_sendingRows = rows;
        m_busy = true;
    }
    m_cv.notify_all();
}

void BulkInsert::work()
{
    std::unique_lock trava(m_mutex);
    for (;;) {
        m_cv.wait(trava, [this] { return m_busy || m_stop; });
        if (!m_busy) {
            return;
        }
        trava.unlock();
        std::exception_ptr erro;
        try {
            m_sendingStatement->execute(m_transaction, *m_sending);
        } catch (...) {
            erro = std::current_exception();
        }
        trava.lock();
        if (!erro) {
            m_written += m_sendingRows;
        }
        m_sending.reset();
        m_sendingOwn.reset();
        m_error = erro;
        m_busy = false;
        m_cv.notify_all();
    }
}

void BulkInsert::flush()
{
    if (!m_pending.empty()) {
        send(std::exchange(m_pending, {}));
    }
    waitIdle();
}

} // namespace zandoval
