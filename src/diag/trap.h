#pragma once

#include <exception>
#include <new>
#include <utility>

#include "diag/error_log.h"
#include "diag/fault.h"
#include "panel/interc_variables.h"

namespace kv {

// The failure trap every operation runs its body in: on any fault it logs the
// operation's fixed message and category and returns false; the caller goes on.
template <class Body>
bool Trap(IntercVariables& v, const char* message, const char* category, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const Fault& fault) {
        LogError(v, message, category, fault);
    } catch (const std::bad_alloc&) {
        LogError(v, message, category,
                 Fault{faults::kOutOfMemory, FaultDescription(faults::kOutOfMemory)});
    } catch (const std::exception& e) {
        LogError(v, message, category, Fault{faults::kInvalidCall, e.what()});
    }
    return false;
}

}  // namespace kv
