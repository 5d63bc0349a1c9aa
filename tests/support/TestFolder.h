#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// A fresh temporary folder that is the current directory while it lives, as the core works
// relative to it; afterwards the previous one comes back and the folder goes with all it holds.
class TestFolder {
public:
    // The folder's name is stem and a random number.
    explicit TestFolder(std::u8string_view stem = u8"tarnek-test-");
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path database() const { return path_ / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.mdb"; }
    std::filesystem::path baseHeader() const { return path_ / "tarnek" / "base.h"; }
    std::filesystem::path skillsInclude() const { return path_ / "tarnek" / "skills.inl"; }
    std::vector<std::string> Listing() const;  // everything below, relative, sorted

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// A new empty folder in the system's temporary folder, named stem and a random number.
std::filesystem::path NewTemporaryFolder(std::u8string_view stem);

std::string ReadBytes(const std::filesystem::path& file);                      // "" when missing
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);  // makes missing folders
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

#ifndef _WIN32
// Runs action while no file of this process may grow past `bytes`, as on a full disk.
void WithFileSizeLimit(std::uintmax_t bytes, const std::function<void()>& action);

// Runs action with file permissions applying to this process even when it runs as root
// (which otherwise may write anywhere), as they apply to a user.
void WithFilePermissionsEnforced(const std::function<void()>& action);
#endif

// Every table of an SQLite file with every row in stored order, NULL shown as "<NULL>".
// Only in builds with the database (TableDump.cpp).
using TableDump = std::map<std::string, std::vector<std::vector<std::string>>>;
TableDump DumpTables(const std::filesystem::path& databaseFile);
