#pragma once

#include "TestServer.h"

#include <memory>
#include <string>

namespace zandoval::teste {

// The suite database and station 01's interface database at the paths the
// program builds (the server's aliases), with a sample month whose
// workstation 01 belongs to `usuario`. Tests that use them take the CTest
// resource lock "aliases".
struct BancosDoPrograma
{
    BancosDoPrograma(int pedidos, const std::string& usuario);

    std::unique_ptr<ScratchDatabase> suite;
    std::unique_ptr<ScratchDatabase> interface;
};

} // namespace zandoval::teste
