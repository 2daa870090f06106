#include "FormatarCNPJ.h"

#include "Cp1252.h"

namespace zandoval {

namespace {
// Characters i to j of s, counted from 1; shorter or empty where s ends sooner.
std::string parte(const std::string& s, std::size_t i, std::size_t j)
{
    const std::string ate = prefixoUtf8(s, j);
    const std::string antes = prefixoUtf8(s, i - 1);
    return ate.substr(antes.size());
}
} // namespace

std::string FormatarCNPJ(const std::string& s)
{
    if (parte(s, 3, 3) == ".") {
        return s;
    }
    return parte(s, 1, 2) + "." + parte(s, 3, 5) + "." + parte(s, 6, 8) + "/" + parte(s, 9, 12) +
           "-" + parte(s, 13, 14);
}

} // namespace zandoval
