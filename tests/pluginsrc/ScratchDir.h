#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "MessageSink.h"

// A fresh directory per test that is the current directory while the test runs, as the
// writers and the compiler start work relative to it; the previous one comes back afterwards.
class ScratchDir final {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::vector<std::string> Listing() const;  // everything below, relative, sorted

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

struct RecordingSink final : MessageSink {
    void Show(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
