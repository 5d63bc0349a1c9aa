#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include "session/EditingSession.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WrittenSources.h"

namespace {

const std::size_t kXpLevelSaved = *FindList("xpLevelSaved");
const std::size_t kVampiric = *FindList("vampiricList");

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder.path() / "tarnek");
        ASSERT_TRUE(session.Open());
    }
    // What the database holds, read by a session of its own.
    tarnekArrayStruct Stored()
    {
        RecordingSink quiet;
        EditingSession other(quiet);
        EXPECT_TRUE(other.Open());
        return other.configuration();
    }
    // Both sources are as they are written from `configuration`.
    void ExpectSourcesOf(const tarnekArrayStruct& configuration)
    {
        EXPECT_EQ(std::pair(ReadBytes(folder.baseHeader()), ReadBytes(folder.skillsInclude())),
                  WrittenSources(configuration));
    }

    TestFolder folder;
    RecordingSink sink;
    EditingSession session{sink};
};

TEST_F(SessionTest, EveryEditTakesBackAndReappliesExactly)
{
    const tarnekArrayStruct opened = session.configuration();
    EXPECT_EQ(opened, OpenedInitialConfiguration());

    std::vector<ConfigurationEdit> edits;
    // A run of cells past the list's end keeps what fits; an unchanged text is no edit.
    edits.push_back(session.SetCells(kXpLevelSaved, 9, {"a", "b", "c"}));
    ASSERT_EQ(edits.back().lists.size(), 1u);
    EXPECT_EQ(edits.back().lists[0].after, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(session.SetCells(kXpLevelSaved, 9, {"a"}).empty());
    EXPECT_TRUE(session.SetCells(kXpLevelSaved, 11, {"x"}).empty());
    edits.push_back(session.SetTexts({{&tarnekArrayStruct::evasionMaxChance, "7"}}));
    edits.push_back(session.Fill(kVampiric, {{&tarnekArrayStruct::vampiricIncrement, "0.5"}}));
    EXPECT_EQ(session.configuration().vampiricList, ValueList({"0.5", "1.0", "1.5"}));
    edits.push_back(session.ChangeLevelCount({{&tarnekArrayStruct::levelCountText, "13"}}));
    EXPECT_EQ(session.configuration().xpLevelSaved.size(), 14u);
    EXPECT_EQ(session.configuration().vampiricList.size(), 4u);
    EXPECT_EQ(session.configuration().skillLevels, 4);

    std::vector<tarnekArrayStruct> states;
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
        states.push_back(session.configuration());
        session.Revert(*edit);
    }
    EXPECT_EQ(session.configuration(), opened);
    for (const ConfigurationEdit& edit : edits) {
        session.Apply(edit);
        EXPECT_EQ(session.configuration(), states.back());
        states.pop_back();
    }
}

// Whatever shows the configuration follows these: each change once, with what it touched.
TEST_F(SessionTest, EveryChangeIsAnnouncedOnceWithWhatItTouched)
{
    struct Heard final : SessionListener {
        std::vector<std::pair<ChangeCause, std::vector<std::size_t>>> changes;
        int stored = 0;
        void ConfigurationChanged(const ConfigurationEdit& edit, ChangeCause cause) override
        {
            std::vector<std::size_t> lists;
            for (const ListChange& change : edit.lists)
                lists.push_back(change.list);
            changes.emplace_back(cause, lists);
        }
        void StoredChanged() override { ++stored; }
    } heard;
    session.AddListener(&heard);

    const ConfigurationEdit cell = session.SetCells(kXpLevelSaved, 1, {"5"});
    session.SetCells(kXpLevelSaved, 1, {"5"});        // changes nothing
    session.SetCells(kXpLevelSaved, 2, {"1\"\n#x"});  // refused
    session.Revert(cell);
    session.Apply(cell);
    session.SetTexts({{&tarnekArrayStruct::evasionMaxChance, "7"}});
    using Cause = ChangeCause;
    const std::vector<std::pair<Cause, std::vector<std::size_t>>> expected{{Cause::Edit, {kXpLevelSaved}},
                                                                           {Cause::Undo, {kXpLevelSaved}},
                                                                           {Cause::Redo, {kXpLevelSaved}},
                                                                           {Cause::Edit, {}}};
    EXPECT_EQ(heard.changes, expected);
    EXPECT_EQ(heard.stored, 0);

    ASSERT_EQ(session.Save(SaveScope::Everything()).outcome, SaveOutcome::Saved);
    EXPECT_EQ(heard.stored, 1);
    session.SetCells(kVampiric, 0, {"9"});
    heard.changes.clear();
    ASSERT_TRUE(session.Reload());
    EXPECT_EQ(heard.changes, (decltype(expected){{Cause::ReadAgain, {kVampiric}}}));
    EXPECT_EQ(heard.stored, 2);
    session.RemoveListener(&heard);
}

