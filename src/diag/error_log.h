#pragma once

#include <ctime>
#include <string>

#include "base/fault.h"
#include "base/file_places.h"
#include "state/interc_variables.h"

// The error log Errorlog.txt in the log folder: one line per failure, a
// banner at the top, rolled over to "Errorlog MMDDYY HHMM.txt" at its size limit
// (" (2)" and on before ".txt" for further rollovers in the same minute).

namespace kv {

// The one failure report; never fails towards its caller.
void LogError(IntercVariables& v, const std::string& message, const std::string& category,
              const Fault& fault);

// Writes one entry: text is the message description (column 61 on).
void AppendErrorLogEntry(IntercVariables& v, const std::string& text, const std::string& category);

// Creates the log afresh with its 11-line banner.
void CreateErrorLogFile(IntercVariables& v);

// The message description: message, ": Error # ", the signed number, " - ", description.
std::string FormatErrorDescription(const std::string& message, const Fault& fault);

// One entry line without its line end.
std::string FormatErrorLogLine(const std::tm& now, const std::string& category,
                               const std::string& text);

// Short date, a blank, long time: "12/6/2026 7:05:09 PM".
std::string DefaultDateTimeText(const std::tm& now);

}  // namespace kv
