// tintwright-cli interrupted, run as a program: a signal in the middle of an
// export or a render, or a file-size limit, leaves no temporary file and no
// staging folder behind (beside the output nor in TMPDIR), keeps the
// existing output, and ends as the shell expects.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <tintwright/document/JwwUnit.h>
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr char kOldOutput[] = "the output before";
constexpr auto kPatience = 120s;  // a run that takes longer has hung

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> NamesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The header of a 64 x 48 PNG: what the outputs read of an image.
void WritePng(const fs::path& file) {
    const uint8_t head[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13,
                            'I',  'H', 'D', 'R', 0,  0,  0,  64, 0, 0, 0, 48};
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(head), sizeof head);
}

// A 7.00 drawing with a bound image, which a run unpacks into a staging
// folder in TMPDIR and an export stages beside the DXF file, and enough
// lines that exporting or rendering it takes a good part of a second.
fs::path BigDrawing(const fs::path& folder) {
    constexpr int kLines = 1000000;
    TJwwData doc;
    doc.DataDefaultSet();
    doc.BindImageFolder = folder.u16string() + u"/";
    doc.BindImageExp = doc.BindImageExr = true;
    WritePng(folder / "pic.png");
    doc.BindImage.push_back({u"pic.png", 0, false});
    doc.BindImageN = 1;
    doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 3, 3, 0, 0, u"ＭＳ ゴシック",
                   u"^@BM%temp%pic.png,40,30");
    for (int i = 0; i < kLines; ++i)
        doc.AddEntLine(0, 0, i % 16, 1 + i % 9, 1, 0, 0, i % 997, i % 1009, i % 991, i % 983);
    const fs::path file = folder / "big.jww";
    EXPECT_TRUE(doc.FileOut(file.u16string(), 700)) << doc.FileOutError;
    return file;
}

