#include "tests/cli/ToolProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <iostream>
#include <stdexcept>

extern char** environ;

namespace fs = std::filesystem;

namespace {

pid_t Spawn(std::vector<std::string> args, const fs::path& in, const fs::path& out, const fs::path& err)
{
    args.insert(args.begin(), TARNEK_LEVELS_BINARY);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, TARNEK_LEVELS_BINARY, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw std::runtime_error("cannot start " TARNEK_LEVELS_BINARY);
    return pid;
}

}  // namespace

ToolResult RunBinary(const std::vector<std::string>& args, const std::string& input)
{
    // The captured streams live beside the test folders, never inside a plugin directory.
    char pattern[] = "/tmp/tarnek-run-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot create a capture folder");
    const fs::path capture = pattern;
    WriteBytes(capture / "in", input);
    const pid_t pid = Spawn(args, capture / "in", capture / "out", capture / "err");
    int status = 0;
    waitpid(pid, &status, 0);
    const ToolResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(capture / "out"),
                            ReadBytes(capture / "err")};
    fs::remove_all(capture);
    return result;
}

pid_t StartBinary(const std::vector<std::string>& args)
{
    return Spawn(args, "/dev/null", "/dev/null", "/dev/null");
}

int ExitStatus(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::mt19937 SeededGenerator(const char* variable)
{
    const char* fixed = std::getenv(variable);
    const unsigned seed = fixed ? static_cast<unsigned>(std::strtoul(fixed, nullptr, 10)) : std::random_device{}();
    std::cout << variable << '=' << seed << '\n';
    return std::mt19937(seed);
}
