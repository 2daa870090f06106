#pragma once

#include "PlataformaSistema.h"

namespace zandoval {

// The machine's answers, with messages and the error report in dialogs:
// modal, titled "ZANDOVAL", one OK button.
class PlataformaQt : public PlataformaSistema
{
public:
    void mostrarMensagem(const std::string& texto) override;
    void relatarErro(const std::string& texto) override;
};

} // namespace zandoval
