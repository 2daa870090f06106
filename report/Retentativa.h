#pragma once

#include "DatabaseError.h"

#include <chrono>
#include <random>
#include <thread>

namespace zandoval {

// Runs a unit of work that writes shared tables in a transaction of its own,
// again when it loses a conflict with another workstation (a key written
// meanwhile, an update conflict, a deadlock), at most `tentativas` times with a
// short random pause in between. Any other error, or the last conflict, goes
// to the caller. Returns the number of attempts made.
template <class Trabalho> int comRetentativa(Trabalho&& trabalho, int tentativas = 8)
{
    thread_local std::minstd_rand sorteio(std::random_device{}());
    for (int i = 1;; ++i) {
        try {
            trabalho();
            return i;
        } catch (const DatabaseError& e) {
            if (!e.isConflict() || i >= tentativas) {
                throw;
            }
            std::this_thread::sleep_for(
                std::chrono::milliseconds(10 + sorteio() % (20u * static_cast<unsigned>(i))));
        }
    }
}

} // namespace zandoval
