// zandoval: the report program. It reads no command-line arguments and no
// environment variables of its own.
#include "Contexto.h"
#include "DM.h"
#include "DM2.h"
#include "FormSNGPC.h"
#include "Inicializacao.h"
#include "PlataformaQt.h"

#include <QApplication>

namespace {

// Errors that escape a handler reach the application-wide error report; the
// program goes on.
class Aplicacao : public QApplication
{
public:
    Aplicacao(int& argc, char** argv, zandoval::Plataforma& plataforma)
        : QApplication(argc, argv)
        , m_plataforma(plataforma)
    {
    }
    bool notify(QObject* alvo, QEvent* e) override
    {
        try {
            return QApplication::notify(alvo, e);
        } catch (const std::exception& x) {
            m_plataforma.relatarErro(x.what());
        } catch (...) {
            m_plataforma.relatarErro("Erro desconhecido.");
        }
        return false;
    }

private:
    zandoval::Plataforma& m_plataforma;
};

} // namespace

int main(int, char**)
{
    using namespace zandoval;
    int argc = 1;
    char nome[] = "zandoval";
    char* argv[] = {nome, nullptr};
    PlataformaQt plataforma;
    Aplicacao app(argc, argv, plataforma);
    QApplication::setApplicationName(QStringLiteral("ZANDOVAL"));

    Contexto contexto;
    // The window first, then the configuration, then the two data modules.
    FormSNGPC janela(contexto, plataforma);
    DM dm;
    DM2 dm2;
    const ResultadoInicio inicio = iniciar(dm, dm2, contexto, plataforma);
    if (inicio.encerrar) {
        return 0;
    }
    janela.ligarModulos(&dm, &dm2);
    janela.aplicarCaption();
    janela.show();
    QApplication::exec();
    return 0;
}
