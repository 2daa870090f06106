#include "PaginaRelatorio.h"

#include <charconv>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace zandoval {

namespace {

constexpr const char* kAssinatura = "ZANDOVAL-SNAPSHOT 1";

std::string numero(double v)
{
    char b[32];
    std::snprintf(b, sizeof b, "%.17g", v);
    return b;
}

double lerNumero(const std::string& s)
{
    double v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size()) {
        throw std::runtime_error("arquivo de relatório inválido: número \"" + s + "\"");
    }
    return v;
}

// Texts are written with \\ and \n escaped, so that every item is one line.
std::string escapar(const std::string& s)
{
    std::string r;
    for (const char c : s) {
        if (c == '\\') {
            r += "\\\\";
        } else if (c == '\n') {
            r += "\\n";
        } else if (c == '\t') {
            r += "\\t";
        } else {
            r += c;
        }
    }
    return r;
}

std::string desescapar(const std::string& s)
{
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char c = s[++i];
            r += c == 'n' ? '\n' : c == 't' ? '\t' : c;
        } else {
            r += s[i];
        }
    }
    return r;
}

std::vector<std::string> campos(const std::string& linha)
{
    std::vector<std::string> r;
    std::size_t ini = 0;
    for (;;) {
        const auto fim = linha.find('\t', ini);
        r.push_back(linha.substr(ini, fim - ini));
        if (fim == std::string::npos) {
            return r;
        }
        ini = fim + 1;
    }
}

} // namespace

void DocumentoRelatorio::definirPapel(const std::string& nome)
{
    papel = nome;
    if (nome == "A5") {
        larguraPolegadas = 5.83, alturaPolegadas = 8.27;
    } else if (nome == "Letter") {
        larguraPolegadas = 8.5, alturaPolegadas = 11;
    } else {
        larguraPolegadas = 8.27, alturaPolegadas = 11.69;
    }
}

std::string DocumentoRelatorio::serializar() const
{
    std::ostringstream s;
    s << kAssinatura << '\n';
    s << "titulo\t" << escapar(titulo) << '\n';
    s << "papel\t" << escapar(papel) << '\t' << numero(larguraPolegadas) << '\t'
      << numero(alturaPolegadas) << '\n';
    for (const auto& p : paginas) {
        s << "pagina\n";
        for (const auto& t : p.textos) {
            s << "texto\t" << numero(t.x) << '\t' << numero(t.y) << '\t' << escapar(t.fonte.familia)
              << '\t' << numero(t.fonte.tamanho) << '\t' << (t.fonte.negrito ? 1 : 0) << '\t'
              << (t.fonte.sublinhado ? 1 : 0) << '\t' << escapar(t.texto) << '\n';
        }
    }
    return s.str();
}

DocumentoRelatorio DocumentoRelatorio::desserializar(const std::string& texto)
{
    std::istringstream s(texto);
    std::string linha;
    if (!std::getline(s, linha) || linha != kAssinatura) {
        throw std::runtime_error("o arquivo não é um relatório salvo pelo Zandoval");
    }
    DocumentoRelatorio d;
    while (std::getline(s, linha)) {
        const auto c = campos(linha);
        if (c[0] == "titulo" && c.size() == 2) {
            d.titulo = desescapar(c[1]);
        } else if (c[0] == "papel" && c.size() == 4) {
            d.papel = desescapar(c[1]);
            d.larguraPolegadas = lerNumero(c[2]);
            d.alturaPolegadas = lerNumero(c[3]);
        } else if (c[0] == "pagina") {
            d.paginas.emplace_back();
        } else if (c[0] == "texto" && c.size() == 8 && !d.paginas.empty()) {
            TextoPosicionado t;
            t.x = lerNumero(c[1]);
            t.y = lerNumero(c[2]);
            t.fonte.familia = desescapar(c[3]);
            t.fonte.tamanho = lerNumero(c[4]);
            t.fonte.negrito = c[5] == "1";
            t.fonte.sublinhado = c[6] == "1";
            t.texto = desescapar(c[7]);
            d.paginas.back().textos.push_back(std::move(t));
        } else {
            throw std::runtime_error("arquivo de relatório inválido: \"" + linha + "\"");
        }
    }
    return d;
}

} // namespace zandoval
