#pragma once

#include "Listagem.h"

namespace zandoval {

class DM2;

// What the listing reads from the databases: the period of this workstation's
// PERIODO (read again for every page) and today's date.
FontesListagem fontesDoBanco(DM2& dm2);

} // namespace zandoval
