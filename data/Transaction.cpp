#include "Transaction.h"

#include "Connection.h"
#include "FbStatus.h"
#include "Statement.h"

#include <ibase.h>

namespace zandoval {

Transaction::Transaction(Connection& connection)
    : Transaction(connection, {})
{
}

Transaction::Transaction(Connection& connection, const std::vector<std::string>& writeTables)
    : m_connection(connection)
{
    Firebird::IAttachment* att = m_connection.attachment();
    FbStatus st(m_connection.master());
    Firebird::IXpbBuilder* tpb = nullptr;
    try {
        tpb = m_connection.util()->getXpbBuilder(&st, Firebird::IXpbBuilder::TPB, nullptr, 0);
        tpb->insertTag(&st, isc_tpb_write);
        tpb->insertTag(&st, isc_tpb_read_committed);
        tpb->insertTag(&st, isc_tpb_rec_version);
        tpb->insertTag(&st, isc_tpb_wait);
        for (const auto& tabela : writeTables) {
            tpb->insertString(&st, isc_tpb_lock_write, tabela.c_str());
            tpb->insertTag(&st, isc_tpb_protected);
        }
        m_handle = att->startTransaction(&st, tpb->getBufferLength(&st), tpb->getBuffer(&st));
        tpb->dispose();
    } catch (const Firebird::FbException& e) {
        if (tpb) {
            tpb->dispose();
        }
        raise(e, m_connection.util());
    }
}

Transaction::~Transaction()
{
    try {
        rollback();
    } catch (...) {
        // Nothing more can be done for a transaction whose link is gone.
    }
}

void Transaction::commit()
{
    if (!m_handle) {
        return;
    }
    FbStatus st(m_connection.master());
    try {
        m_handle->commit(&st);
        m_handle = nullptr;
    } catch (const Firebird::FbException& e) {
        raise(e, m_connection.util());
    }
}

void Transaction::rollback()
{
    if (!m_handle) {
        return;
    }
    Firebird::ITransaction* t = m_handle;
    m_handle = nullptr;
    FbStatus st(m_connection.master());
    try {
        t->rollback(&st);
    } catch (const Firebird::FbException& e) {
        t->release();
        raise(e, m_connection.util());
    }
}

std::uint64_t Transaction::execute(const std::string& sql, const std::vector<Value>& params)
{
    Statement s(*this, sql);
    return s.executeCounted(*this, params);
}

RowSet Transaction::query(const std::string& sql, const std::vector<Value>& params)
{
    Statement s(*this, sql);
    return s.query(*this, params);
}

std::uint64_t executeDirect(Connection& c, const std::string& sql, const std::vector<Value>& params)
{
    Transaction t(c);
    const auto n = t.execute(sql, params);
    t.commit();
    return n;
}

RowSet queryDirect(Connection& c, const std::string& sql, const std::vector<Value>& params)
{
    Transaction t(c);
    RowSet r = t.query(sql, params);
    t.commit();
    return r;
}

} // namespace zandoval
