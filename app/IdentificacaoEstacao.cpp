#include "IdentificacaoEstacao.h"

#include "ColumnLists.h"
#include "Contexto.h"
#include "Cp1252.h"
#include "DM.h"
#include "FormatarCNPJ.h"
#include "Plataforma.h"

namespace zandoval {

namespace identificacao {

std::string mensagemUsuarioSemEstacao(const std::string& usuario)
{
    const std::string u = "\"" + usuario + "\"";
    return "Não foi possível selecionar uma área de trabalho para o usuário " + u + ". \r\r" +
           "Causas prováveis: \r\r" + "  1) Na tabela \"Estacoes.db\" não foi incluída uma " +
           "estação para o usuário " + u + ".\r" +
           "     Obs: Criar também a área de trabalho física (pasta C:\\Quindale\\InterfacXX) " +
           "para este usuário.\r" + "  --> Favor contactar o suporte técnico da VEK SISTEMAS <--";
}

std::string mensagemEstacaoSemCNPJ(const std::string& estacao)
{
    return "Erro na configuração da tabela ESTACOES:\rO campo CNPJ tabela ESTACOES não foi "
           "preenchido para o a estação " +
           estacao;
}

std::string caption(const std::string& usuario, const std::string& estacao, const std::string& cnpj)
{
    return " VEK SISTEMAS - RELATÓRIOS     Usuário: \"" + usuario + "\"     Estação: " + estacao +
           "     Loja: " + FormatarCNPJ(cnpj);
}

} // namespace identificacao

std::string IdentificarEstacao(DM& dm, Contexto& contexto, Plataforma& plataforma)
{
    contexto.param.EstacaoLocal.clear();
    std::string resultado;
    contexto.UsuarioWindows = prefixoUtf8(plataforma.usuarioLogado(), 60);
    const std::string usuario = maiusculasAscii(contexto.UsuarioWindows);

    DataSet& estacoes = dm.Estacoes;
    estacoes.close();
    estacoes.setCommandText(std::string("Select ") + colunas::kEstacoes +
                                " from ESTACOES where upper(USUARIO) = cast(? as varchar(60))",
                            {usuario});
    estacoes.open();

    const bool achou =
        !estacoes.isEmpty() && maiusculasAscii(estacoes.field("USUARIO").asString()) == usuario;
    if (!achou) {
        plataforma.mostrarMensagem(
            identificacao::mensagemUsuarioSemEstacao(contexto.UsuarioWindows));
    } else {
        contexto.param.EstacaoLocal = prefixoUtf8(estacoes.field("ESTACAO").asString(), 2);
        resultado = estacoes.field("DATBASNAM").asString();
        contexto.param.CNPJLoja = prefixoUtf8(estacoes.field("CNPJ").asString(), 20);
        if (contexto.param.CNPJLoja.empty()) {
            plataforma.mostrarMensagem(
                identificacao::mensagemEstacaoSemCNPJ(contexto.param.EstacaoLocal));
        }
        contexto.caption = identificacao::caption(
            contexto.UsuarioWindows, contexto.param.EstacaoLocal, contexto.param.CNPJLoja);
        // The in-use mark (EMUSO, ATCAIXA) is not stored: nothing in the suite
        // reads it from this program, and the workstation's row stays as the
        // suite's own programs left it.
    }
    estacoes.close();
    return resultado;
}

} // namespace zandoval
