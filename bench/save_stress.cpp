// Saves of the configuration file under stress, measured on the real writer.
//
//   save_stress writers DIR [ROUNDS]  two processes save into DIR at once, round after round;
//                                     counts files found not whole, during and after each round
//   save_stress kills DIR [ROUNDS]    a process saves in a loop and is killed (SIGKILL) at a
//                                     random moment; counts files found not whole afterwards
//
// A whole file is, byte for byte, what one of the two panels below writes.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

#include "config/ini_file.h"
#include "config/program_setup.h"

namespace {

namespace fs = std::filesystem;

struct Panel {
    kv::IntercVariables v;
    kv::MainWindowView w;
};

// Two panels whose files differ in content and length, so a mix or a cut shows.
void Setup(Panel& p, const std::string& dir, int which) {
    kv::ProgramSetup(p.v, p.w, dir);
    p.v.IPAddress = which == 0 ? "10.0.0.1" : "192.168.100.200";
    p.v.UserName = which == 0 ? "first panel" : "second panel, night shift";
    p.v.Password = which == 0 ? "abc" : "a longer password";
    for (std::size_t i = 0; i < p.v.ButtonLabels.size(); ++i) {
        p.v.ButtonLabels[i] = {which == 0 ? "A" : "Studio B", which == 0 ? "" : "Talk"};
    }
}

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The exact bytes each panel writes, from a save in a scratch directory.
std::string Expected(const fs::path& scratch, int which) {
    fs::create_directories(scratch);
    Panel p;
    Setup(p, scratch.string() + "/", which);
    if (!kv::WriteIniFile(p.v)) {
        std::fprintf(stderr, "cannot save in %s\n", scratch.c_str());
        std::exit(2);
    }
    return Read(scratch / kv::kIniFileName);
}

// Saves count times (forever when count is 0); the exit status is the number of failed saves.
[[noreturn]] void Saver(const std::string& dir, int which, int count) {
    Panel panels[2];
    Setup(panels[0], dir, which);
    Setup(panels[1], dir, 1 - which);
    int failed = 0;
    for (int n = 0; count == 0 || n < count; ++n) {
        // A lone saver alternates, so every save changes the file.
        failed += kv::WriteIniFile(panels[count == 0 ? n % 2 : 0].v) ? 0 : 1;
    }
    std::_Exit(failed > 255 ? 255 : failed);
}

pid_t Start(const std::string& dir, int which, int count) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        Saver(dir, which, count);
    }
    return pid;
}

int Leftovers(const fs::path& dir) {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        if (entry.path().filename().string().rfind(kv::kIniTempPrefix, 0) == 0) {
            fs::remove(entry.path());
            ++count;
        }
    }
    return count;
}

int Writers(const fs::path& dir, const std::string& a, const std::string& b, int rounds) {
    const fs::path file = dir / kv::kIniFileName;
    int corruptAfter = 0;
    int corruptDuring = 0;
    int looks = 0;
    int failedSaves = 0;
    for (int round = 0; round < rounds; ++round) {
        const pid_t first = Start(dir.string() + "/", 0, 20);
        const pid_t second = Start(dir.string() + "/", 1, 20);
        for (pid_t pid : {first, second}) {
            int status = 0;
            // Meanwhile the file is read as a panel starting now would read it.
            while (::waitpid(pid, &status, WNOHANG) == 0) {
                const std::string text = Read(file);
                ++looks;
                corruptDuring += (text != a && text != b) ? 1 : 0;
            }
            failedSaves += WIFEXITED(status) ? WEXITSTATUS(status) : 1;
        }
        const std::string text = Read(file);
        corruptAfter += (text != a && text != b) ? 1 : 0;
    }
    std::printf(
        "two writers, %d rounds of 2 x 20 saves: %d corrupt files after a round, "
        "%d corrupt of %d reads during the rounds, %d failed saves, %d temporary files "
        "left\n",
        rounds, corruptAfter, corruptDuring, looks, failedSaves, Leftovers(dir));
    return corruptAfter + corruptDuring;
}

int Kills(const fs::path& dir, const std::string& a, const std::string& b, int rounds) {
    const fs::path file = dir / kv::kIniFileName;
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayUs(0, 20000);
    int corrupt = 0;
    int midSave = 0;
    for (int round = 0; round < rounds; ++round) {
        const pid_t saver = Start(dir.string() + "/", round % 2, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        const std::string text = Read(file);
        corrupt += (text != a && text != b) ? 1 : 0;
        midSave += Leftovers(dir) > 0 ? 1 : 0;
    }
    std::printf(
        "kill during save, %d rounds: %d files not whole; %d kills landed inside a save "
        "(its temporary file left behind)\n",
        rounds, corrupt, midSave);
    return corrupt;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc < 3 || (mode != "writers" && mode != "kills")) {
        std::fprintf(stderr, "usage: save_stress writers|kills DIR [ROUNDS]\n");
        return 2;
    }
    const fs::path dir = fs::absolute(argv[2]);
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 300;
    const std::string a = Expected(dir / "expected-a", 0);
    const std::string b = Expected(dir / "expected-b", 1);
    // Every round starts from a whole file.
    fs::copy_file(dir / "expected-a" / kv::kIniFileName, dir / kv::kIniFileName,
                  fs::copy_options::overwrite_existing);
    const int bad = mode == "writers" ? Writers(dir, a, b, rounds) : Kills(dir, a, b, rounds);
    return bad == 0 ? 0 : 1;
}
