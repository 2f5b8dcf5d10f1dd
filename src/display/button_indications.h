#pragma once

#include <cstdint>

#include "state/interc_variables.h"
#include "state/view_state.h"

// What the buttons show: captions, base colours, the call flash with its
// overhang, and the Listen / P-Listen indications that follow the crosspoint map.
// Each runs under its own trap; a failure leaves the buttons already done as they are.

namespace kv {

// Captions and base colours of every button; button states are left as they are.
void LabelButtons(IntercVariables& v, MainWindowView& w);

// The base colour of every button: grey when Inactive, else the off colour and
// enabled. Raises fault 9 at the first button the window lacks; callers trap it.
void ShowBaseColours(const IntercVariables& v, MainWindowView& w);

// One flash step of a calling Talk button, with the overhang after the call ends.
void DetermineButtonFlash(IntercVariables& v, MainWindowView& w, int16_t index);

// Starts the call indication on the Talk buttons of LastCaller.
void DetermineButtonFlashState(IntercVariables& v, MainWindowView& w);

// Lights or darkens Listen and P-Listen buttons by the own output's crosspoint entry.
void DetermineListenButtons(IntercVariables& v, MainWindowView& w);

// Ends the call indication on the Talk buttons of the 0-based station.
void DetermineButtonFlashOff(IntercVariables& v, MainWindowView& w, int16_t station);

}  // namespace kv
