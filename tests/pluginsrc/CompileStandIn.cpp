// Stands in for compile.exe in the tests of the compiler start. It waits for the test's
// go-ahead (a file "go" in its working folder), so that a start which waited for it would be
// caught, then writes "record": whether the go-ahead came, its number of arguments, its
// working folder (UTF-8) and its process id, one to a line.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

int main(int argc, char**)
{
    bool go = false;
    for (int i = 0; i < 400 && !(go = fs::exists("go")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    {
        const std::u8string folder = fs::current_path().u8string();
        std::ofstream record("record.tmp", std::ios::binary);
        record << (go ? "after-return" : "timeout") << '\n'
               << argc - 1 << '\n'
               << std::string(folder.begin(), folder.end()) << '\n'
               << GetCurrentProcessId() << '\n';
    }
    fs::rename("record.tmp", "record");
}
