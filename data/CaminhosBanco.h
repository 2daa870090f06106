#pragma once

#include <string>

namespace zandoval {

// The database paths every workstation builds from the central server's
// address: the server, a colon, and the file's path on the server.
std::string caminhoBancoSuite(const std::string& ipServidorCentral);
std::string caminhoBancoInterface(const std::string& ipServidorCentral,
                                  const std::string& estacaoLocal);

// The client library named by the first line of the suite's client-library
// file: empty when the line is empty (the default library stays), otherwise the
// folder with a closing "\" (added only while the text stays within 100
// characters) followed by "GDS32.DLL". Only the first 100 characters of the
// line count.
std::string caminhoBibliotecaCliente(const std::string& primeiraLinha);

} // namespace zandoval
