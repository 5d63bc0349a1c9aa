#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

// How a compiler run ended.
struct ProcessEnd {
    int exitCode = -1;  // the program's exit status; -1 when it did not exit by itself
    int signal = 0;     // the signal that ended it (POSIX), 0 when it exited
    bool cancelled = false;
};

// One run of a plugin-tree program with its output captured: no arguments, started in its
// folder, standard output and error into one pipe, standard input from the null device (so
// a "press enter" at its end meets end of file), and in a group of its own (a process group;
// a job object on Windows) so that cancelling ends whatever it started too.
class CompilerProcess {
public:
    CompilerProcess();
    ~CompilerProcess();  // ends and reaps a program that is still running
    CompilerProcess(const CompilerProcess&) = delete;
    CompilerProcess& operator=(const CompilerProcess&) = delete;

    // 0 when the program runs; otherwise the system's error code.
    int Start(const std::filesystem::path& program, const std::filesystem::path& workDir);

    // Hands the output to onOutput in pieces as it comes, until the program has ended and
    // its output is closed, or until Cancel. Output still held open by something the
    // program left running is waited for a short while, then that is ended too.
    ProcessEnd Run(const std::function<void(std::string_view)>& onOutput);

    // From any thread, or a signal handler: Run ends the program's group within a moment.
    void Cancel() noexcept { cancel_.store(true); }

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
    std::atomic<bool> cancel_{false};
};
