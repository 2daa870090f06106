#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zandoval {

// Everything the program takes from the machine it runs on. The real one is
// made in main(); tests put in their own.
class Plataforma
{
public:
    virtual ~Plataforma() = default;

    // The logon name of the user running the program.
    virtual std::string usuarioLogado() = 0;
    // The folder of the running executable.
    virtual std::filesystem::path pastaExecutavel() = 0;
    // The suite configuration file: QUINDALE.INI in the executable's folder.
    // Empty when there is none.
    virtual std::optional<std::filesystem::path> arquivoConfiguracao();
    // Where one of the suite's fixed files, given by its Windows path (such as
    // c:\quindale\CaminhoGDS.txt), lives on this machine.
    virtual std::filesystem::path arquivoDaSuite(std::string_view caminhoWindows) = 0;
    // A message for the user: modal, one OK button, titled with the program's
    // title; returns when the user has closed it. Line breaks are carriage
    // returns.
    virtual void mostrarMensagem(const std::string& texto) = 0;
    // The application-wide error report: an error that abandoned the work at
    // hand, with its text. The program goes on.
    virtual void relatarErro(const std::string& texto) = 0;
};

} // namespace zandoval
