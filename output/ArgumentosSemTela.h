#pragma once

namespace zandoval {

// Arguments for a Qt application object that draws on no screen (the
// offscreen platform): fonts and page layout work, no window is shown.
class ArgumentosSemTela
{
public:
    int argc = 3;
    char** argv() { return m_argv; }

private:
    char m_nome[16] = "zandoval";
    char m_opcao[16] = "-platform";
    char m_plataforma[16] = "offscreen";
    char* m_argv[4] = {m_nome, m_opcao, m_plataforma, nullptr};
};

} // namespace zandoval
