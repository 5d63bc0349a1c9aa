#include "ToolProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include <SQLiteCpp/SQLiteCpp.h>

extern char** environ;

namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

pid_t Spawn(std::vector<std::string> args, const std::filesystem::path& input, const std::filesystem::path& out,
            const std::filesystem::path& err, const std::filesystem::path& workDir,
            const std::vector<std::string>& extraEnvironment)
{
    args.insert(args.begin(), TARNEK_LEVELS_BINARY);
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e)
        environment.emplace_back(*e);
    environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!workDir.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    auto argv = Pointers(args);
    auto envp = Pointers(environment);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, TARNEK_LEVELS_BINARY, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw std::runtime_error("cannot start " TARNEK_LEVELS_BINARY);
    return pid;
}

}  // namespace

ToolResult RunBinary(const ToolRun& run)
{
    // The capture files live beside the test's directories, never inside the plugin directory.
    char pattern[] = "/tmp/tarnek-run-XXXXXX";
    const std::filesystem::path capture = mkdtemp(pattern);
    WriteFile(capture / "in", run.input);
    const pid_t pid = Spawn(run.args, capture / "in", capture / "out", capture / "err", run.workDir,
                            run.extraEnvironment);
    int status = 0;
    waitpid(pid, &status, 0);
    ToolResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFile(capture / "out");
    result.err = ReadFile(capture / "err");
    std::filesystem::remove_all(capture);
    return result;
}

pid_t StartBinary(const std::vector<std::string>& args)
{
    return Spawn(args, "/dev/null", "/dev/null", "/dev/null", {}, {});
}

TempPluginDir::TempPluginDir()
{
    char pattern[] = "/tmp/tarnek-cli-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
    std::filesystem::create_directory(path_ / "tarnek");
}

TempPluginDir::~TempPluginDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempPluginDir::database() const
{
    return path_ / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.mdb";
}

std::filesystem::path TempPluginDir::baseHeader() const
{
    return path_ / "tarnek" / "base.h";
}

std::filesystem::path TempPluginDir::skillsInclude() const
{
    return path_ / "tarnek" / "skills.inl";
}

ToolResult TempPluginDir::Run(std::vector<std::string> args, const std::string& input) const
{
    args.insert(args.begin(), {"-C", path_.string()});
    return RunBinary(ToolRun{std::move(args), input, {}, {}});
}

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream << text;
}

std::map<std::string, TableRows> DatabaseRows(const std::filesystem::path& file)
{
    SQLite::Database db(file.string(), SQLite::OPEN_READONLY);
    std::vector<std::string> tables;
    SQLite::Statement names(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    while (names.executeStep())
        tables.push_back(names.getColumn(0).getString());

    std::map<std::string, TableRows> rows;
    for (const std::string& table : tables) {
        std::string quoted = "\"";
        for (char c : table)
            quoted += (c == '"') ? std::string("\"\"") : std::string(1, c);
        quoted += '"';
        SQLite::Statement select(db, "SELECT * FROM " + quoted + " ORDER BY rowid");
        TableRows& tableRows = rows[table];
        while (select.executeStep()) {
            std::vector<std::string> row;
            for (int i = 0; i < select.getColumnCount(); ++i)
                row.push_back(select.getColumn(i).isNull() ? std::string("<NULL>") : select.getColumn(i).getString());
            tableRows.push_back(std::move(row));
        }
    }
    return rows;
}
