#include "Contexto.h"
#include "DM.h"
#include "DM2.h"
#include "Inicializacao.h"
#include "PlataformaSistema.h"

#include <iostream>

int main()
{
    using namespace zandoval;
    PlataformaSistema plataforma;
    Contexto contexto;
    DM dm;
    DM2 dm2;
    const ResultadoInicio r = iniciar(dm, dm2, contexto, plataforma);
    if (!r.encerrar) {
        std::cout << "ZANDOVAL" << '\n'
                  << "Relatórios de movimentação de Matérias Primas e Produtos de Revenda" << '\n'
                  << contexto.caption << std::endl;
    }
    return 0;
}
