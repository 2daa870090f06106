#include "GeradorAmostra.h"

#include "BulkInsert.h"
#include "Connection.h"
#include "Transaction.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace zandoval {

namespace {

using namespace std::chrono;

// A small deterministic generator; its numbers do not depend on the standard
// library's distributions.
class Sorteio
{
public:
    explicit Sorteio(std::uint64_t semente)
        : m_motor(semente)
    {
    }
    // Whole number in [a, b].
    int entre(int a, int b)
    {
        return a + static_cast<int>(m_motor() % static_cast<std::uint64_t>(b - a + 1));
    }
    double real(double a, double b)
    {
        return a + (b - a) * static_cast<double>(m_motor() >> 11) * 0x1.0p-53;
    }
    bool chance(double p) { return real(0, 1) < p; }
    // Picks an index by weight.
    template <std::size_t N> std::size_t peso(const std::array<int, N>& pesos)
    {
        int total = 0;
        for (int p : pesos) {
            total += p;
        }
        int r = entre(0, total - 1);
        for (std::size_t i = 0; i < N; ++i) {
            if (r < pesos[i]) {
                return i;
            }
            r -= pesos[i];
        }
        return N - 1;
    }

private:
    std::mt19937_64 m_motor;
};

struct Material
{
    const char* nome;
    const char* unidade; // the unit it is usually prescribed in
    const char* grupo;   // nullptr: no group
    const char* dcb;     // nullptr: none
};

// The material register: names as the suite stores them, accents included.
const std::vector<Material>& materiais()
{
    static const std::vector<Material> lista = {
        {"Ácido Fólico", "MG", "MP", "00215"},
        {"Ácido Ascórbico (Vitamina C)", "MG", "MP", "00198"},
        {"Ácido Hialurônico", "G", "MP", "00231"},
        {"Ácido Glicólico", "ML", "MP", "00224"},
        {"Ácido Salicílico", "G", "MP", "00243"},
        {"Ácido Retinoico", "G", "MP", "00240"},
        {"Ácido Kójico", "G", "MP", nullptr},
        {"Alendronato de Sódio", "MG", "MP", "00412"},
        {"Alopurinol", "MG", "MP", "00438"},
        {"Amitriptilina Cloridrato", "MG", "MP", "00561"},
        {"Anastrozol", "MG", "MP", "00640"},
        {"Arginina", "MG", "MP", nullptr},
        {"Biotina", "MCG", "MP", "01362"},
        {"Bupropiona Cloridrato", "MG", "MP", "01468"},
        {"Cafeína Anidra", "MG", "MP", "01553"},
        {"Cálcio Quelato", "MG", "MP", nullptr},
        {"Carbonato de Cálcio", "MG", "MP", "01719"},
        {"Cetoconazol", "G", "MP", "02011"},
        {"Cianocobalamina (Vitamina B12)", "MCG", "MP", "02125"},
        {"Citalopram Bromidrato", "MG", "MP", "02169"},
        {"Clonazepam", "MG", "MP", "02250"},
        {"Coenzima Q10", "MG", "MP", nullptr},
        {"Colágeno Hidrolisado", "G", "MP", nullptr},
        {"Creatina Monoidratada", "G", "MP", nullptr},
        {"Cromo Picolinato", "MCG", "MP", nullptr},
        {"Dexametasona", "MG", "MP", "02876"},
        {"Diazepam", "MG", "MP", "02934"},
        {"Espironolactona", "MG", "MP", "03599"},
        {"Extrato Seco de Ginkgo Biloba", "MG", "MP", nullptr},
        {"Extrato Seco de Castanha da Índia", "MG", "MP", nullptr},
        {"Fluoxetina Cloridrato", "MG", "MP", "04165"},
        {"Finasterida", "MG", "MP", "04086"},
        {"Glicerina", "ML", "MP", "04473"},
        {"Glucosamina Sulfato", "MG", "MP", nullptr},
        {"Hidroquinona", "G", "MP", "04709"},
        {"Ibuprofeno", "MG", "MP", "04766"},
        {"Levotiroxina Sódica", "MCG", "MP", "05362"},
        {"Magnésio Quelato", "MG", "MP", nullptr},
        {"Melatonina", "MG", "MP", nullptr},
        {"Metformina Cloridrato", "MG", "MP", "05792"},
        {"Metilfenidato Cloridrato", "MG", "MP", "05866"},
        {"Minoxidil", "G", "MP", "06077"},
        {"Nistatina", "UI", "MP", "06430"},
        {"Ômega 3", "MG", "MP", nullptr},
        {"Óleo de Amêndoas Doces", "ML", "MP", nullptr},
        {"Óleo Mineral", "ML", "MP", "06646"},
        {"Omeprazol", "MG", "MP", "06686"},
        {"Pantenol", "G", "MP", "06882"},
        {"Paracetamol", "MG", "MP", "06827"},
        {"Picolinato de Zinco", "MG", "MP", nullptr},
        {"Piridoxina Cloridrato (Vitamina B6)", "MG", "MP", "07219"},
        {"Progesterona", "MG", "MP", "07399"},
        {"Propranolol Cloridrato", "MG", "MP", "07427"},
        {"Resveratrol", "MG", "MP", nullptr},
        {"Sertralina Cloridrato", "MG", "MP", "07943"},
        {"Sinvastatina", "MG", "MP", "07987"},
        {"Sulfato Ferroso", "MG", "MP", "08101"},
        {"Tiamina Cloridrato (Vitamina B1)", "MG", "MP", "08465"},
        {"Ureia", "G", "MP", "08867"},
        {"Vitamina A Palmitato", "UI", "MP", "09070"},
        {"Vitamina D3 (Colecalciferol)", "UI", "MP", "09072"},
        {"Vitamina E (Acetato de Tocoferol)", "MG", "MP", "09074"},
        {"Zinco Quelato", "MG", "MP", nullptr},
        {"Excipiente para Cápsulas", "G", "EXC", nullptr},
        {"Base Creme Não Iônico", "G", "BASE", nullptr},
        {"Base Gel de Natrosol", "G", "BASE", nullptr},
        {"Xarope Simples", "ML", "BASE", "08989"},
        {"Água Purificada", "ML", "", nullptr},
        {"Essência de Morango", "ML", "", nullptr},
        {"Sacarina Sódica", "MG", "MP", "07725"},
        {"Metilparabeno", "MG", "MP", "05877"},
        // Two materials that share a DCB: the second is refused by INSUMOS.
        {"Cafeína Citrato", "MG", "MP", "01553"},
        // Resale and homeopathic items never reach the material list.
        {"Protetor Solar FPS 50 (Revenda)", "UN", "REV", "99001"},
        {"Arnica Montana CH6", "ML", "HOM", "99002"},
        {"Material Sem Grupo", "MG", nullptr, "99003"},
        // A name longer than INSUMOS.DESCRICAO's 60 characters.
        {"Extrato Glicólico de Camomila, Calêndula e Hamamélis (Associação Padronizada)", "ML",
         "MP", "99004"},
    };
    return lista;
}

struct Forma
{
    const char* nome;
    const char* unidade;
    int tipo; // 0 capsules and tablets, 1 syrups and doses, 2 by volume or mass, 3 unknown
};

const std::array<Forma, 13> kFormas = {{
    {"Cápsula", "", 0},
    {"CAPSULA", "", 0},
    {"Comprimido", "", 0},
    {"Xarope", "ML", 1},
    {"Dose", "ML", 1},
    {"Creme", "G", 2},
    {"Pomada", "G", 2},
    {"Loção", "ML", 2},
    {"Gel", "MG", 2},
    {"Shampoo", "ml", 2},
    {"Sachê", "UN", 3},
    {"Florais", "GTS", 3},
    {"Óvulo", "", 3},
}};
const std::array<int, 13> kPesoFormas = {32, 14, 5, 8, 4, 10, 5, 6, 4, 3, 4, 2, 3};

const std::array<const char*, 10> kUnidades = {"MG", "G",  "ML", "MCG", "UN",
                                               "mg", "Mg", "UI", "KG",  "g"};
const std::array<int, 10> kPesoUnidades = {45, 15, 12, 8, 5, 5, 2, 4, 2, 2};

const std::array<const char*, 5> kTipos = {"Pedido", "Orçam", "Repos", "Cancel", "Próprio"};
const std::array<int, 5> kPesoTipos = {80, 12, 4, 3, 1};

struct Fornecedor
{
    const char* codigo;
    const char* fantasia;
    const char* cnpj;
};
const std::array<Fornecedor, 9> kFornecedores = {{
    {"0001", "D'Ávila Insumos", "12345678000190"},
    {"0002", "Farmos Química", "23456789000101"},
    {"0003", "Pharma Nostra", "34567890000112"},
    {"0004", "Galena Química", "45678901000123"},
    {"0005", "Fagron do Brasil", "56789012000134"},
    {"0006", "Distribuidora D'Oeste", "67890123000145"},
    {"0007", "Viafarma", "78901234000156"},
    {"0008", "Infinity Pharma", "89012345000167"},
    {"0009", "Embrafarma", "90123456000178"},
}};

const std::array<const char*, 16> kNomes = {
    "Ana Paula Conceição",     "José Antônio da Silva",     "Maria das Graças Souza",
    "João Batista Araújo",     "Francisca Lúcia Gonçalves", "Antônio Carlos Ribeiro",
    "Luíza Helena Magalhães",  "Sebastião Ferreira",        "Conceição Aparecida Lima",
    "Raimundo Nonato Pereira", "Fátima Regina Assunção",    "Paulo Sérgio D'Almeida",
    "Beatriz Simões Falcão",   "Márcio Luís Guimarães",     "Tânia Cristina Brandão",
    "Zoé Inês Monteiro"};
const std::array<const char*, 8> kMedicos = {
    "Dr. Rogério Mendonça",     "Dra. Cláudia Vasconcelos",   "Dr. Luís Fernando Peçanha",
    "Dra. Patrícia Lustosa",    "Dr. Joaquim Nabuco Tavares", "Dra. Irene D'Ávila",
    "Dr. Fábio Júnior Quintão", "Dra. Sônia Maria Brás"};
const std::array<const char*, 5> kPagamentos = {"Dinheiro", "Cartão de Crédito", "Cartão de Débito",
                                                "Pix", "Convênio"};
const std::array<const char*, 5> kVendedores = {"Joana", "Márcia", "Sérgio", "Luciana", "Otávio"};

std::string digitos(Sorteio& s, int n)
{
    std::string d;
    for (int i = 0; i < n; ++i) {
        d.push_back(static_cast<char>('0' + s.entre(0, 9)));
    }
    return d;
}

Date diaDoPeriodo(Sorteio& s, int ano, int mes)
{
    const year_month ym{year{ano}, month{static_cast<unsigned>(mes)}};
    // Mostly inside the month; some orders on the days just around it.
    if (s.chance(0.05)) {
        const sys_days primeiro{ym / day{1}};
        const sys_days d = s.chance(0.5) ? primeiro - days{s.entre(1, 5)}
                                         : sys_days{ym / last} + days{s.entre(1, 5)};
        return Date{d};
    }
    const unsigned ultimo = static_cast<unsigned>((ym / last).day());
    return Date{ym / day{static_cast<unsigned>(s.entre(1, static_cast<int>(ultimo)))}};
}

double quantidade(Sorteio& s, const std::string& unidade)
{
    if (unidade == "MG" || unidade == "mg" || unidade == "Mg") {
        return static_cast<double>(s.entre(1, 200)) * 5;
    }
    if (unidade == "MCG") {
        return static_cast<double>(s.entre(1, 100)) * 50;
    }
    if (unidade == "G" || unidade == "g") {
        return static_cast<double>(s.entre(1, 400)) / 20;
    }
    if (unidade == "ML") {
        return static_cast<double>(s.entre(1, 100)) / 2;
    }
    if (unidade == "UI") {
        return static_cast<double>(s.entre(1, 50)) * 1000;
    }
    if (unidade == "KG") {
        return static_cast<double>(s.entre(1, 20)) / 1000;
    }
    return static_cast<double>(s.entre(1, 3));
}

} // namespace

