#include "ConsolidarConsumo.h"

#include "Acompanhamento.h"
#include "BulkInsert.h"
#include "Contexto.h"
#include "Cp1252.h"
#include "DM2.h"
#include "Retentativa.h"
#include "Transaction.h"

namespace zandoval {

namespace {

// One row per material of the store's and station's detail: the sum of its
// quantities and its first detail row (the first one written). A material is
// its name exactly as stored, trailing blanks included.
constexpr const char* kGrupos =
    "select d.NOMEINSUMO, d.PERIODO, d.CODIGOINSUMO, d.UNIDADEDEMEDIDA, g.TOTAL, g.LINHAS "
    "from (select min(CODIGOVENDA) as PRIMEIRO, sum(QDETOTAL) as TOTAL, count(*) as LINHAS "
    "      from RP_VENDAMP where CNPJ = cast(? as varchar(20)) and ESTLOCAL = cast(? as "
    "varchar(2)) "
    "      group by coalesce(NOMEINSUMO, ''), octet_length(coalesce(NOMEINSUMO, ''))) g "
    "join RP_VENDAMP d on d.CODIGOVENDA = g.PRIMEIRO "
    "order by coalesce(d.NOMEINSUMO, ''), octet_length(coalesce(d.NOMEINSUMO, ''))";

} // namespace

std::vector<TotalConsumo> ConsolidarConsumo(DM2& dm2, const Contexto& contexto,
                                            Acompanhamento& acompanhamento)
{
    const ParamRelatorio& p = contexto.param;
    const bool todas = p.MateriaPrima == ParamRelatorio::kTodasAsMaterias;
    acompanhamento.mostrarTermometro("Consolidando o consumo", "Consolidando", 0);
    acompanhamento.processarEventos();
    struct Painel
    {
        Acompanhamento& a;
        ~Painel() { a.ocultarTermometro(); }
    } painel{acompanhamento};

    std::vector<TotalConsumo> totais;
    comRetentativa([&] {
        totais.clear();
        // One consolidation at a time: the table is emptied and numbered anew.
        Transaction t(dm2.sqlcon1, {"RP_CONSMP"});
        t.execute("Delete from RP_ConsMP");
        const RowSet grupos = t.query(kGrupos, {p.CNPJLoja, p.EstacaoLocal});
        int detalhe = 0;
        for (const auto& g : grupos.rows) {
            detalhe += static_cast<int>(g[5].asInt());
        }
        acompanhamento.mostrarTermometro("Consolidando o consumo", "Consolidando", detalhe);

        BulkInsert escrita(t, "RP_CONSMP",
                           {"CODIGOCONSMP", "CNPJ", "ESTLOCAL", "PERIODO", "CODIGOINSUMO",
                            "NOMEINSUMO", "UNIDADEDEMEDIDA", "QDETOTAL"});
        std::int64_t codigo = 0;
        int progresso = 0;
        for (const auto& g : grupos.rows) {
            const std::string nome = prefixoUtf8(g[0].asString(), 70);
            if (!todas && nome != p.MateriaPrima) {
                acompanhamento.processarEventos();
                continue;
            }
            progresso += static_cast<int>(g[5].asInt());
            acompanhamento.progresso(progresso, nome);
            escrita.add(
                {++codigo, p.CNPJLoja, p.EstacaoLocal, g[1], g[2], nome, g[3], g[4].asDecimal(-6)});
            acompanhamento.processarEventos();
        }
        escrita.flush();

        // The totals as the table holds them now, read inside the same transaction.
        const RowSet lidos =
            t.query("select CODIGOCONSMP, CNPJ, ESTLOCAL, PERIODO, CODIGOINSUMO, NOMEINSUMO, "
                    "UNIDADEDEMEDIDA, QDETOTAL from RP_CONSMP order by CODIGOCONSMP");
        for (const auto& r : lidos.rows) {
            TotalConsumo total;
            total.codigo = r[0].asInt();
            total.cnpj = r[1].asString();
            total.estacao = r[2].asString();
            total.periodo = r[3].asString();
            total.codigoInsumo = r[4].asString();
            total.nomeInsumo = r[5].asString();
            if (!r[6].isNull()) {
                total.unidade = r[6].asString();
            }
            total.qdeTotal = r[7].asDecimal(-6);
            totais.push_back(std::move(total));
        }
        t.commit();
    });
    return totais;
}

} // namespace zandoval