// The program started in its own process with TMPDIR given, the signals it
// handles at their defaults and, when asked, a file-size limit.
class Child {
  public:
    Child(const std::vector<std::string>& args, const fs::path& tmpdir, const fs::path& errFile,
          std::optional<rlim_t> sizeLimit) {
        const fs::path cli = fs::read_symlink("/proc/self/exe").parent_path() / "tintwright-cli";
        std::vector<std::string> argv = {cli.string()};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<std::string> env = {"TMPDIR=" + tmpdir.string(), "LANG=C.UTF-8",
                                        "QT_QPA_PLATFORM=offscreen"};
        // Prepared before fork: the child only makes system calls.
        std::vector<char*> argp = Pointers(argv), envp = Pointers(env);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        pid_ = fork();
        if (pid_ != 0) {
            close(err);
            // Never a pid of -1, which kill would take for every process.
            if (pid_ < 0) throw std::system_error(errno, std::generic_category(), "fork");
            return;
        }
        dup2(err, STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        dup2(null, STDOUT_FILENO);
        for (const int number : {SIGINT, SIGTERM, SIGHUP, SIGXFSZ})
            std::signal(number, SIG_DFL);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (sizeLimit) {
            const rlimit limit{*sizeLimit, *sizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        execve(argp[0], argp.data(), envp.data());
        _exit(127);
    }
    ~Child() {
        if (!status_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Waits until ready says the run is at the point wanted, or the run ends.
    bool ReachesPoint(const std::function<bool()>& ready) {
        const auto end = std::chrono::steady_clock::now() + kPatience;
        while (!Ended() && std::chrono::steady_clock::now() < end) {
            if (ready()) return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }

    void Signal(int number) const { kill(pid_, number); }

    // The wait status once the run ended; none when it hung.
    std::optional<int> Status() {
        const auto end = std::chrono::steady_clock::now() + kPatience;
        while (!Ended() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(1ms);
        return status_;
    }

  private:
    static std::vector<char*> Pointers(std::vector<std::string>& texts) {
        std::vector<char*> pointers;
        for (std::string& text : texts)
            pointers.push_back(text.data());
        pointers.push_back(nullptr);
        return pointers;
    }

    bool Ended() {
        int status = 0;
        if (!status_ && waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
        return status_.has_value();
    }

    pid_t pid_;
    std::optional<int> status_;
};

bool HoldsTemporary(const fs::path& folder) {
    for (const std::string& name : NamesIn(folder))
        if (name.starts_with(".tw-") && name.ends_with(".tmp")) return true;
    return false;
}

// One run's own folders: its output folder, holding an earlier output of
// the name the run writes, and its TMPDIR.
struct RunFolders {
    RunFolders(const fs::path& base, const std::string& output)
        : out(base / "out"), tmp(base / "tmp"), err(base / "stderr.txt"), output(output) {
        fs::create_directories(out);
        fs::create_directory(tmp);
        std::ofstream(out / output) << kOldOutput;
    }

    // Nothing but the earlier output, as it was, and nothing left in TMPDIR.
    void ExpectOnlyTheOldOutput() const {
        EXPECT_EQ(NamesIn(out), std::set<std::string>{output});
        EXPECT_EQ(ReadText(out / output), kOldOutput);
        EXPECT_EQ(NamesIn(tmp), std::set<std::string>{});
    }

    fs::path out, tmp, err;
    std::string output;
};

// The drawing every run reads, made once, and a second name of it.
struct Drawings {
    Drawings() : big(BigDrawing(folder.path()).string()), copy(big + "-copy.jww") {
        fs::create_hard_link(big, copy);
    }
    TempDir folder;
    std::string big, copy;
};

const Drawings& Inputs() {
    static const Drawings drawings;
    return drawings;
}

struct Command {
    std::string label, output;
    std::function<std::vector<std::string>(const fs::path& out)> args;
    // The point where the run is surely busy: its output being written (a
    // DXF's images staged meanwhile).
    std::function<bool(const RunFolders&)> busy;
};

bool WritingOutput(const RunFolders& run) {
    return HoldsTemporary(run.out);
}

const Command kExport{"export", "out.dxf",
                      [](const fs::path& out) {
                          return std::vector<std::string>{"export", "--force", Inputs().big,
                                                          (out / "out.dxf").string()};
                      },
                      WritingOutput};
// Two files, written on two threads at once.
const Command kExportBatch{"export --to", "big.dxf",
                           [](const fs::path& out) {
                               return std::vector<std::string>{"export",     "--force",
                                                               "--to",       out.string(),
                                                               Inputs().big, Inputs().copy};
                           },
                           WritingOutput};
const Command kRender{"render", "out.svg",
                      [](const fs::path& out) {
                          return std::vector<std::string>{"render", "--force", Inputs().big,
                                                          (out / "out.svg").string()};
                      },
                      WritingOutput};

class InterruptedCli : public ::testing::Test {
  protected:
    // Fresh folders for each run.
    RunFolders NewRun(const Command& command) {
        return RunFolders(dir.path() / std::to_string(runs++), command.output);
    }

    TempDir dir;
    int runs = 0;
};

TEST_F(InterruptedCli, ASignalMidRunRemovesWhatTheRunMadeAndEndsByThatSignal) {
    const struct {
        const Command& command;
        int signal;
    } cases[] = {
        {kExport, SIGINT},      {kExport, SIGTERM}, {kExport, SIGHUP},
        {kExportBatch, SIGINT}, {kRender, SIGINT},  {kRender, SIGTERM},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command.label + " " + strsignal(c.signal));
        const RunFolders run = NewRun(c.command);
        Child child(c.command.args(run.out), run.tmp, run.err, std::nullopt);
        ASSERT_TRUE(child.ReachesPoint([&] { return c.command.busy(run); })) << ReadText(run.err);
        child.Signal(c.signal);
        const std::optional<int> status = child.Status();
        ASSERT_TRUE(status) << "still running";
        ASSERT_TRUE(WIFSIGNALED(*status)) << "exit code " << WEXITSTATUS(*status);
        EXPECT_EQ(WTERMSIG(*status), c.signal);
        run.ExpectOnlyTheOldOutput();
    }
}

// Without SIGXFSZ ignored by whoever starts it, the program reports the
// limit instead of being killed by it.
TEST_F(InterruptedCli, AFileSizeLimitFailsTheRunWithItsReason) {
    constexpr rlim_t kLimit = 256 * 1024;  // the image fits, the output does not
    for (const Command& command : {kExport, kExportBatch, kRender}) {
        SCOPED_TRACE(command.label);
        const RunFolders run = NewRun(command);
        Child child(command.args(run.out), run.tmp, run.err, kLimit);
        const std::optional<int> status = child.Status();
        ASSERT_TRUE(status) << "still running";
        ASSERT_TRUE(WIFEXITED(*status)) << "killed by " << strsignal(WTERMSIG(*status));
        EXPECT_EQ(WEXITSTATUS(*status), 1);
        const std::string err = ReadText(run.err);
        EXPECT_NE(err.find("cannot write"), std::string::npos) << err;
        EXPECT_NE(err.find("File too large"), std::string::npos) << err;
        run.ExpectOnlyTheOldOutput();
    }
}

}  // namespace
}  // namespace tw
