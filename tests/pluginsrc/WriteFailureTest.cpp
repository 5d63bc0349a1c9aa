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

const fs::path kData = TARNEK_PLUGINSRC_TEST_DATA;

void ExpectWriteMessage(const Message& message, int errorCode)
{
    EXPECT_EQ(message.text, "Не может записать в файл (ошибка " + std::to_string(errorCode) + ")\n");
    EXPECT_EQ(message.caption, "Ошибка");
    EXPECT_EQ(message.icon, MessageIcon::Error);
}

// Caps the size of files this process may write, as a full disk would, for one scope.
class FileSizeLimit final {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit capped = previous_;
        capped.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &capped) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

TEST(WriteFailure, MissingTarnekFolderGivesOneMessagePerFileAndCreatesNothing)
{
    ScratchDir scratch;
    xpBaseStruct writer;
    RecordingSink sink;
    const tarnekArrayStruct model = InitialConfiguration();

    EXPECT_FALSE(writer.WriteBaseHeader(model, sink));
    EXPECT_FALSE(writer.WriteSkillsInclude(model, sink));

    ASSERT_EQ(sink.messages.size(), 2u);
    ExpectWriteMessage(sink.messages[0], ENOENT);
    ExpectWriteMessage(sink.messages[1], ENOENT);
    EXPECT_TRUE(scratch.Listing().empty());
    EXPECT_EQ(writer.skillsIncludePath, scratch.path() / "tarnek" / "skills.inl");
}

TEST(WriteFailure, TargetThatCannotBeReplacedStaysAndTheOtherFileIsStillWritten)
{
    ScratchDir scratch;
    fs::create_directories("tarnek/base.h");
    WriteBytes("tarnek/base.h/keep", "kept");
    xpBaseStruct writer;
    RecordingSink sink;
    const tarnekArrayStruct model = InitialConfiguration();

    EXPECT_FALSE(writer.WriteBaseHeader(model, sink));
    EXPECT_TRUE(writer.WriteSkillsInclude(model, sink));

    ASSERT_EQ(sink.messages.size(), 1u);
    ExpectWriteMessage(sink.messages[0], EISDIR);
    EXPECT_EQ(ReadBytes("tarnek/base.h/keep"), "kept");
    EXPECT_EQ(ReadBytes("tarnek/skills.inl"), ReadBytes(kData / "skills.inl"));
    EXPECT_EQ(scratch.Listing(),
              (std::vector<std::string>{"tarnek", "tarnek/base.h", "tarnek/base.h/keep", "tarnek/skills.inl"}));
}

TEST(WriteFailure, WriteCutShortLeavesThePreviousFileUntouched)
{
    ScratchDir scratch;
    fs::create_directory("tarnek");
    const std::string previous = "// the previous base.h\r\n";
    WriteBytes("tarnek/base.h", previous);
    xpBaseStruct writer;
    RecordingSink sink;
    const tarnekArrayStruct model = InitialConfiguration();
    {
        FileSizeLimit fullDisk(64);
        ASSERT_TRUE(fullDisk.active());
        EXPECT_FALSE(writer.WriteBaseHeader(model, sink));
    }
    ASSERT_EQ(sink.messages.size(), 1u);
    ExpectWriteMessage(sink.messages[0], EFBIG);
    EXPECT_EQ(ReadBytes("tarnek/base.h"), previous);
    EXPECT_EQ(scratch.Listing(), (std::vector<std::string>{"tarnek", "tarnek/base.h"}));

    // The same writer succeeds once there is room again.
    EXPECT_TRUE(writer.WriteBaseHeader(model, sink));
    EXPECT_EQ(ReadBytes("tarnek/base.h"), ReadBytes(kData / "base.h"));
}

}  // namespace
