// The main window's activation checks with 5,000 materials in COMPONEN: the
// store check, the INSUMOS rebuild and the three selectors, as the window runs
// them, on the private server.
//
//   bench_ativacao --servidor 127.0.0.1/PORT
#include "ArgumentosSemTela.h"
#include "BulkInsert.h"
#include "Connection.h"
#include "Contexto.h"
#include "DM.h"
#include "DM2.h"
#include "FormSNGPC.h"
#include "GeradorAmostra.h"
#include "Inicializacao.h"
#include "PlataformaTeste.h"
#include "TestServer.h"
#include "Transaction.h"

#include <QApplication>
#include <QComboBox>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>

using namespace zandoval;
using namespace zandoval::teste;

int main(int argc, char** argv)
{
    std::string servidor;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--servidor") {
            servidor = argv[i + 1];
        }
    }
    if (servidor.empty()) {
        std::cerr << "uso: bench_ativacao --servidor HOST/PORTA\n";
        return 2;
    }
    ArgumentosSemTela argumentos;
    QApplication app(argumentos.argc, argumentos.argv());

    auto suite = ScratchDatabase::at(servidor + ":C:\\quindale\\dados\\quindale.bd",
                                     ScratchDatabase::Schema::Suite);
    auto interface = ScratchDatabase::at(servidor + ":C:\\quindale\\Interfac01\\quindale.bd",
                                         ScratchDatabase::Schema::Interface);
    Connection c(suite->suiteSettings());
    OpcoesAmostra o;
    o.pedidos = 10;
    gerarAmostra(c, o);
    // Up to 5,000 materials, two in three with a DCB.
    const auto existentes = queryDirect(c, "select count(*) from COMPONEN").rows[0][0].asInt();
    {
        Transaction t(c);
        BulkInsert b(t, "COMPONEN", {"CODIGO", "COMPONENTE", "GRUPO", "DCB", "FATORCORRECAO"});
        for (std::int64_t i = existentes; i < 5000; ++i) {
            b.add({"X" + std::to_string(i), "Matéria Prima de Teste nº " + std::to_string(i), "MP",
                   i % 3 ? Value("D" + std::to_string(i)) : Value(), 1.0});
        }
        b.flush();
        t.commit();
    }

    PlataformaTeste plataforma("bench_ativacao");
    plataforma.configurarServidor(servidor);
    plataforma.usuario = o.usuario;
    Contexto contexto;
    FormSNGPC janela(contexto, plataforma);
    DM dm;
    DM2 dm2;
    if (iniciar(dm, dm2, contexto, plataforma).encerrar) {
        std::cerr << "o início falhou\n";
        return 1;
    }
    janela.ligarModulos(&dm, &dm2);
    std::vector<double> tempos;
    for (int i = 0; i < 7; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        janela.FormActivate();
        tempos.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(tempos.begin(), tempos.end());
    std::printf(
        "ativação com %lld componentes (%d na lista de matérias primas, %lld em INSUMOS): "
        "mediana %.3f s, máximo %.3f s\n",
        static_cast<long long>(queryDirect(c, "select count(*) from COMPONEN").rows[0][0].asInt()),
        janela.ComboBox4->count(),
        static_cast<long long>(queryDirect(c, "select count(*) from INSUMOS").rows[0][0].asInt()),
        tempos[tempos.size() / 2], tempos.back());
    return plataforma.erros.empty() ? 0 : 1;
}
