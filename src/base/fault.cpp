#include "base/fault.h"

#include <utility>

namespace kv {

std::string FaultDescription(int32_t number) {
    switch (number) {
        case faults::kInvalidCall:
            return "Invalid procedure call or argument";
        case faults::kOverflow:
            return "Overflow";
        case faults::kOutOfMemory:
            return "Out of memory";
        case faults::kSubscript:
            return "Subscript out of range";
        case faults::kDivisionByZero:
            return "Division by zero";
        case faults::kTypeMismatch:
            return "Type mismatch";
        case faults::kBadFileName:
            return "Bad file name or number";
        case faults::kFileNotFound:
            return "File not found";
        case faults::kDeviceIo:
            return "Device I/O error";
        case faults::kPastEndOfFile:
            return "Input past end of file";
        case faults::kPermissionDenied:
            return "Permission denied";
        case faults::kPathFileAccess:
            return "Path/File access error";
        case faults::kPathNotFound:
            return "Path not found";
        default:
            return "Application-defined or object-defined error";
    }
}

void Raise(int32_t number) {
    throw Fault{number, FaultDescription(number)};
}

void Raise(int32_t number, std::string description) {
    throw Fault{number, std::move(description)};
}

}  // namespace kv
