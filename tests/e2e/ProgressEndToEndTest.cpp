// Progress of a long copy: shown on standard error only when that is a
// terminal, never on standard output. GXFCmd runs here with its standard
// error on a pseudo-terminal and its standard output in a file.
#include "E2ESupport.h"

#include <chrono>
#include <pty.h>

namespace {

namespace fs = std::filesystem;

struct TerminalRun {
    std::string out;
    std::string terminal;
    int exitCode = -1;
    double seconds = 0;
};

TerminalRun RunWithTerminalStderr(const std::vector<std::string>& args, const fs::path& outFile) {
    TerminalRun result;
    int master = -1, slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return result;
    std::vector<std::string> argvText{e2e::GXFCmdPath().string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, slave, 2);
    posix_spawn_file_actions_addclose(&actions, master);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(slave);
    if (spawned == 0) {
        // Drain the terminal while the copy runs, so it never blocks on it.
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0) break;  // EIO once the program has closed its end
            result.terminal.append(buffer, static_cast<size_t>(n));
        }
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    close(master);
    result.out = e2e::ReadAll(outFile);
    return result;
}

}  // namespace

TEST(ProgressEndToEnd, LongCopyShowsProgressOnTheTerminalOnly) {
    const auto dir = geoxfer_test::TempDir("e2e-progress");
    // 60,000 points: long enough in most builds for at least one report.
    const std::string points =
        "print \"x,y,label\"; for (i = 0; i < 60000; i++) printf \"%d,%d,p%d\\n\", i % 300, i / 300, i";
    if (!e2e::ShapeFileFromAwk(dir, "pts", points, "-oo X_POSSIBLE_NAMES=x -oo Y_POSSIBLE_NAMES=y"))
        GTEST_SKIP() << "awk or ogr2ogr is not available";

    e2e::CopyTask task;
    task.sourceConn = e2e::ShpConn(dir / "pts.shp");
    task.destConn = e2e::SdfConn(dir / "pts.sdf");
    task.classes = {{"pts", "pts", "", {}}};
    const auto file = e2e::WriteCopyTask(dir / "task.xml", task);
    const TerminalRun run = RunWithTerminalStderr({"CopyTask", file.string()}, dir / "stdout");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out, "\nRunning Copy Task: " + file.string() + "\nCopy no errors. Copied 60000 features");
    if (run.seconds > 2.0) {
        EXPECT_NE(run.terminal.find("pts: "), std::string::npos) << run.terminal;
        EXPECT_NE(run.terminal.find(" features copied, "), std::string::npos) << run.terminal;
        EXPECT_NE(run.terminal.find(" features/s"), std::string::npos) << run.terminal;
    }
    // Whatever was shown is erased again at the end.
    if (!run.terminal.empty()) {
        EXPECT_NE(run.terminal.rfind("\r\033[K\033[A"), std::string::npos);
    }
    fs::remove_all(dir);
}
