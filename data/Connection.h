#pragma once

#include "ConnectionSettings.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Firebird {
class IAttachment;
class IMaster;
class IUtil;
class FbException;
} // namespace Firebird

namespace zandoval {

class ClientLibrary;

// One connection to a database of the server. It opens with the first
// statement that needs it and stays open until closed or destroyed; a failed
// open is tried again by the next statement. Not shared between threads.
class Connection
{
public:
    explicit Connection(ConnectionSettings settings);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const ConnectionSettings& settings() const { return m_settings; }
    // Changing the path or the client library closes the connection first.
    void setDatabase(std::string database);
    void setVendorLib(std::string vendorLib);

    bool connected() const { return m_attachment != nullptr; }
    // The client library file in use; empty until the connection first opens.
    std::string clientLibraryPath() const;
    // Opens the connection if it is not open. Throws DatabaseError.
    void open();
    void close();

    // How many statements have been prepared on this connection: lets tests and
    // benchmarks see which connection a piece of work used, and how chatty it is.
    std::uint64_t statementsPrepared() const { return m_statementsPrepared; }
    void countStatement() { ++m_statementsPrepared; }

    // For the classes of this folder.
    Firebird::IAttachment* attachment();
    Firebird::IMaster* master() const;
    Firebird::IUtil* util() const;

private:
    ConnectionSettings m_settings;
    std::shared_ptr<ClientLibrary> m_library;
    Firebird::IAttachment* m_attachment = nullptr;
    std::uint64_t m_statementsPrepared = 0;
};

} // namespace zandoval
