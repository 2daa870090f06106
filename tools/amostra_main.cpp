// zandoval-amostra: writes a month of sample orders into a suite database.
//
//   zandoval-amostra --banco HOST/PORTA:CAMINHO [--pedidos N] [--semente N]
//                    [--mes AAAA-MM] [--usuario NOME]
#include "Connection.h"
#include "ConnectionSettings.h"
#include "DatabaseError.h"
#include "GeradorAmostra.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace zandoval;
    OpcoesAmostra opcoes;
    std::string banco;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!v) {
            std::cerr << "falta o valor de " << a << '\n';
            return 2;
        }
        if (a == "--banco") {
            banco = v;
        } else if (a == "--pedidos") {
            opcoes.pedidos = std::atoi(v);
        } else if (a == "--semente") {
            opcoes.semente = std::strtoull(v, nullptr, 10);
        } else if (a == "--usuario") {
            opcoes.usuario = v;
        } else if (a == "--mes" && std::strlen(v) == 7) {
            opcoes.ano = std::atoi(v);
            opcoes.mes = std::atoi(v + 5);
        } else {
            std::cerr << "uso: zandoval-amostra --banco HOST/PORTA:CAMINHO [--pedidos N] "
                         "[--semente N] [--mes AAAA-MM] [--usuario NOME]\n";
            return 2;
        }
        ++i;
    }
    if (banco.empty()) {
        std::cerr << "falta --banco\n";
        return 2;
    }
    ConnectionSettings s = ConnectionSettings::suiteDatabase();
    s.database = banco;
    Connection c(s);
    try {
        const auto inicio = std::chrono::steady_clock::now();
        const ResumoAmostra r = gerarAmostra(c, opcoes);
        const double seg =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        std::cout << r.pedidos << " pedidos, " << r.formulas << " fórmulas, " << r.componentes
                  << " componentes em " << seg << " s\n";
    } catch (const DatabaseError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
