#include "BancosDoPrograma.h"

#include "Connection.h"
#include "GeradorAmostra.h"

namespace zandoval::teste {

BancosDoPrograma::BancosDoPrograma(int pedidos, const std::string& usuario)
    : suite(ScratchDatabase::atAlias("C:\\quindale\\dados\\quindale.bd",
                                     ScratchDatabase::Schema::Suite))
    , interface(ScratchDatabase::atAlias("C:\\quindale\\Interfac01\\quindale.bd",
                                         ScratchDatabase::Schema::Interface))
{
    Connection c(suite->suiteSettings());
    OpcoesAmostra o;
    o.pedidos = pedidos;
    o.usuario = usuario;
    gerarAmostra(c, o);
}

} // namespace zandoval::teste
