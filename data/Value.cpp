#include "Value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace zandoval {

namespace {

constexpr std::int64_t potencia10(int n)
{
    std::int64_t p = 1;
    for (int i = 0; i < n; ++i) {
        p *= 10;
    }
    return p;
}

template <class... F> struct Visitante : F...
{
    using F::operator()...;
};

std::string doisDigitos(unsigned v)
{
    char b[8];
    std::snprintf(b, sizeof b, "%02u", v % 100);
    return b;
}

std::optional<double> lerNumero(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') {
        ++i;
    }
    std::size_t fim = s.size();
    while (fim > i && s[fim - 1] == ' ') {
        --fim;
    }
    if (i == fim) {
        return std::nullopt;
    }
    double v = 0;
    const char* inicio = s.data() + i;
    if (*inicio == '+') {
        ++inicio;
    }
    const auto [p, ec] = std::from_chars(inicio, s.data() + fim, v);
    if (ec != std::errc() || p != s.data() + fim) {
        return std::nullopt;
    }
    return v;
}

} // namespace

double Decimal::toDouble() const
{
    return static_cast<double>(units) / static_cast<double>(potencia10(-scale));
}

std::string Decimal::toString() const
{
    const std::int64_t p = potencia10(-scale);
    const bool negativo = units < 0;
    const std::uint64_t abs =
        negativo ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::string inteira = std::to_string(abs / static_cast<std::uint64_t>(p));
    std::string fracao;
    if (scale < 0) {
        fracao = std::to_string(abs % static_cast<std::uint64_t>(p));
        fracao.insert(0, static_cast<std::size_t>(-scale) - fracao.size(), '0');
        while (!fracao.empty() && fracao.back() == '0') {
            fracao.pop_back();
        }
    }
    std::string s = (negativo && abs != 0) ? "-" : "";
    s += inteira;
    if (!fracao.empty()) {
        s += "." + fracao;
    }
    return s;
}

Decimal Decimal::rescaled(int newScale) const
{
    if (newScale == scale) {
        return *this;
    }
    if (newScale < scale) {
        return {units * potencia10(scale - newScale), newScale};
    }
    const std::int64_t p = potencia10(newScale - scale);
    std::int64_t q = units / p;
    const std::int64_t r = units % p;
    if (2 * (r < 0 ? -r : r) >= p) {
        q += units < 0 ? -1 : 1;
    }
    return {q, newScale};
}

Decimal Decimal::fromDouble(double value, int scale)
{
    // Round the decimal form of the value (15 significant digits), not its
    // binary form: 0.0000005 must give 0.000001 although the nearest double lies
    // a little below the half.
    if (!std::isfinite(value) || value == 0) {
        return {0, scale};
    }
    char b[64];
    std::snprintf(b, sizeof b, "%.14e", std::fabs(value));
    // b = "d.dddddddddddddde±XX"
    std::string digitos;
    digitos.push_back(b[0]);
    digitos.append(b + 2, 14);
    const int expoente = std::atoi(b + 17);
    // Digits in front of the rounding place.
    const int k = expoente + 1 - scale;
    std::int64_t u = 0;
    if (k >= 15) {
        std::from_chars(digitos.data(), digitos.data() + 15, u);
        u *= potencia10(k - 15);
    } else if (k >= 0) {
        if (k > 0) {
            std::from_chars(digitos.data(), digitos.data() + k, u);
        }
        if (digitos[static_cast<std::size_t>(k)] >= '5') {
            ++u;
        }
    }
    return {value < 0 ? -u : u, scale};
}

bool operator==(const Decimal& a, const Decimal& b)
{
    const int s = std::min(a.scale, b.scale);
    return a.rescaled(s).units == b.rescaled(s).units;
}

std::string formatarReal(double v)
{
    if (v == 0) {
        return "0";
    }
    char b[64];
    std::snprintf(b, sizeof b, "%.15G", v);
    std::string s = b;
    // Drop zeros after the point and a point left alone; keep the exponent.
    const auto e = s.find('E');
    std::string mantissa = s.substr(0, e);
    std::string expoente = e == std::string::npos ? "" : s.substr(e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') {
            mantissa.pop_back();
        }
        if (mantissa.back() == '.') {
            mantissa.pop_back();
        }
    }
    if (!expoente.empty()) {
        // "E-07" -> "E-7"
        std::string sinal = expoente.substr(1, 1) == "-" ? "-" : "";
        std::string numero = expoente.substr(expoente[1] == '-' || expoente[1] == '+' ? 2 : 1);
        while (numero.size() > 1 && numero[0] == '0') {
            numero.erase(0, 1);
        }
        expoente = "E" + sinal + numero;
    }
    return mantissa + expoente;
}

