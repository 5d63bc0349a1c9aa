#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "MessageSink.h"

// A fresh directory per test that is also the current directory while the test runs, as
// the writers and the compiler start work relative to it. The previous directory comes back
// and the scratch directory goes away afterwards.
class ScratchDir final {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Everything under the scratch directory, relative, sorted.
    std::vector<std::string> Listing() const;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

class RecordingSink final : public MessageSink {
public:
    void Show(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
