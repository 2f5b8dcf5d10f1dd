#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/interc_variables.h"

// frmButtonProgramming: the type and station of every button, edited on a working
// copy of the button table that reaches the panel only on Ok.

namespace kv {

struct ButtonProgrammingDialog {
    std::vector<ButtonRecord> Work;  // the working copy
    int16_t Current = 0;             // the button shown

    std::vector<std::string> ButtonRows;  // cmbButton
    int32_t ButtonSelected = -1;
    int32_t TypeSelected = -1;           // the checked option's type code; -1: none
    std::vector<std::string> InputRows;  // cmboInputSelect
    int32_t InputSelected = -1;
    bool InputVisible = false;
    std::vector<std::string> OutputRows;  // cmboOutputSelect
    int32_t OutputSelected = -1;
    bool OutputVisible = false;
    bool OkEnabled = true;  // no buttons: nothing to store
    bool Open = false;
};

// Form load: the working copy, the station lists, the button selector, then button 0.
void LoadButtonProgramming(IntercVariables& v, ButtonProgrammingDialog& d);

// Shows button k of the working copy: its type option and the station list it needs.
void SetupButton(IntercVariables& v, ButtonProgrammingDialog& d, int16_t k);

// cmbButton click (also while the fill guard is raised).
void ButtonRowPicked(IntercVariables& v, ButtonProgrammingDialog& d, int32_t row);
// optButType click: only a type that can be chosen is taken.
void TypeOptionClicked(IntercVariables& v, ButtonProgrammingDialog& d, int32_t code);
void InputRowPicked(IntercVariables& v, ButtonProgrammingDialog& d, int32_t row);
void OutputRowPicked(IntercVariables& v, ButtonProgrammingDialog& d, int32_t row);

// The edited types and stations go to the button table; the dialog closes.
void ButtonProgrammingOk(IntercVariables& v, ButtonProgrammingDialog& d);
void ButtonProgrammingCancel(ButtonProgrammingDialog& d);

}  // namespace kv
