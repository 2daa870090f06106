#include "DatabaseError.h"

#include <algorithm>

namespace zandoval {

namespace {
constexpr std::intptr_t kNoDup = 335544349;              // isc_no_dup
constexpr std::intptr_t kUniqueViolation = 335544665;    // isc_unique_key_violation
constexpr std::intptr_t kDeadlock = 335544336;           // isc_deadlock
constexpr std::intptr_t kLockConflict = 335544345;       // isc_lock_conflict
constexpr std::intptr_t kUpdateConflict = 335544451;     // isc_update_conflict
constexpr std::intptr_t kNetworkError = 335544721;       // isc_network_error
constexpr std::intptr_t kNetRead = 335544726;            // isc_net_read_err
constexpr std::intptr_t kNetWrite = 335544727;           // isc_net_write_err
constexpr std::intptr_t kConnectionShutdown = 335544856; // isc_att_shutdown
} // namespace

DatabaseError::DatabaseError(const std::string& message, std::vector<std::intptr_t> codes)
    : std::runtime_error(message)
    , m_codes(std::move(codes))
{
}

bool DatabaseError::hasCode(std::intptr_t code) const
{
    return std::find(m_codes.begin(), m_codes.end(), code) != m_codes.end();
}

bool DatabaseError::isUniqueViolation() const
{
    return hasCode(kUniqueViolation) || hasCode(kNoDup);
}

bool DatabaseError::isConflict() const
{
    return isUniqueViolation() || hasCode(kDeadlock) || hasCode(kLockConflict) ||
           hasCode(kUpdateConflict);
}

bool DatabaseError::isNetworkError() const
{
    return hasCode(kNetworkError) || hasCode(kNetRead) || hasCode(kNetWrite) ||
           hasCode(kConnectionShutdown);
}

} // namespace zandoval
