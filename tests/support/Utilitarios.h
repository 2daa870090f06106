#pragma once

#include <filesystem>
#include <string>

namespace zandoval::teste {

// What a shell command writes to its standard output.
std::string comando(const std::string& linha);

// A file's bytes; empty when it cannot be read.
std::string lerArquivo(const std::filesystem::path& caminho);

} // namespace zandoval::teste
