#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

// The panel's whole runtime state: one instance, owned by the application and
// passed by reference to every operation. Plain data only.

namespace kv {

inline constexpr int16_t kTrue = -1;  // 16-bit booleans of the state
inline constexpr int16_t kFalse = 0;
inline constexpr int16_t kNoStation = 16383;

struct CrosspointEntry {
    std::array<int16_t, 65> Sources{};
    uint8_t Level = 0;
    uint8_t Count = 0;
    std::array<int16_t, 65> Values2{};
    std::array<int16_t, 65> Values3{};
    std::array<int16_t, 32> MarkedSources{};
    std::array<int16_t, 32> MarkedValues2{};
    std::array<int16_t, 32> MarkedValues3{};
    uint8_t MarkedCount = 0;
    int16_t Talker = 0;
};

struct ButtonRecord {
    uint8_t Type = 0;
    int16_t First = 0;
    int16_t CallFlash = kFalse;
    int16_t OverhangCount = 0;
    int16_t ListCount = 0;
    std::vector<int16_t> List;
    uint8_t State = 0;
};

struct ButtonLabel {
    std::string Line1;
    std::string Line2;
};

// Button type codes.
enum ButtonType : uint8_t {
    kListen = 0,
    kPListen = 1,
    kTalk = 2,
    kGroup = 3,
    kSalvo = 4,
    kOptoTgl = 90,
    kOptoPls = 91,
    kRelayTgl = 95,
    kRelayPls = 96,
    kInactive = 255,
};

// Bytes received and not yet decoded. The live bytes are Data[Start..]; the
// consumed front is dropped in bulk so trimming never copies the rest each time.
struct ReceiveBufferBytes {
    std::vector<uint8_t> Data;
    std::size_t Start = 0;
    bool Overflowing = false;  // bytes were discarded at the cap since the buffer was last empty
    bool Backlog = false;      // the last decode call ran out of time with bytes left
};

// A break request kept while the link was down, sent once it is up again.
struct KeptBreak {
    int16_t Input = 0;
    int16_t Output = 0;
    int16_t Command = 0;
};

// A crosspoint made by Call Answer or Dial Up while held: the release breaks this one,
// even when the caller or the chosen station changed meanwhile.
struct HeldCrosspoint {
    int16_t Held = kFalse;
    int16_t Input = 0;
    int16_t Output = 0;
};

// Where and how failures are logged; tests inject the clock and the size limit.
struct ErrorLogSettings {
    std::function<std::tm()> Now;  // empty: the local time
    std::uintmax_t RolloverSize = 1024000;
    int16_t Depth = 0;  // nesting of LogError, bounds reports about the log itself
};

// How long one decode call may run before it yields to the event loop; tests inject the clock.
struct DecodeSettings {
    std::function<std::chrono::steady_clock::time_point()> Now;  // empty: the steady clock
    std::chrono::microseconds Budget{4000};
};

struct IntercVariables {
    // Station tables (the alpha table).
    int16_t NumInputs = 0;
    int16_t NumOutputs = 0;
    std::vector<std::string> InputNames;
    std::vector<std::string> OutputNames;
    std::vector<int16_t> InputNumbers;
    std::vector<int16_t> OutputNumbers;
    std::vector<int16_t> InputIndexes;
    std::vector<int16_t> OutputIndexes;
    std::vector<int16_t> IcomChannel;
    std::vector<CrosspointEntry> CrosspointMap;

    // Buttons.
    std::vector<ButtonRecord> ButtonTable;
    std::vector<ButtonLabel> ButtonLabels;
    int16_t ButtonCount = 0;

    // The panel's own station and the callers.
    int16_t AssignedOutput = 0;
    int16_t AssignedInput = 0;
    int16_t AssignedOutputIndex = 0;
    int16_t AssignedInputIndex = 0;
    int16_t LastCaller = 0;
    int16_t DialIndex = 0;
    HeldCrosspoint AnswerHeld;  // cmdAnswer held down after its make was sent
    HeldCrosspoint TakeHeld;    // cmdTake held down after its make was sent

    // Flags.
    int16_t Connected = kFalse;
    int16_t SocketConnected = kFalse;
    int16_t LoggedIn = kFalse;

    // Timing. TickCount and TicksPerPoll are 32-bit so that every poll rate up
    // to 32500 s runs, also with a 1 ms flash rate.
    int32_t TickCount = 0;
    int16_t TickInterval = 0;
    int32_t TicksPerPoll = 0;
    int16_t RefreshRate = 0;
    int16_t TimeOut = 0;
    int16_t FlashRate = 0;
    int16_t OverHang = 0;

    int32_t StayOnTop = 0;
    std::string UserName;
    std::string Password;
    int16_t CallerTextColour = 0;
    int16_t PresetTextColour = 0;

    // Configuration record fields owned by the configuration file.
    std::string IPAddress;
    int32_t IPPort = 0;
    std::string ProgramDirectory;
    // Where the configuration file, the error log and the help file lie, each ending in
    // a separator; an empty one is the program directory.
    std::string ConfigDirectory;
    std::string LogDirectory;
    std::string HelpDirectory;

    // Server link.
    ReceiveBufferBytes ReceiveBuffer;
    int32_t PendingInfoMask = 0;
    int32_t PendingInfoMask2 = 0;
    int16_t UnansweredPolls = 0;
    int16_t PollSent = kFalse;
    int16_t SwitcherType = 0;
    std::vector<KeptBreak> KeptBreaks;
    int16_t ConnectPending = kFalse;  // an attempt is under way: ticks wait for it, up to TimeOut
    int32_t ConnectWaitedMs = 0;      // how long that attempt has run, in poll ticks' time

    // Pending values of the setup window and the fill guard it shares.
    int16_t SetupOutput = 0;
    int16_t SetupInput = 0;
    int16_t SetupRefreshRate = 0;
    int16_t SetupTimeOut = 0;
    int16_t SetupFlashRate = 0;
    int16_t SetupOverHang = 0;
    int16_t FillGuard = kFalse;

    ErrorLogSettings ErrorLog;
    DecodeSettings Decode;
};

}  // namespace kv
