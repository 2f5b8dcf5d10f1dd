#include "config/program_setup.h"

#include "base/checked.h"
#include "base/station_text.h"
#include "config/ini_file.h"
#include "diag/trap.h"

namespace kv {
namespace {

constexpr int16_t kSetupStations = 256;

template <class T>
void Recreate(std::vector<T>& table, int16_t size) {
    table.assign(static_cast<std::size_t>(size < 0 ? 0 : size), T{});
}

}  // namespace

void ProgramSetup(IntercVariables& v, MainWindowView& w, const std::string& programDirectory,
                  const FilePlaces& places) {
    Trap(v, "Error on program setup", "Program Error", [&] {
        v.ProgramDirectory = WithTrailingSeparator(programDirectory);
        v.ConfigDirectory = places.ConfigFolder;
        v.LogDirectory = places.LogFolder;
        v.HelpDirectory = places.HelpFolder;
        w.PollEnabled = false;

        v.StayOnTop = -1;
        v.AssignedOutputIndex = 0;
        v.AssignedOutput = 1;
        v.AssignedInput = 1;
        v.DialIndex = 0;
        v.LastCaller = kNoStation;
        v.CallerTextColour = 12;
        v.PresetTextColour = 7;
        v.LoggedIn = kFalse;
        v.UserName.clear();
        v.Password.clear();

        v.CrosspointMap.assign(1, CrosspointEntry{});

        v.ButtonCount = 8;
        v.OverHang = 20;
        v.FlashRate = 500;
        v.NumInputs = kSetupStations;
        v.NumOutputs = kSetupStations;

        Recreate(v.InputNames, kSetupStations);
        Recreate(v.OutputNames, v.NumOutputs);
        Recreate(v.InputNumbers, v.NumInputs);
        Recreate(v.OutputNumbers, v.NumOutputs);
        Recreate(v.InputIndexes, v.NumInputs);
        Recreate(v.OutputIndexes, v.NumOutputs);
        // One record more than there are buttons.
        Recreate(v.ButtonTable, Add16(v.ButtonCount, 1));
        Recreate(v.IcomChannel, v.NumInputs);
        Recreate(v.ButtonLabels, Add16(v.ButtonCount, 1));

        for (int n = 1; n <= v.NumInputs; ++n) {
            At(v.InputNames, n - 1) = "Inpt" + FourDigits(n);
            At(v.InputNumbers, n - 1) = static_cast<int16_t>(n);
            At(v.InputIndexes, n - 1) = static_cast<int16_t>(n);
            At(v.IcomChannel, n - 1) = kNoStation;
        }
        for (int n = 1; n <= v.NumOutputs; ++n) {
            At(v.OutputNames, n - 1) = "Out " + FourDigits(n);
            At(v.OutputNumbers, n - 1) = static_cast<int16_t>(n);
            At(v.OutputIndexes, n - 1) = static_cast<int16_t>(n);
        }

        for (int i = 0; i < v.ButtonCount; ++i) {
            const std::string caption = "Button " + std::to_string(i + 1);
            ButtonFace& face = At(w.Buttons, i);
            face.Caption = caption;
            ButtonLabel& label = At(v.ButtonLabels, i);
            label.Line1 = caption;
            label.Line2.clear();
            face.BackColour = kOffColour;
            ButtonRecord& button = At(v.ButtonTable, i);
            button.Type = kListen;
            button.List.assign(1, 1);
        }

        v.RefreshRate = 1;
        v.TimeOut = 20;
        v.FlashRate = 500;
        v.OverHang = 20;
        ComputeTimerValues(v, w);

        w.InputWindowTextColour = v.CallerTextColour;
        w.PresetWindowTextColour = v.PresetTextColour;
        w.InputWindowText = "NoSystem";
        w.PresetWindowText = "NoSystem";

        w.StationVisible = false;

        v.IPPort = 1250;
    });
}

}  // namespace kv