TEST_F(SessionTest, UnsavedUntilSavedAndAgainWhenASavedEditIsTakenBack)
{
    EXPECT_FALSE(session.IsUnsaved());
    const ConfigurationEdit fill = session.Fill(0, {{&tarnekArrayStruct::xpLevelShortTermIncrement, "700"}});
    EXPECT_TRUE(session.IsUnsaved());
    // A chance is stored normalised; the text as typed is not "unsaved" for that.
    session.SetTexts({{&tarnekArrayStruct::orbMaxChance, "0"}});

    const SaveReport saved = session.Save(SaveScope::Everything());
    EXPECT_EQ(saved.outcome, SaveOutcome::Saved);
    EXPECT_TRUE(saved.database && saved.baseHeader && saved.skillsInclude);
    EXPECT_FALSE(session.IsUnsaved());
    EXPECT_EQ(Stored().orbMaxChance, "1.0");
    EXPECT_EQ(session.configuration().orbMaxChance, "0");
    ExpectSourcesOf(session.configuration());

    session.Revert(fill);
    EXPECT_TRUE(session.IsUnsaved());
    EXPECT_EQ(session.Save(SaveScope::MainWindow()).outcome, SaveOutcome::Saved);
    EXPECT_FALSE(session.IsUnsaved());
    EXPECT_EQ(Stored().xpLevelShortTerm, InitialConfiguration().xpLevelShortTerm);
    EXPECT_TRUE(sink.messages.empty());
}

// The main window's save leaves the skill parameters to the skill dialogs; a skill
// dialog's save writes its own tier, and both sources as the database then holds them.
TEST_F(SessionTest, EachSaveWritesWhatItsWindowOwns)
{
    session.SetCells(kXpLevelSaved, 0, {"x"});
    session.SetCells(kVampiric, 0, {"v"});
    session.SetTexts({{&tarnekArrayStruct::vampiricIncrement, "9"}, {&tarnekArrayStruct::xpLevelSavedInitial, "8"}});

    const SaveReport tier = session.Save(SaveScope::OfTier(Tier::One, false));
    EXPECT_TRUE(tier.database && !tier.baseHeader && !tier.skillsInclude);
    EXPECT_FALSE(std::filesystem::exists(folder.baseHeader()));
    tarnekArrayStruct stored = Stored();
    EXPECT_EQ(stored.vampiricList.at(0), "v");
    EXPECT_EQ(stored.vampiricIncrement, "9");
    EXPECT_EQ(stored.xpLevelSaved.at(0), InitialConfiguration().xpLevelSaved.at(0));
    EXPECT_TRUE(session.IsUnsaved());

    // From the dialog both sources follow the database, without the window's unsaved "x".
    session.SetCells(kVampiric, 1, {"w"});
    const SaveReport dialog = session.Save(SaveScope::OfDialogTier(Tier::One));
    EXPECT_TRUE(dialog.database && dialog.baseHeader && dialog.skillsInclude);
    ExpectSourcesOf(Stored());
    EXPECT_EQ(Stored().vampiricList.at(1), "w");

    session.SetTexts({{&tarnekArrayStruct::vampiricIncrement, "7"}});
    EXPECT_EQ(session.Save(SaveScope::MainWindow()).outcome, SaveOutcome::Saved);
    stored = Stored();
    EXPECT_EQ(stored.xpLevelSaved.at(0), "x");
    EXPECT_EQ(stored.xpLevelSavedInitial, "8");
    EXPECT_EQ(stored.vampiricIncrement, "9");
    EXPECT_TRUE(session.IsUnsaved());  // the increment waits for its dialog's save
    ExpectSourcesOf(session.configuration());
}

