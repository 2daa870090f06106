// Any bytes as QUINDALE.INI: the reader never fails, and what it returns is a
// value that could stand in columns 50 to 109 of one line.
#include "ConfiguracaoSuite.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view texto(reinterpret_cast<const char*>(data), size);
    const std::string v = zandoval::configuracao::lerServidorCentral(texto);
    if (v.size() > 60 || v.find_first_of("\r\n\x1A") != std::string::npos ||
        (!v.empty() && (v.front() == ' ' || v.back() == ' '))) {
        std::abort();
    }
    if (!v.empty() && texto.find(v) == std::string_view::npos) {
        std::abort();
    }
    return 0;
}
