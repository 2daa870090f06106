#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zandoval {

// The suite's shared settings file, QUINDALE.INI, beside the executable. Of its
// settings this program uses one: the central database server, on the line
// labelled "IP DO SERVIDOR CENTRAL.........................:".
//
// Each line is a 48-character label (name, dots, ":" in column 48), one
// separator character that is never examined, and the value from column 50,
// of which at most 60 characters are read and then spaces trimmed at both
// ends. Lines end at CR LF or LF; a lone CR ends the line's text and the rest
// up to the next LF is skipped. A Ctrl+Z ends the file. The last server line
// wins, also when its value is empty.
namespace configuracao {

inline constexpr const char* kNomeArquivo = "QUINDALE.INI";
inline constexpr const char* kRotuloServidor = "IP DO SERVIDOR CENTRAL.........................:";
inline constexpr const char* kMensagemAusente =
    "Arquivo QUINDALE.INI não encontrado. Execute o programa Holbrick.exe para criá-lo.";

// The server value found in a file's text; empty when no line carries it.
std::string lerServidorCentral(std::string_view conteudo);

// The file in the folder: QUINDALE.INI, or a name that differs from it only in
// letter case when the file system tells cases apart. Empty when there is none.
std::optional<std::filesystem::path> localizar(const std::filesystem::path& pasta);

} // namespace configuracao
} // namespace zandoval
