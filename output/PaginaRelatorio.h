#pragma once

#include <string>
#include <vector>

namespace zandoval {

// A font as the listing chooses it: the family name as given, the size in
// points and the two styles it uses.
struct Fonte
{
    std::string familia;
    double tamanho = 10;
    bool negrito = false;
    bool sublinhado = false;

    friend bool operator==(const Fonte&, const Fonte&) = default;
};

// One piece of text on a page: its left edge and baseline in report units
// (1/1.77 inch) from the page's left and top edges.
struct TextoPosicionado
{
    double x = 0;
    double y = 0;
    std::string texto; // UTF-8
    Fonte fonte;

    friend bool operator==(const TextoPosicionado&, const TextoPosicionado&) = default;
};

struct Pagina
{
    std::vector<TextoPosicionado> textos;
    friend bool operator==(const Pagina&, const Pagina&) = default;
};

// The device-independent description of a generated report: its pages and the
// paper they were laid out for. Every renderer draws from it, and it can be
// saved to a file and opened again.
struct DocumentoRelatorio
{
    static constexpr double kUnidadesPorPolegada = 1.77;

    std::string titulo;
    std::string papel = "A4"; // paper name as chosen
    double larguraPolegadas = 8.27;
    double alturaPolegadas = 11.69;
    std::vector<Pagina> paginas;

    friend bool operator==(const DocumentoRelatorio&, const DocumentoRelatorio&) = default;

    // Paper size in inches for a paper name ("A4", "A5", "Letter"; anything
    // else is taken as A4).
    void definirPapel(const std::string& nome);

    // The snapshot file: a text format of our own, one line per item.
    std::string serializar() const;
    // Throws std::runtime_error when the text is not a snapshot.
    static DocumentoRelatorio desserializar(const std::string& texto);
};

// Points (1/72 inch) in report units, and back.
inline double pontosParaUnidades(double pontos)
{
    return pontos / 72.0 * DocumentoRelatorio::kUnidadesPorPolegada;
}
inline double unidadesParaPontos(double unidades)
{
    return unidades / DocumentoRelatorio::kUnidadesPorPolegada * 72.0;
}

} // namespace zandoval
