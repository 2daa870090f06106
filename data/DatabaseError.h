#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zandoval {

// The one error type for every failure of the database link: the server's
// refusals, a lost connection, a client library that cannot be loaded. what()
// carries the server's own text (UTF-8), as the user is to see it.
class DatabaseError : public std::runtime_error
{
public:
    explicit DatabaseError(const std::string& message, std::vector<std::intptr_t> codes = {});

    // The server's error codes (isc_*), in the order the status vector gave them.
    const std::vector<std::intptr_t>& codes() const { return m_codes; }
    bool hasCode(std::intptr_t code) const;

    // A second row with a key already present (unique or primary key).
    bool isUniqueViolation() const;
    // Another transaction got there first: a lock conflict, an update
    // conflict, a deadlock, or a key it wrote meanwhile. Trying again may work.
    bool isConflict() const;
    // The server could not be reached or the connection broke.
    bool isNetworkError() const;

private:
    std::vector<std::intptr_t> m_codes;
};

} // namespace zandoval
