// Stands in for compile.exe in the tests of the compiler start. It waits for the test's
// go-ahead (a file "go" in its working folder), so that a start which waited for it would be
// caught, then writes "record": whether the go-ahead came, its number of arguments, its
// working folder (UTF-8) and its process id, one to a line. With a file "say" in its folder it
// acts as a compiler run instead: keeps the sources it found (seen-base.h, seen-skills.inl),
// prints "say", and when there is "say-after-go", waits for the go-ahead and prints that too;
// when there is a file "plugin", it writes that as the compiled plugin.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

namespace fs = std::filesystem;

int main(int argc, char**)
{
    const auto copyOver = fs::copy_options::overwrite_existing;
    if (fs::exists("say")) {
        std::error_code ec;
        fs::copy_file("tarnek/base.h", "seen-base.h", copyOver, ec);
        fs::copy_file("tarnek/skills.inl", "seen-skills.inl", copyOver, ec);
        std::cout << std::ifstream("say", std::ios::binary).rdbuf() << std::flush;
        for (int i = 0; i < 400 && fs::exists("say-after-go") && !fs::exists("go"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        if (fs::exists("say-after-go"))
            std::cout << std::ifstream("say-after-go", std::ios::binary).rdbuf();
        if (fs::exists("plugin")) {
            fs::create_directory("compiled");
            fs::copy_file("plugin", "compiled/vloxTarnekMod.amxx", copyOver);
        }
        return 0;
    }
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
