#pragma once

#include <string>
#include <string_view>

namespace zandoval {

// The suite stores its texts as Windows-1252 bytes. Inside the program every
// text is UTF-8; these two functions convert at the database boundary.

// UTF-8 to Windows-1252. A character that Windows-1252 cannot hold becomes '?',
// and so does every byte of malformed UTF-8.
std::string paraCp1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number, as
// Windows itself does, so no byte is lost on a round trip.
std::string deCp1252(std::string_view bytes);

// True when the bytes are well-formed UTF-8.
bool utf8Valido(std::string_view bytes);

// Upper case of the ASCII letters a to z only; every other character, accented
// letters included, stays as it is.
std::string maiusculasAscii(std::string_view texto);

// A text as the server compares texts: trailing blanks do not count.
std::string_view semBrancosFinais(std::string_view texto);

// Number of characters (code points) of a UTF-8 text.
std::size_t tamanhoUtf8(std::string_view texto);

// The first n characters of a UTF-8 text (the whole text when it is shorter).
std::string prefixoUtf8(std::string_view texto, std::size_t n);

} // namespace zandoval
