#pragma once

#include <string>

namespace zandoval {

// What a long piece of work shows the user while it runs: messages, and the
// progress panel with its pie gauge. The window shows them; the batch runner
// writes the messages to standard error and shows no progress.
class Acompanhamento
{
public:
    virtual ~Acompanhamento() = default;

    // A message box: modal, one OK button; returns when the user has closed it.
    virtual void mensagem(const std::string& texto) = 0;

    // The progress panel: its title, the line under the gauge, the gauge's range.
    virtual void mostrarTermometro(const std::string& /*titulo*/, const std::string& /*rotulo*/,
                                   int /*maximo*/)
    {
    }
    virtual void progresso(int /*posicao*/, const std::string& /*rotulo*/) {}
    virtual void ocultarTermometro() {}
    // The notice "Salvando as informações no Banco de Dados. Favor aguardar...".
    virtual void mostrarSalvando(bool /*visivel*/) {}
    // Lets the window handle what is pending (repaints, clicks).
    virtual void processarEventos() {}
};

} // namespace zandoval