std::string formatarData(const Date& d)
{
    return doisDigitos(static_cast<unsigned>(d.day())) + "/" +
           doisDigitos(static_cast<unsigned>(d.month())) + "/" +
           doisDigitos(static_cast<unsigned>(static_cast<int>(d.year()) % 100));
}

std::string formatarDataLonga(const Date& d)
{
    char b[16];
    std::snprintf(b, sizeof b, "%02u/%02u/%04d", static_cast<unsigned>(d.day()),
                  static_cast<unsigned>(d.month()), static_cast<int>(d.year()));
    return b;
}

std::optional<Date> lerData(std::string_view texto)
{
    int partes[3] = {0, 0, 0};
    int digitos[3] = {0, 0, 0};
    int k = 0;
    for (const char c : texto) {
        if (c == '/') {
            if (++k > 2) {
                return std::nullopt;
            }
        } else if (c >= '0' && c <= '9') {
            partes[k] = partes[k] * 10 + (c - '0');
            if (++digitos[k] > 4) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    if (k != 2 || digitos[0] == 0 || digitos[1] == 0 || digitos[0] > 2 || digitos[1] > 2 ||
        (digitos[2] != 2 && digitos[2] != 4)) {
        return std::nullopt;
    }
    int ano = partes[2];
    if (digitos[2] == 2) {
        ano += ano < 50 ? 2000 : 1900;
    }
    const Date d{std::chrono::year{ano}, std::chrono::month{static_cast<unsigned>(partes[1])},
                 std::chrono::day{static_cast<unsigned>(partes[0])}};
    if (!d.ok()) {
        return std::nullopt;
    }
    return d;
}

std::string Value::asString() const
{
    return std::visit(
        Visitante{
            [](std::monostate) { return std::string(); },
            [](std::int64_t v) { return std::to_string(v); },
            [](double v) { return formatarReal(v); }, [](const Decimal& v) { return v.toString(); },
            [](const std::string& v) { return v; }, [](const Date& v) { return formatarData(v); },
            [](const TimeOfDay& v) {
                char b[16];
                std::snprintf(b, sizeof b, "%02d:%02d:%02d", v.hours, v.minutes, v.seconds);
                return std::string(b);
            },
            [](const Timestamp& v) {
                char b[16];
                std::snprintf(b, sizeof b, " %02d:%02d:%02d", v.time.hours, v.time.minutes,
                              v.time.seconds);
                return formatarData(v.date) + b;
            }},
        m_v);
}

std::int64_t Value::asInt() const
{
    return std::visit(Visitante{[](std::int64_t v) { return v; },
                                [](double v) { return static_cast<std::int64_t>(std::llround(v)); },
                                [](const Decimal& v) { return v.rescaled(0).units; },
                                [](const std::string& v) {
                                    const auto n = lerNumero(v);
                                    return n ? static_cast<std::int64_t>(std::llround(*n))
                                             : std::int64_t{0};
                                },
                                [](const auto&) { return std::int64_t{0}; }},
                      m_v);
}

double Value::asDouble() const
{
    return std::visit(Visitante{[](std::int64_t v) { return static_cast<double>(v); },
                                [](double v) { return v; },
                                [](const Decimal& v) { return v.toDouble(); },
                                [](const std::string& v) { return lerNumero(v).value_or(0.0); },
                                [](const auto&) { return 0.0; }},
                      m_v);
}

Decimal Value::asDecimal(int scale) const
{
    if (const auto* d = std::get_if<Decimal>(&m_v)) {
        return d->rescaled(std::min(d->scale, scale));
    }
    if (const auto* n = std::get_if<std::int64_t>(&m_v)) {
        return Decimal{*n, 0}.rescaled(scale);
    }
    return Decimal::fromDouble(asDouble(), scale);
}

std::optional<Date> Value::asDate() const
{
    if (const auto* d = std::get_if<Date>(&m_v)) {
        return *d;
    }
    if (const auto* t = std::get_if<Timestamp>(&m_v)) {
        return t->date;
    }
    return std::nullopt;
}

} // namespace zandoval
