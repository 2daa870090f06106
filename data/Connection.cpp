#include "Connection.h"

#include "ClientLibrary.h"
#include "Cp1252.h"
#include "DatabaseError.h"
#include "FbStatus.h"

#include <vector>

#ifndef _WIN32
#include <csignal>
#endif

namespace zandoval {

void raise(const Firebird::FbException& e, Firebird::IUtil* util)
{
    char buffer[2048];
    util->formatStatus(buffer, sizeof buffer, e.getStatus());
    std::string texto = buffer;
    while (!texto.empty() && (texto.back() == '\n' || texto.back() == ' ')) {
        texto.pop_back();
    }
    if (!utf8Valido(texto)) {
        texto = deCp1252(texto);
    }
    std::vector<std::intptr_t> codigos;
    const intptr_t* v = e.getStatus()->getErrors();
    while (v && *v != isc_arg_end) {
        const intptr_t tipo = v[0];
        if (tipo == isc_arg_gds) {
            codigos.push_back(v[1]);
        }
        v += (tipo == isc_arg_cstring) ? 3 : 2;
    }
    throw DatabaseError(texto, std::move(codigos));
}

Connection::Connection(ConnectionSettings settings)
    : m_settings(std::move(settings))
{
}

Connection::~Connection()
{
    try {
        close();
    } catch (...) {
        // A connection that cannot be closed cleanly is dropped all the same.
    }
}

void Connection::setDatabase(std::string database)
{
    close();
    m_settings.database = std::move(database);
}

void Connection::setVendorLib(std::string vendorLib)
{
    close();
    m_settings.vendorLib = std::move(vendorLib);
    m_library.reset();
}

namespace {

// The client library installs, with its first connection, handlers for SIGINT
// and SIGTERM that shut its connections down but leave the process running:
// a program asked to end would go on, on dead connections. The program's own
// dispositions are put back, so such a request ends it; the server then rolls
// back whatever was not committed.
class SinaisDoPrograma
{
public:
    SinaisDoPrograma()
    {
#ifndef _WIN32
        sigaction(SIGINT, nullptr, &m_int);
        sigaction(SIGTERM, nullptr, &m_term);
#endif
    }
    ~SinaisDoPrograma()
    {
#ifndef _WIN32
        sigaction(SIGINT, &m_int, nullptr);
        sigaction(SIGTERM, &m_term, nullptr);
#endif
    }
    SinaisDoPrograma(const SinaisDoPrograma&) = delete;
    SinaisDoPrograma& operator=(const SinaisDoPrograma&) = delete;

private:
#ifndef _WIN32
    struct sigaction m_int
    {
    };
    struct sigaction m_term
    {
    };
#endif
};

} // namespace

void Connection::open()
{
    if (m_attachment) {
        return;
    }
    const SinaisDoPrograma sinais;
    if (!m_library) {
        m_library = ClientLibrary::load(m_settings.vendorLib);
    }
    Firebird::IMaster* m = m_library->master();
    FbStatus st(m);
    Firebird::IXpbBuilder* dpb = nullptr;
    try {
        dpb = m->getUtilInterface()->getXpbBuilder(&st, Firebird::IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st, isc_dpb_user_name, m_settings.user.c_str());
        dpb->insertString(&st, isc_dpb_password, m_settings.password.c_str());
        dpb->insertInt(&st, isc_dpb_sql_dialect, m_settings.sqlDialect);
        if (!m_settings.serverCharSet.empty()) {
            dpb->insertString(&st, isc_dpb_lc_ctype, m_settings.serverCharSet.c_str());
        }
        Firebird::IProvider* prov = m->getDispatcher();
        // The path is sent as the suite's programs send it, in Windows-1252.
        const std::string caminho = paraCp1252(m_settings.database);
        try {
            m_attachment = prov->attachDatabase(&st, caminho.c_str(), dpb->getBufferLength(&st),
                                                dpb->getBuffer(&st));
        } catch (...) {
            prov->release();
            throw;
        }
        prov->release();
        dpb->dispose();
    } catch (const Firebird::FbException& e) {
        if (dpb) {
            dpb->dispose();
        }
        raise(e, m->getUtilInterface());
    }
}

void Connection::close()
{
    if (!m_attachment) {
        return;
    }
    Firebird::IAttachment* a = m_attachment;
    m_attachment = nullptr;
    FbStatus st(master());
    try {
        a->detach(&st);
    } catch (const Firebird::FbException&) {
        // A broken link cannot be detached cleanly; release what we hold.
        a->release();
    }
}

std::string Connection::clientLibraryPath() const
{
    return m_library ? m_library->path() : std::string();
}

Firebird::IAttachment* Connection::attachment()
{
    open();
    return m_attachment;
}

Firebird::IMaster* Connection::master() const
{
    return m_library->master();
}

Firebird::IUtil* Connection::util() const
{
    return m_library->master()->getUtilInterface();
}

} // namespace zandoval
