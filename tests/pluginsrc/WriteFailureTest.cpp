#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "InitialConfiguration.h"
#include "ScratchDir.h"
#include "xpBaseStruct.h"

namespace fs = std::filesystem;

namespace {

void ExpectWriteMessage(const std::vector<Message>& messages, std::vector<int> errorCodes)
{
    ASSERT_EQ(messages.size(), errorCodes.size());
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].text, "Не может записать в файл (ошибка " + std::to_string(errorCodes[i]) + ")\n");
        EXPECT_EQ(messages[i].caption, "Ошибка");
        EXPECT_EQ(messages[i].icon, MessageIcon::Error);
    }
}

TEST(WriteFailure, MissingTarnekFolderGivesOneMessagePerFileAndCreatesNothing)
{
    ScratchDir scratch;
    xpBaseStruct writer;
    RecordingSink sink;
    EXPECT_FALSE(writer.WriteBaseHeader(InitialConfiguration(), sink));
    EXPECT_FALSE(writer.WriteSkillsInclude(InitialConfiguration(), sink));
    ExpectWriteMessage(sink.messages, {ENOENT, ENOENT});
    EXPECT_TRUE(scratch.Listing().empty());
}

TEST(WriteFailure, TargetThatCannotBeReplacedStaysAndTheOtherFileIsStillWritten)
{
    ScratchDir scratch;
    fs::create_directories("tarnek/base.h");
    WriteBytes("tarnek/base.h/keep", "kept");
    xpBaseStruct writer;
    RecordingSink sink;
    EXPECT_FALSE(writer.WriteBaseHeader(InitialConfiguration(), sink));
    EXPECT_TRUE(writer.WriteSkillsInclude(InitialConfiguration(), sink));
    ExpectWriteMessage(sink.messages, {EISDIR});
    EXPECT_EQ(ReadBytes("tarnek/base.h/keep"), "kept");
    EXPECT_EQ(scratch.Listing(),
              (std::vector<std::string>{"tarnek", "tarnek/base.h", "tarnek/base.h/keep", "tarnek/skills.inl"}));
}

// A file size limit stops the write half-way, as a full disk would.
TEST(WriteFailure, WriteCutShortLeavesThePreviousFileUntouched)
{
    ScratchDir scratch;
    fs::create_directory("tarnek");
    WriteBytes("tarnek/base.h", "// the previous base.h\r\n");
    xpBaseStruct writer;
    RecordingSink sink;

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit capped = previous;
    capped.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &capped), 0);
    const bool written = writer.WriteBaseHeader(InitialConfiguration(), sink);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    ExpectWriteMessage(sink.messages, {EFBIG});
    EXPECT_EQ(ReadBytes("tarnek/base.h"), "// the previous base.h\r\n");
    EXPECT_EQ(scratch.Listing(), (std::vector<std::string>{"tarnek", "tarnek/base.h"}));
}

}  // namespace
