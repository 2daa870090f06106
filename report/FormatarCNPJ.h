#pragma once

#include <string>

namespace zandoval {

// Display form of a CNPJ: "abcdefghijklmn" gives "ab.cde.fgh/ijkl-mn". A text
// whose third character is "." is taken as already punctuated and comes back
// unchanged. A shorter text gives shorter (or empty) parts: "" gives "../-".
std::string FormatarCNPJ(const std::string& s);

} // namespace zandoval
