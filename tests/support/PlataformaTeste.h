#pragma once

#include "Plataforma.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zandoval::teste {

// The machine as a test sets it up: a logon name, a folder standing for the
// executable's, one standing for the suite's c:\quindale\, and the messages and
// error reports the program showed, in order.
class PlataformaTeste : public Plataforma
{
public:
    explicit PlataformaTeste(const std::string& nome)
        : pasta(std::filesystem::temp_directory_path() / ("zandoval_" + nome))
    {
        std::filesystem::remove_all(pasta);
        std::filesystem::create_directories(pasta / "bin");
        std::filesystem::create_directories(pasta / "quindale");
    }
    ~PlataformaTeste() override { std::filesystem::remove_all(pasta); }

    std::string usuarioLogado() override { return usuario; }
    std::filesystem::path pastaExecutavel() override { return pasta / "bin"; }
    std::filesystem::path arquivoDaSuite(std::string_view caminhoWindows) override
    {
        std::string resto(caminhoWindows.substr(std::string_view("c:\\quindale\\").size()));
        return pasta / "quindale" / resto;
    }
    void mostrarMensagem(const std::string& texto) override { mensagens.push_back(texto); }
    void relatarErro(const std::string& texto) override { erros.push_back(texto); }

    // Writes QUINDALE.INI beside the "executable" with this server line.
    void configurarServidor(const std::string& servidor)
    {
        std::ofstream(pastaExecutavel() / "QUINDALE.INI", std::ios::binary)
            << "LOG ATIVADO....................................: N\r\n"
            << "IP DO SERVIDOR CENTRAL.........................: " << servidor << "\r\n";
    }

    std::filesystem::path pasta;
    std::string usuario = "maria";
    std::vector<std::string> mensagens;
    std::vector<std::string> erros;
};

} // namespace zandoval::teste