TEST_F(SessionTest, ARolledBackSaveWritesNoSourceAndStaysUnsaved)
{
    SQLite::Database(folder.database(), SQLite::OPEN_READWRITE)
        .exec("ALTER TABLE \"Скилы 3 уровня\" RENAME TO \"Скилы 3\"");
    session.SetCells(kXpLevelSaved, 0, {"x"});
    const SaveReport report = session.Save(SaveScope::MainWindow());
    EXPECT_EQ(report.outcome, SaveOutcome::Failed);
    EXPECT_FALSE(report.database || report.baseHeader || report.skillsInclude);
    EXPECT_FALSE(std::filesystem::exists(folder.baseHeader()));
    EXPECT_FALSE(std::filesystem::exists(folder.skillsInclude()));
    EXPECT_TRUE(session.IsUnsaved());
    EXPECT_FALSE(sink.messages.empty());
}

// Two windows on one folder: the second save notices the first and loses nothing unless
// told to overwrite.
TEST_F(SessionTest, ASecondSessionsSaveNoticesTheFirst)
{
    RecordingSink otherSink;
    EditingSession other(otherSink);
    ASSERT_TRUE(other.Open());
    EXPECT_FALSE(session.ChangedElsewhere());

    other.SetCells(kXpLevelSaved, 1, {"theirs"});
    ASSERT_EQ(other.Save(SaveScope::MainWindow()).outcome, SaveOutcome::Saved);
    EXPECT_TRUE(session.ChangedElsewhere());
    EXPECT_FALSE(other.ChangedElsewhere());

    session.SetCells(kXpLevelSaved, 2, {"mine"});
    EXPECT_EQ(session.Save(SaveScope::MainWindow()).outcome, SaveOutcome::Conflict);
    EXPECT_EQ(Stored().xpLevelSaved.at(1), "theirs");
    EXPECT_TRUE(session.IsUnsaved());

    // A read-modify-write (the tool's way) keeps both.
    const SaveReport update = session.Update(SaveScope::MainWindow(), [](EditingSession& s) {
        s.SetCells(kXpLevelSaved, 3, {"also mine"});
        return true;
    });
    EXPECT_EQ(update.outcome, SaveOutcome::Saved);
    tarnekArrayStruct stored = Stored();
    EXPECT_EQ(stored.xpLevelSaved.at(1), "theirs");
    EXPECT_EQ(stored.xpLevelSaved.at(3), "also mine");

    // Overwriting is a choice; then the first notices in its turn.
    other.SetCells(kXpLevelSaved, 4, {"theirs again"});
    EXPECT_EQ(other.Save(SaveScope::MainWindow(), OnConflict::Overwrite).outcome, SaveOutcome::Saved);
    EXPECT_EQ(Stored().xpLevelSaved.at(3), InitialConfiguration().xpLevelSaved.at(3));
    EXPECT_TRUE(session.ChangedElsewhere());
    ASSERT_TRUE(session.Reload());
    EXPECT_EQ(session.configuration().xpLevelSaved.at(4), "theirs again");
    EXPECT_FALSE(session.IsUnsaved());
    EXPECT_TRUE(sink.messages.empty());
}

}  // namespace