ResumoAmostra gerarAmostra(Connection& suite, const OpcoesAmostra& opcoes)
{
    Sorteio s(opcoes.semente);
    ResumoAmostra resumo;
    Transaction t(suite);
    for (const char* tabela : {"COMPEDID", "PEDIFORM", "PEDIDOS", "CONVUNID", "FORNECED",
                               "COMPONEN", "ESTACOES", "DADOSGER"}) {
        t.execute(std::string("delete from ") + tabela);
    }

    BulkInsert dados(t, "DADOSGER", {"CGC", "FARMACIA", "FIRMA", "CIDADE", "ESTADO"});
    dados.add({kLojaMatriz, "Farmácia de Manipulação Fórmula Certa", "Fórmula Certa Ltda.",
               "São Paulo", "SP"});
    dados.add(
        {kLojaFilial, "Fórmula Certa - Filial Jardins", "Fórmula Certa Ltda.", "São Paulo", "SP"});
    dados.flush();

    BulkInsert estacoes(t, "ESTACOES", {"ESTACAO", "DATBASNAM", "TIPO", "USUARIO", "CNPJ"});
    estacoes.add({"01", "Area01", "Balcão", opcoes.usuario, kLojaMatriz});
    estacoes.add({"02", "Area02", "Balcão", "atendente2", kLojaMatriz});
    estacoes.add({"03", "Area03", "Laboratório", "laboratorio", kLojaMatriz});
    estacoes.add({"04", "Area04", "Balcão", "filial", kLojaFilial});
    estacoes.flush();

    BulkInsert componen(
        t, "COMPONEN",
        {"CODIGO", "COMPONENTE", "GRUPO", "UNID", "DCB", "TIPORECEITA", "LISTA", "FATORCORRECAO"});
    const auto& mats = materiais();
    for (std::size_t i = 0; i < mats.size(); ++i) {
        const Material& m = mats[i];
        componen.add({"MP" + std::to_string(1000 + i), m.nome, m.grupo ? Value(m.grupo) : Value(),
                      m.unidade, m.dcb ? Value(m.dcb) : Value(), s.chance(0.1) ? "B1" : "",
                      s.chance(0.1) ? "C1" : "", 1.0 + s.entre(0, 10) / 100.0});
    }
    componen.flush();

    BulkInsert forneced(t, "FORNECED", {"CODIGO", "NOME", "NOMEFANTASIA", "CNPJ", "CIDADE"});
    for (const auto& f : kFornecedores) {
        forneced.add(
            {f.codigo, std::string(f.fantasia) + " Ltda.", f.fantasia, f.cnpj, "São Paulo"});
    }
    forneced.flush();

    BulkInsert convunid(t, "CONVUNID", {"UNIDORIG", "UNIDDEST", "DIVISOR"});
    convunid.add({"MG", "g", 0.001});
    convunid.add({"MCG", "g", 0.000001});
    convunid.add({"mg", "g", 0.001});
    convunid.flush();

    BulkInsert pedidos(t, "PEDIDOS",
                       {"ESTACAO", "NPEDIDO", "NOME", "FONE", "MEDICO", "CRM",
                        "CONSELHOPROFISSIONAL", "UFCONSELHO", "DATAPEDIDO", "TIPOPEDIDO",
                        "FORMAPAGAMENTO", "VENDEDOR", "QDEFORMULAS"});
    BulkInsert pediform(t, "PEDIFORM",
                        {"ESTACAO", "NPEDIDO", "NFORMULA", "FORMAFARMA", "PRECOFORMULA",
                         "QDECAPSULAS", "QDEROTULOS", "VOLUMETOTAL", "UNIDADE"});
    BulkInsert compedid(t, "COMPEDID",
                        {"ESTACAO", "NPEDIDO", "NFORMULA", "COMPONENTE", "QDE", "UNID",
                         "CODIGOCOMP", "LOTE", "FORNECEDOR", "FATORDILUICAO"});

    // Materials that orders use: all but the resale and homeopathic items.
    std::vector<std::size_t> usaveis;
    for (std::size_t i = 0; i < mats.size(); ++i) {
        const char* g = mats[i].grupo;
        if (!g || (std::string(g) != "REV" && std::string(g) != "HOM")) {
            usaveis.push_back(i);
        }
    }
    const std::array<const char*, 4> estacoesPedido = {"01", "02", "03", "04"};
    std::array<int, 4> numero = {1000, 5000, 9000, 100};
    for (int p = 0; p < opcoes.pedidos; ++p) {
        const std::size_t e = s.peso(std::array<int, 4>{40, 30, 10, 20});
        const std::string estacao = estacoesPedido[e];
        const int npedido = ++numero[e];
        const int nFormulas = 1 + static_cast<int>(s.peso(std::array<int, 4>{50, 30, 15, 5}));
        const char* conselho = s.chance(0.8) ? "CRM" : (s.chance(0.5) ? "cro" : "Crmv");
        pedidos.add({estacao, npedido, kNomes[static_cast<std::size_t>(s.entre(0, 15))],
                     "(11) 9" + digitos(s, 4) + "-" + digitos(s, 4),
                     kMedicos[static_cast<std::size_t>(s.entre(0, 7))], digitos(s, 6), conselho,
                     s.chance(0.9) ? "SP" : "mg", diaDoPeriodo(s, opcoes.ano, opcoes.mes),
                     kTipos[s.peso(kPesoTipos)],
                     kPagamentos[static_cast<std::size_t>(s.entre(0, 4))],
                     kVendedores[static_cast<std::size_t>(s.entre(0, 4))], nFormulas});
        ++resumo.pedidos;
        for (int f = 1; f <= nFormulas; ++f) {
            const Forma& forma = kFormas[s.peso(kPesoFormas)];
            int n = 0;
            double volume = 0;
            switch (forma.tipo) {
            case 0:
                n = 30 * s.entre(1, 4);
                break;
            case 1:
                n = s.entre(1, 3) * 5;
                // A syrup written without its volume now and then.
                volume = s.chance(0.0003) ? 0.0 : 20.0 * s.entre(5, 10);
                break;
            case 2:
                volume = s.chance(0.0002) ? 0.4 : 10.0 * s.entre(3, 10) + (s.chance(0.2) ? 0.4 : 0);
                break;
            default:
                n = s.entre(0, 30);
                volume = s.entre(0, 50);
                break;
            }
            pediform.add({estacao, npedido, f, forma.nome, 20.0 + s.entre(0, 30000) / 100.0, n,
                          s.entre(1, 3), volume, forma.unidade});
            ++resumo.formulas;
            // Distinct materials within a formula (they key its components).
            const int nComp = s.entre(3, 11);
            std::vector<std::size_t> escolhidos;
            while (static_cast<int>(escolhidos.size()) < nComp) {
                const std::size_t m = usaveis[static_cast<std::size_t>(
                    s.entre(0, static_cast<int>(usaveis.size()) - 1))];
                if (std::find(escolhidos.begin(), escolhidos.end(), m) == escolhidos.end()) {
                    escolhidos.push_back(m);
                }
            }
            for (const std::size_t m : escolhidos) {
                const std::string unidade =
                    s.chance(0.7) ? mats[m].unidade : kUnidades[s.peso(kPesoUnidades)];
                const double diluicao =
                    std::array<double, 4>{0, 1, 10, 100}[s.peso(std::array<int, 4>{80, 5, 10, 5})];
                const bool semCadastro = s.chance(0.03);
                const char* fornecedor =
                    semCadastro ? "Fornecedor Não Cadastrado"
                                : kFornecedores[static_cast<std::size_t>(s.entre(0, 8))].fantasia;
                // Batches of up to 30 characters; the detail keeps 20.
                const std::string lote = s.chance(0.1)
                                             ? "LOTE-" + digitos(s, 8) + "-VAL-" + digitos(s, 6)
                                             : "L" + digitos(s, 6);
                compedid.add({estacao, npedido, f, mats[m].nome, quantidade(s, unidade), unidade,
                              "MP" + std::to_string(1000 + m), lote, fornecedor, diluicao});
                ++resumo.componentes;
            }
        }
    }
    pedidos.flush();
    pediform.flush();
    compedid.flush();
    t.commit();
    return resumo;
}

} // namespace zandoval
