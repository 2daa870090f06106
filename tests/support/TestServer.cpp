#include "TestServer.h"

#include "ClientLibrary.h"
#include "Connection.h"
#include "Transaction.h"

#include <firebird/Interface.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zandoval::teste {

namespace {

std::string lerArquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    if (!f) {
        throw std::runtime_error("não foi possível ler " + caminho);
    }
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string semQuebra(std::string s)
{
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) {
        s.pop_back();
    }
    return s;
}

// Runs `acao` with the client library's provider and a parameter block for
// SYSDBA; a Firebird error comes out as std::runtime_error with its text.
template <class Acao> void comProvedor(const std::string& database, Acao acao)
{
    auto lib = ClientLibrary::load("gds32.dll");
    Firebird::IMaster* m = lib->master();
    Firebird::IStatus* status = m->getStatus();
    Firebird::ThrowStatusWrapper st(status);
    Firebird::IProvider* prov = m->getDispatcher();
    Firebird::IXpbBuilder* dpb = nullptr;
    std::string erro;
    try {
        dpb = m->getUtilInterface()->getXpbBuilder(&st, Firebird::IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&st, isc_dpb_password, "plumtrees");
        acao(st, prov, dpb);
    } catch (const Firebird::FbException& e) {
        char buffer[1024];
        m->getUtilInterface()->formatStatus(buffer, sizeof buffer, e.getStatus());
        erro = std::string(database) + ": " + buffer;
    }
    if (dpb) {
        dpb->dispose();
    }
    prov->release();
    status->dispose();
    if (!erro.empty()) {
        throw std::runtime_error(erro);
    }
}

// Creates a database, dropping one left by an earlier run.
void criarBanco(const std::string& database)
{
    comProvedor(database, [&](Firebird::ThrowStatusWrapper& st, Firebird::IProvider* prov,
                              Firebird::IXpbBuilder* dpb) {
        try {
            prov->attachDatabase(&st, database.c_str(), dpb->getBufferLength(&st),
                                 dpb->getBuffer(&st))
                ->dropDatabase(&st);
        } catch (const Firebird::FbException&) {
            // nothing to drop
        }
        dpb->insertInt(&st, isc_dpb_page_size, 8192);
        dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
        dpb->insertInt(&st, isc_dpb_force_write, 0);
        prov->createDatabase(&st, database.c_str(), dpb->getBufferLength(&st), dpb->getBuffer(&st))
            ->detach(&st);
    });
}

} // namespace

std::string TestServer::root()
{
    return ZANDOVAL_TEST_FBROOT;
}

std::string TestServer::address()
{
    return semQuebra(lerArquivo(root() + "/address"));
}

std::string schemaText(const std::string& file)
{
    return lerArquivo(std::string(ZANDOVAL_SCHEMA_DIR) + "/" + file);
}

ScratchDatabase::ScratchDatabase(const std::string& name, Schema schema)
    : ScratchDatabase(TestServer::address() + ":" + TestServer::root() + "/db/" + name + ".fdb",
                      schema, true)
{
}

ScratchDatabase::ScratchDatabase(std::string database, Schema schema, bool)
    : m_database(std::move(database))
{
    create(schema);
}

std::unique_ptr<ScratchDatabase> ScratchDatabase::atAlias(const std::string& alias, Schema schema)
{
    return std::unique_ptr<ScratchDatabase>(
        new ScratchDatabase(TestServer::address() + ":" + alias, schema, true));
}

std::unique_ptr<ScratchDatabase> ScratchDatabase::at(const std::string& database, Schema schema)
{
    return std::unique_ptr<ScratchDatabase>(new ScratchDatabase(database, schema, true));
}

void ScratchDatabase::create(Schema schema)
{
    criarBanco(m_database);
    run(schemaText(schema == Schema::Suite ? "suite.sql" : "interface.sql"));
}

ScratchDatabase::~ScratchDatabase()
{
    try {
        comProvedor(m_database, [&](Firebird::ThrowStatusWrapper& st, Firebird::IProvider* prov,
                                    Firebird::IXpbBuilder* dpb) {
            prov->attachDatabase(&st, m_database.c_str(), dpb->getBufferLength(&st),
                                 dpb->getBuffer(&st))
                ->dropDatabase(&st);
        });
    } catch (...) {
        // Another connection still holds it: the next run drops it on creation.
    }
}

ConnectionSettings ScratchDatabase::suiteSettings() const
{
    ConnectionSettings s = ConnectionSettings::suiteDatabase();
    s.database = m_database;
    return s;
}

ConnectionSettings ScratchDatabase::interfaceSettings() const
{
    ConnectionSettings s = ConnectionSettings::interfaceDatabase();
    s.database = m_database;
    return s;
}

void ScratchDatabase::run(const std::string& script) const
{
    // Drop comment lines, then split on ";".
    std::stringstream entrada(script);
    std::string linha, limpo;
    while (std::getline(entrada, linha)) {
        if (linha.rfind("--", 0) != 0) {
            limpo += linha + "\n";
        }
    }
    Connection c(suiteSettings());
    std::size_t inicio = 0;
    while (inicio < limpo.size()) {
        auto fim = limpo.find(';', inicio);
        if (fim == std::string::npos) {
            fim = limpo.size();
        }
        const std::string comando = limpo.substr(inicio, fim - inicio);
        inicio = fim + 1;
        if (comando.find_first_not_of(" \n\r\t") == std::string::npos) {
            continue;
        }
        // DDL must be committed before the next statement can use it.
        executeDirect(c, comando);
    }
}

} // namespace zandoval::teste
