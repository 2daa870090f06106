#include "Cp1252.h"

#include <array>
#include <cstdint>

namespace zandoval {

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the range maps to itself.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void anexarUtf8(std::string& saida, char32_t c)
{
    if (c < 0x80) {
        saida.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        saida.push_back(static_cast<char>(0xC0 | (c >> 6)));
        saida.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        saida.push_back(static_cast<char>(0xE0 | (c >> 12)));
        saida.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        saida.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        saida.push_back(static_cast<char>(0xF0 | (c >> 18)));
        saida.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        saida.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        saida.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes the code point at position i and advances i; returns U+FFFD for a
// malformed sequence (advancing by one byte).
char32_t proximoCodigo(std::string_view s, std::size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    char32_t c = 0;
    char32_t minimo = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        n = 1, c = b0 & 0x1Fu, minimo = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 2, c = b0 & 0x0Fu, minimo = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 3, c = b0 & 0x07u, minimo = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + n >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (std::size_t k = 1; k <= n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (b & 0x3Fu);
    }
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += n + 1;
    return c;
}

char byteCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t k = 0; k < kAltos.size(); ++k) {
        if (kAltos[k] == c) {
            return static_cast<char>(0x80 + k);
        }
    }
    return '?';
}

} // namespace

std::string paraCp1252(std::string_view utf8)
{
    std::string saida;
    saida.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        saida.push_back(byteCp1252(proximoCodigo(utf8, i)));
    }
    return saida;
}

std::string deCp1252(std::string_view bytes)
{
    std::string saida;
    saida.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            saida.push_back(ch);
        } else if (b < 0xA0) {
            anexarUtf8(saida, kAltos[b - 0x80u]);
        } else {
            anexarUtf8(saida, b);
        }
    }
    return saida;
}

bool utf8Valido(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t antes = i;
        const char32_t c = proximoCodigo(bytes, i);
        if (c == 0xFFFD && !(i - antes == 3 && bytes.substr(antes, 3) == "\xEF\xBF\xBD")) {
            return false;
        }
    }
    return true;
}

std::string maiusculasAscii(std::string_view texto)
{
    std::string saida(texto);
    for (char& c : saida) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return saida;
}

std::string_view semBrancosFinais(std::string_view texto)
{
    while (!texto.empty() && texto.back() == ' ') {
        texto.remove_suffix(1);
    }
    return texto;
}

std::size_t tamanhoUtf8(std::string_view texto)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < texto.size();) {
        proximoCodigo(texto, i);
        ++n;
    }
    return n;
}

std::string prefixoUtf8(std::string_view texto, std::size_t n)
{
    std::size_t i = 0;
    for (std::size_t k = 0; k < n && i < texto.size(); ++k) {
        proximoCodigo(texto, i);
    }
    return std::string(texto.substr(0, i));
}

} // namespace zandoval
