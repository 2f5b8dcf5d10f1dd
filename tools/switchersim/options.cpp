#include "options.h"

#include <charconv>

namespace sim {

namespace {

struct IntOption {
    const char* name;
    int Options::*field;
    int min;
    int max;
};

constexpr IntOption kIntOptions[] = {
    {"--port", &Options::port, 0, 65535},        {"--stations", &Options::stations, 1, 16383},
    {"--width", &Options::width, 1, 127},        {"--poll-ms", &Options::pollMs, 0, 3600000},
    {"--type-ms", &Options::typeMs, 0, 3600000},
};

bool ParseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end && !text.empty();
}

}  // namespace

std::variant<Options, std::string> ParseOptions(const std::vector<std::string>& args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            hasValue = true;
        }
        const auto takeValue = [&]() -> bool {
            if (hasValue) {
                return true;
            }
            if (i + 1 >= args.size()) {
                return false;
            }
            value = args[++i];
            return true;
        };
        if (name == "--help" || name == "-h") {
            o.help = true;
            continue;
        }
        if (name == "--trace") {
            if (hasValue) {
                return "--trace takes no value";
            }
            o.trace = true;
            continue;
        }
        if (name == "--names" || name == "--script") {
            if (!takeValue() || value.empty()) {
                return name + " needs a file name";
            }
            (name == "--names" ? o.namesFile : o.scriptFile) = value;
            continue;
        }
        bool known = false;
        for (const IntOption& opt : kIntOptions) {
            if (name != opt.name) {
                continue;
            }
            known = true;
            int number = 0;
            if (!takeValue() || !ParseInt(value, number) || number < opt.min || number > opt.max) {
                return name + " needs a whole number from " + std::to_string(opt.min) + " to " +
                       std::to_string(opt.max);
            }
            o.*opt.field = number;
        }
        if (!known) {
            return "unknown option '" + args[i] + "'";
        }
    }
    return o;
}

std::string HelpText() {
    return R"(Usage: switchersim [OPTIONS]

A stand-in intercom server for the Keyvane panel. It listens on 127.0.0.1,
serves any number of panels at once and holds a switcher of N stations: each
station has one input (its microphone) and one output (its speaker). Every
output holds a set of inputs, in the order they joined, and one level.

Options:
  --port N       TCP port to listen on (default 1250). 0 picks a free port.
                 The first line on standard output is always
                 "listening on 127.0.0.1:PORT".
  --stations N   number of stations, 1 to 16383 (default 16).
  --names FILE   station names, one per line, in station order; a blank line
                 keeps that station's default name. Defaults: DIRECTOR,
                 CAMERA 1, CAMERA 2, STUDIO A, AUDIO, LIGHTING, PRODUCER,
                 FLOOR MGR, then STATION 9, STATION 10, ...
  --width W      characters of every name in the alpha tables, 1 to 127
                 (default 10); names are cut or padded with blanks to W.
  --poll-ms MS   poll every panel with 0xF5 every MS milliseconds
                 (default 1000; 0 = never). Answers 0xF4 are counted.
  --type-ms MS   send the type request 0x81 0x64 0x64 0xFF to every panel
                 every MS milliseconds (default 10000; 0 = never). Type
                 replies 0x81 0x07 0x01 0x08 0xFF are checked and counted.
  --script FILE  run the commands of FILE in order after start-up.
  --trace        write one line per message in ('<') and out ('>') to
                 standard output: panel id, command name, decoded fields and
                 the bytes in hex, e.g.
                 < panel 1 crosspoint-change code=37 in=5 out=12  FE 25 08 05 00 0C 00 3E FF
                 Connections show as "+ panel ID connected" and
                 "- panel ID disconnected".
  -h, --help     show this text.

What the server does:
  0xF5 poll              answered with 0xF4.
  0xF2 info request      first word 0x100: input alpha table (type 10);
                         0x200: output alpha table (type 20); 0x80: the
                         crosspoint map of all outputs (map type 0, 4-byte
                         entries: input, then the output's level); second
                         word 0x2000: the icom channel table 0xDE (input i
                         belongs to output i). Sent in that order.
  0xFE crosspoint change code field minus the 0x400 flag: 36 make at level 0,
                         37 make at level 1, 32 and 33 break. The output's
                         level follows the last make; an output whose set
                         becomes empty goes to level 0; an output holds at
                         most 64 inputs. After every change the changed
                         output's map block (M = 1, S = output) goes to every
                         connected panel.
  Any bytes at all are safe: framing is the panel's own (command byte with the
  high bit set, data bytes, 0xFF end, stray bytes dropped), checksums and
  lengths are verified, and bad messages are counted and ignored.

Station numbering:
  Switcher stations are numbered from 0: the alpha tables carry the station
  numbers 0 .. N-1, and the input and output numbers of a crosspoint change
  are read as 0-based station numbers. A number outside 0 .. N-1 is ignored
  and counted ("ignored" in stats). What follows from the values the panel
  passes:
    Listen and P-Listen pass the button's 0-based input and the panel's own
      output as a list position (its row in the name-sorted station list),
      so they reach the station at that position, not necessarily the
      panel's own output.
    Talk passes its 0-based output: it reaches that station. It flashes
      while an input of that station feeds the panel's own output at level
      1 (after "call STATION OUTPUT"), and for the overhang after that.
    Call Answer passes the caller's 0-based output: it reaches the caller
      and ends the flashing of the caller's Talk keys; with no caller
      (16383) the request is ignored.
    Dial Up passes the chosen station's 0-based number: it reaches the
      station named in the panel's red Dial Up box.

Commands (one per line, from standard input and from the --script file):
  call STATION OUTPUT    station STATION's input joins OUTPUT at level 1: a
                         call to the panel whose own output is OUTPUT.
  hangup STATION OUTPUT  station STATION's input leaves OUTPUT.
  clear OUTPUT           OUTPUT loses every input and goes to level 0.
  notconnected           send 0xF1 to every panel.
  silent on|off          stop / resume answering: while silent no poll,
                         request or change is answered, no poll or type
                         request is sent and no map follows a change, but
                         bytes are still read and changes still applied.
                         Commands given by the operator still send.
  drop                   close every panel connection.
  garbage HEX...         send raw bytes to every panel, e.g. garbage FE 25 08
                         ("FE2508" and "0xFE" work too).
  flood N                send the command byte 0xF6 followed by N data bytes
                         and no 0xFF to every panel (N up to 67108864).
  burst N                send N one-output crosspoint maps (outputs 0, 1, 2,
                         ... in turn, each as the switcher holds it) and a
                         type request to every panel in one write. The next
                         type reply prints "burst maps=N bytes=B reply-ms=T
                         redials=R": T milliseconds from the burst's first
                         byte to the reply, R panel connections made since.
  map                    send the whole crosspoint map to every panel.
  stats                  print one line:
                         stats panels=P in=M polls-answered=A changes=C
                           bad=B ignored=I poll-answers=R type-replies=T
                           stray=S
                         (panels connected, messages in, polls answered,
                         crosspoint changes applied, bad messages, changes
                         ignored for station numbers out of range, a full
                         output or an unknown code, 0xF4 answers received,
                         type replies received, stray bytes dropped).
  wait MS                pause this source of commands for MS milliseconds.
  quit                   stop the server.
  A '#' starts a comment. Unknown or malformed commands print an error line
  on standard error and are ignored.
)";
}

}  // namespace sim
