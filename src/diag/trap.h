#pragma once

#include <exception>
#include <new>
#include <optional>
#include <utility>

#include "base/fault.h"
#include "diag/error_log.h"
#include "state/interc_variables.h"

namespace kv {

// Runs body and hands back the fault it raised, if any; other exceptions become faults.
template <class Body>
std::optional<Fault> CatchFault(Body&& body) {
    try {
        std::forward<Body>(body)();
        return std::nullopt;
    } catch (const Fault& fault) {
        return fault;
    } catch (const std::bad_alloc&) {
        return Fault{faults::kOutOfMemory, FaultDescription(faults::kOutOfMemory)};
    } catch (const std::exception& e) {
        return Fault{faults::kInvalidCall, e.what()};
    }
}

// The failure trap every operation runs its body in: on any fault it logs the
// operation's fixed message and category and returns false; the caller goes on.
template <class Body>
bool Trap(IntercVariables& v, const char* message, const char* category, Body&& body) {
    const std::optional<Fault> fault = CatchFault(std::forward<Body>(body));
    if (fault) {
        LogError(v, message, category, *fault);
    }
    return !fault;
}

}  // namespace kv
