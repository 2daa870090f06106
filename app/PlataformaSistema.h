#pragma once

#include "Plataforma.h"

namespace zandoval {

// The machine's own answers. Messages and error reports go to standard error;
// the window program replaces those two with its dialogs.
//
// The suite's fixed files: on Windows they stand where their paths say. On
// other systems the folder c:\quindale\ of the suite is /etc/quindale/ (the
// rest of the path below it kept, with "/" for "\"), so the client-library file
// c:\quindale\CaminhoGDS.txt is /etc/quindale/CaminhoGDS.txt.
class PlataformaSistema : public Plataforma
{
public:
    std::string usuarioLogado() override;
    std::filesystem::path pastaExecutavel() override;
    std::filesystem::path arquivoDaSuite(std::string_view caminhoWindows) override;
    void mostrarMensagem(const std::string& texto) override;
    void relatarErro(const std::string& texto) override;

    // The mapping of a suite path on systems other than Windows.
    static std::filesystem::path caminhoLocal(std::string_view caminhoWindows);
};

// A message's carriage returns as the line ends of a terminal.
std::string quebrasDeLinha(const std::string& texto);

} // namespace zandoval
