#pragma once

#include <firebird/Interface.h>

namespace zandoval {

// A status vector for one sequence of calls into the client library; errors
// come out of the calls as Firebird::FbException, which raise() turns into
// DatabaseError.
class FbStatus
{
public:
    explicit FbStatus(Firebird::IMaster* master)
        : m_status(master->getStatus())
        , m_wrapper(m_status)
    {
    }
    ~FbStatus() { m_status->dispose(); }
    FbStatus(const FbStatus&) = delete;
    FbStatus& operator=(const FbStatus&) = delete;

    Firebird::ThrowStatusWrapper* operator&() { return &m_wrapper; }
    Firebird::ThrowStatusWrapper* get() { return &m_wrapper; }

private:
    Firebird::IStatus* m_status;
    Firebird::ThrowStatusWrapper m_wrapper;
};

// Converts a client-library exception into the program's DatabaseError,
// carrying the server's message text and error codes.
[[noreturn]] void raise(const Firebird::FbException& e, Firebird::IUtil* util);

} // namespace zandoval
