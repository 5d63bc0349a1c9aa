#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "CTarnekChangeLevelApp.h"
#include "CTarnekChangeLevelDlg.h"
#include "Descriptors.h"
#include "DialogUnits.h"
#include "GridOperations.h"
#include "InitialConfiguration.h"
#include "LevelCombo.h"
#include "MainWindowCurves.h"
#include "SkillDialogLauncher.h"
#include "UserMessageBox.h"
#include "WebAddress.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekEditCtrl.h"
#include "vloxBuildTarnekStruct.h"

namespace fs = std::filesystem;

namespace {

struct RecordingSink final : MessageSink {
    std::vector<Message> messages;
    void Show(const Message& message) override { messages.push_back(message); }
};

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// A fresh plugin folder holding only tarnek/, made the current directory for the test.
class PluginFolder final {
public:
    PluginFolder() : previous_(QDir::currentPath())
    {
        QDir(dir_.path()).mkdir(QStringLiteral("tarnek"));
        QDir::setCurrent(dir_.path());
    }
    ~PluginFolder() { QDir::setCurrent(previous_); }
    PluginFolder(const PluginFolder&) = delete;
    PluginFolder& operator=(const PluginFolder&) = delete;

    fs::path path() const { return fs::path(dir_.path().toStdString()); }
    fs::path database() const { return path() / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.mdb"; }
    fs::path baseHeader() const { return path() / "tarnek" / "base.h"; }
    fs::path skillsInclude() const { return path() / "tarnek" / "skills.inl"; }

    // What a second reader finds in the database now.
    tarnekArrayStruct Stored() const
    {
        RecordingSink sink;
        vloxBuildTarnekStruct db(sink);
        tarnekArrayStruct model;
        if (db.OpenDatabase())
            db.LoadAll(model);
        db.CloseDatabase();
        return model;
    }

private:
    QTemporaryDir dir_;
    QString previous_;
};

ValueList Row(const CTarnekChangeLevelDlg& dialog, int code)
{
    return GridRow(dialog.grid(code));
}

ValueList Headings(const QTableWidget* grid)
{
    ValueList headings;
    for (int i = 0; i < grid->columnCount(); ++i)
        headings.append(grid->horizontalHeaderItem(i)->text().toStdString());
    return headings;
}

ValueList Numbers(int from, int to)
{
    ValueList list;
    for (int i = from; i <= to; ++i)
        list.append(std::to_string(i));
    return list;
}

void SetBox(QLineEdit* box, const QString& text)
{
    box->selectAll();
    box->del();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// base.h and skills.inl as the writers make them from this model, read back as bytes.
std::pair<std::string, std::string> ExpectedSources(const tarnekArrayStruct& model, const PluginFolder& folder)
{
    const fs::path asWritten = folder.path() / "written";
    fs::create_directory(asWritten);
    fs::rename(folder.baseHeader(), asWritten / "base.h");
    fs::rename(folder.skillsInclude(), asWritten / "skills.inl");
    RecordingSink sink;
    xpBaseStruct writer;
    writer.WriteBaseHeader(model, sink);
    writer.WriteSkillsInclude(model, sink);
    std::pair<std::string, std::string> expected{ReadBytes(folder.baseHeader()), ReadBytes(folder.skillsInclude())};
    fs::rename(asWritten / "base.h", folder.baseHeader());
    fs::rename(asWritten / "skills.inl", folder.skillsInclude());
    return expected;
}

bool SameLists(const tarnekArrayStruct& a, const tarnekArrayStruct& b)
{
    for (const ListDescriptor& list : ValueLists()) {
        if (!(a.*list.list == b.*list.list))
            return false;
    }
    return a.levelCountText == b.levelCountText;
}

}  // namespace

class TestApp final : public QObject {
    Q_OBJECT

private slots:
    void init() { UserMessageBox::SetUnattended(true); }
    void cleanup() { UserMessageBox::SetUnattended(false); }

    void startsOnAFreshFolderWithTheCarriedConfiguration()
    {
        PluginFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
        QVERIFY(dialog.initialised());
        QVERIFY(fs::exists(folder.database()));

        const tarnekArrayStruct initial = InitialConfiguration();
        for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code) {
            QCOMPARE(Headings(dialog.grid(code)), Numbers(0, 10));
            QCOMPARE(dialog.grid(code)->rowCount(), 1);
            QCOMPARE(dialog.grid(code)->columnWidth(10), 50);
            QCOMPARE(Row(dialog, code), initial.*ValueLists()[static_cast<std::size_t>(code)].list);
        }
        QCOMPARE(dialog.levelCombo()->count(), 31);
        QCOMPARE(dialog.levelCombo()->itemText(30), QStringLiteral("100"));
        QCOMPARE(dialog.levelCombo()->currentIndex(), 0);
        QCOMPARE(dialog.levelCombo()->currentText(), QStringLiteral("10"));
        const QStringList boxes{"500", "0", "2", "400", "5", "10", "2", "6"};
        for (int i = 0; i < CTarnekChangeLevelDlg::kXpParameters; ++i)
            QCOMPARE(dialog.parameterBox(i)->text(), boxes[i]);
        QCOMPARE(dialog.model().maxLevels, 10);
        QCOMPARE(dialog.model().skillLevels, 3);
        QVERIFY(dialog.compileButton()->isEnabled());
        for (int tier = 1; tier <= 4; ++tier)
            QCOMPARE(dialog.skillButton(tier)->isEnabled(), HasSkillDialogs());
        // Nothing is written before the user asks for it.
        QVERIFY(!fs::exists(folder.baseHeader()));
    }

    void windowHoldsTheTemplatesControlsInPlace()
    {
        PluginFolder folder;
        CTarnekChangeLevelDlg dialog;
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("Редактор уровней мода VLOX Tarnek MOD для Counter-Strike 1.6 (Версия 3.0)"));
        QStringList frames;
        for (const QGroupBox* box : dialog.findChildren<QGroupBox*>())
            frames.append(box->title());
        for (const char* title : {"Не сохраняемые XP (kq4_save_xp 0)", "Сохраняемые XP (kq4_save_xp 1)",
                                  "Не сохраняемые XP за убийство (kq4_save_xp 0)",
                                  "Сохраняемые XP за убийство (kq4_save_xp 1)", "Количество уровней",
                                  "Настройка скилов", "Посетите сайт:"})
            QCOMPARE(frames.count(QString::fromUtf8(title)), 1);
        QCOMPARE(frames.count(QStringLiteral("Приращение:")), 3);
        QCOMPARE(frames.count(QStringLiteral("Множитель:")), 1);
        QCOMPARE(frames.count(QStringLiteral("Исходное:")), 4);

        QStringList buttons;
        for (const QPushButton* button : dialog.findChildren<QPushButton*>())
            buttons.append(button->text());
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"", "", "", "", "Выход", "Компилировать плагин", "Скилы 1 уровня", "Скилы 2 уровня",
                                       "Скилы 3 уровня", "Скилы 4 уровня", "Создать уровни"}));
        QVERIFY(dialog.link()->text().contains(QStringLiteral("Официальный сайт")));
        QVERIFY(dialog.link()->text().contains(SiteAddress()));

        const DialogUnits units{QFontMetrics(dialog.font())};
        QCOMPARE(MainWindowForm(dialog)->size(), units.Map(0, 0, 850, 305).size());
        QCOMPARE(dialog.grid(1)->geometry(), units.Map(82, 75, 757, 35));
        QCOMPARE(dialog.parameterBox(3)->geometry(), units.Map(13, 99, 40, 14));
        QCOMPARE(dialog.fillButton(3)->geometry(), units.Map(63, 197, 16, 16));
        QCOMPARE(dialog.exitButton()->geometry(), units.Map(460, 271, 50, 20));
        for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code) {
            QCOMPARE(dialog.fillButton(code)->iconSize(), QSize(16, 16));
            QVERIFY(!dialog.fillButton(code)->icon().isNull());
        }
        QVERIFY(!dialog.windowIcon().isNull());
        QCOMPARE(dialog.parameterBox(0)->alignment(), Qt::AlignCenter);
    }

    void dialogUnitsFollowTheFont()
    {
        const DialogUnits units(6, 13);
        QCOMPARE(units.Map(82, 17, 758, 35), QRect(123, 28, 1137, 57));
        QCOMPARE(units.Map(0, 0, 850, 305).size(), QSize(1275, 496));
    }

    void onlyDigitsCanBeTypedExceptIntoTheMultiplier()
    {
        PluginFolder folder;
        CTarnekChangeLevelDlg dialog;
        SetBox(dialog.parameterBox(0), QStringLiteral("1a-2.5б"));
        QCOMPARE(dialog.parameterBox(0)->text(), QStringLiteral("125"));
        SetBox(dialog.parameterBox(2), QStringLiteral("x-2.5б"));
        QCOMPARE(dialog.parameterBox(2)->text(), QStringLiteral("x-2.5б"));
    }

    void storedCountSelectsItsItem_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("10, though 100 begins with it") << "10" << 0;
        QTest::newRow("13") << "13" << 1;
        QTest::newRow("97") << "97" << 29;
        QTest::newRow("100") << "100" << 30;
        // A prefix search: a stored "7" finds "73", the first item that begins with it.
        QTest::newRow("7 finds 73") << "7" << 21;
        QTest::newRow("07 begins no item") << "07" << -1;
        QTest::newRow("leading space") << " 10" << -1;
        QTest::newRow("101") << "101" << -1;
    }

    void storedCountSelectsItsItem()
    {
        QFETCH(QString, stored);
        QFETCH(int, index);
        QCOMPARE(LevelCountIndex(LevelCountItems(), stored), index);
    }

    void xpFillComputesShowsAndSaves()
    {
        PluginFolder folder;
        CTarnekChangeLevelDlg dialog;
        // A hand edit elsewhere reaches the model with the fill's ReadGrids.
        dialog.grid(2)->item(0, 4)->setText(QStringLiteral("31"));
        SetBox(dialog.parameterBox(2), QStringLiteral("2"));
        SetBox(dialog.parameterBox(3), QStringLiteral("400"));
        QTest::mouseClick(dialog.fillButton(1), Qt::LeftButton);
        QVERIFY(UserMessageBox::TakeShown().isEmpty());

        const ValueList expected{"400", "2400", "4800", "8000", "12000", "16800", "22400", "28800", "36000", "44000", "52800"};
        QCOMPARE(dialog.model().xpLevelSaved, expected);
        QCOMPARE(Row(dialog, 1), expected);
        QCOMPARE(dialog.grid(1)->columnWidth(10), std::max(50, QFontMetrics(dialog.grid(1)->font()).horizontalAdvance("52800") + 15));
        QCOMPARE(dialog.model().xpGivenShortTerm.at(4), std::string("31"));

        const tarnekArrayStruct stored = folder.Stored();
        QCOMPARE(stored.xpLevelSaved, expected);
        QCOMPARE(stored.xpGivenShortTerm.at(4), std::string("31"));
        QVERIFY(ReadBytes(folder.baseHeader()).find(xpBaseStruct::BuildArrayInitializer(expected)) != std::string::npos);
        const auto [baseHeader, skillsInclude] = ExpectedSources(dialog.model(), folder);
        QCOMPARE(ReadBytes(folder.baseHeader()), baseHeader);
        QCOMPARE(ReadBytes(folder.skillsInclude()), skillsInclude);
    }

    void xpFillWithAnotherCountChangesOnlyItsTable()
    {
        PluginFolder folder;
        CTarnekChangeLevelDlg dialog;
        dialog.levelCombo()->setCurrentIndex(1);
        SetBox(dialog.parameterBox(2), QStringLiteral("abc"));
        QTest::mouseClick(dialog.fillButton(1), Qt::LeftButton);

        QCOMPARE(dialog.model().levelCountText, std::string("13"));
        QCOMPARE(dialog.model().maxLevels, 13);
        QCOMPARE(dialog.model().skillLevels, 3);
        QCOMPARE(dialog.model().xpLevelSaved.size(), std::size_t{14});
        QCOMPARE(dialog.grid(1)->columnCount(), 14);
        // Multiplier "abc" reads as 0: v[i] = (i+1)·I·(M+i) = 14·400·13.
        QCOMPARE(dialog.model().xpLevelSaved.at(13), std::string("72800"));
        QCOMPARE(dialog.model().xpLevelShortTerm.size(), std::size_t{11});
        QCOMPARE(dialog.grid(0)->columnCount(), 11);
        QCOMPARE(folder.Stored().levelCountText, std::string("13"));
    }

    void levelChangeRecomputesEverythingAndSaves()
    {
        PluginFolder folder;
        CTarnekChangeLevelDlg dialog;
        dialog.model().devotionValue = "17";
        dialog.levelCombo()->setCurrentIndex(1);
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(dialog.createLevelsButton(), Qt::LeftButton);

        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("\n Все параметры при изменение количества уровней будут пересчитаны!"));
        QCOMPARE(shown[0].caption, QStringLiteral("Запрос на изменение уровней"));
        QCOMPARE(shown[0].icon, QMessageBox::Information);
        QCOMPARE(shown[0].buttons, QMessageBox::Yes | QMessageBox::No);

        const tarnekArrayStruct& model = dialog.model();
        QCOMPARE(model.maxLevels, 13);
        QCOMPARE(model.skillLevels, 4);
        for (const ListDescriptor& list : ValueLists()) {
            const bool perLevel = list.tier == Tier::Xp || list.tier == Tier::Four;
            QCOMPARE((model.*list.list).size(), std::size_t{perLevel ? 14u : 4u});
        }
        QCOMPARE(model.devotionValue, std::string("17"));
        for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code) {
            QCOMPARE(Headings(dialog.grid(code)), Numbers(0, 13));
            QCOMPARE(Row(dialog, code), model.*ValueLists()[static_cast<std::size_t>(code)].list);
        }

        QVERIFY(SameLists(folder.Stored(), model));
        const auto [baseHeader, skillsInclude] = ExpectedSources(model, folder);
        QCOMPARE(ReadBytes(folder.baseHeader()), baseHeader);
        QCOMPARE(ReadBytes(folder.skillsInclude()), skillsInclude);
    }

    void levelChangeAnsweredNoChangesNothing()
    {
        PluginFolder folder;
        CTarnekChangeLevelDlg dialog;
        const std::string databaseBefore = ReadBytes(folder.database());
        const tarnekArrayStruct before = dialog.model();
        dialog.levelCombo()->setCurrentIndex(30);
        UserMessageBox::SetNextAnswer(QMessageBox::No);
        QTest::mouseClick(dialog.createLevelsButton(), Qt::LeftButton);

        QCOMPARE(UserMessageBox::TakeShown().size(), 1);
        for (const ListDescriptor& list : ValueLists())
            QVERIFY(dialog.model().*list.list == before.*list.list);
        QCOMPARE(dialog.grid(0)->columnCount(), 11);
        QCOMPARE(ReadBytes(folder.database()), databaseBefore);
        QVERIFY(!fs::exists(folder.baseHeader()));
    }

    void storedCountWithoutItemIsRefused()
    {
        PluginFolder folder;
        {
            RecordingSink sink;
            vloxBuildTarnekStruct db(sink);
            QVERIFY(db.OpenDatabase());
            QVERIFY(db.UpdateValue(std::string(LevelCountValue().table), std::string(LevelCountValue().column), "07"));
            db.CloseDatabase();
        }
        CTarnekChangeLevelDlg dialog;
        QCOMPARE(dialog.levelCombo()->currentIndex(), -1);
        const std::string databaseBefore = ReadBytes(folder.database());
        QTest::mouseClick(dialog.createLevelsButton(), Qt::LeftButton);

        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Нельзя ставить ниже 10 уровня."));
        QCOMPARE(shown[0].caption, QStringLiteral("Отказ в создании уровней"));
        QCOMPARE(shown[0].icon, QMessageBox::Information);
        QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(dialog.model().levelCountText, std::string("07"));
        QCOMPARE(ReadBytes(folder.database()), databaseBefore);
        QVERIFY(!fs::exists(folder.baseHeader()));
    }

    void fillWithoutSelectedCountKeepsTheStoredCount()
    {
        PluginFolder folder;
        {
            RecordingSink sink;
            vloxBuildTarnekStruct db(sink);
            QVERIFY(db.OpenDatabase());
            QVERIFY(db.UpdateValue(std::string(LevelCountValue().table), std::string(LevelCountValue().column), "11"));
            db.CloseDatabase();
        }
        CTarnekChangeLevelDlg dialog;
        QCOMPARE(dialog.levelCombo()->currentIndex(), -1);
        QTest::mouseClick(dialog.fillButton(0), Qt::LeftButton);
        QCOMPARE(dialog.model().levelCountText, std::string("11"));
        QCOMPARE(dialog.model().xpLevelShortTerm.size(), std::size_t{12});
        QCOMPARE(folder.Stored().levelCountText, std::string("11"));
    }

    void compileSavesDeletesThePluginAndStartsTheCompiler()
    {
        PluginFolder folder;
        const fs::path amxx = folder.path() / "compiled" / "vloxTarnekMod.amxx";
        WriteBytes(amxx, "old plugin");
        WriteBytes(folder.baseHeader(), "old");
        WriteBytes(folder.skillsInclude(), "old");
        // The stand-in records how it was started and what it found.
        WriteBytes(folder.path() / "compile.sh",
                   "#!/bin/sh\n"
                   "cp tarnek/base.h seen-base.h\n"
                   "cp tarnek/skills.inl seen-skills.inl\n"
                   "if [ -e compiled/vloxTarnekMod.amxx ]; then p=present; else p=absent; fi\n"
                   "printf '%s\\n%s\\n%s\\n' \"$(pwd)\" \"$#\" \"$p\" > ran.tmp && mv ran.tmp ran.txt\n");
        fs::permissions(folder.path() / "compile.sh", fs::perms::owner_all);

        CTarnekChangeLevelDlg dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // A cell committed with Enter reaches base.h through the compile alone.
        tarnekBaseListCtrl* grid = dialog.grid(0);
        const QPoint cell = grid->visualRect(grid->model()->index(0, 3)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
        auto* editor = qobject_cast<tarnekEditCtrl*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, "1234");
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);

        QTRY_VERIFY_WITH_TIMEOUT(fs::exists(folder.path() / "ran.txt"), 10000);
        const QString dir = QDir(QString::fromStdString(folder.path().string())).canonicalPath();
        QCOMPARE(QString::fromStdString(ReadBytes(folder.path() / "ran.txt")), dir + "\n0\nabsent\n");
        QVERIFY(!fs::exists(amxx));
        QCOMPARE(dialog.model().xpLevelShortTerm.at(3), std::string("1234"));
        const auto [baseHeader, skillsInclude] = ExpectedSources(dialog.model(), folder);
        QCOMPARE(ReadBytes(folder.path() / "seen-base.h"), baseHeader);
        QCOMPARE(ReadBytes(folder.path() / "seen-skills.inl"), skillsInclude);
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(3), std::string("1234"));
    }

    void failedStartShowsTheErrorAndDisablesSaving()
    {
        PluginFolder folder;
        const std::string notADatabase(4096, 'x');
        WriteBytes(folder.database(), notADatabase);

        CTarnekChangeLevelDlg dialog;
        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(!shown[0].text.isEmpty());
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QVERIFY(!dialog.initialised());

        for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code) {
            QVERIFY(!dialog.fillButton(code)->isEnabled());
            QCOMPARE(dialog.grid(code)->columnCount(), 0);
        }
        for (int tier = 1; tier <= 4; ++tier)
            QVERIFY(!dialog.skillButton(tier)->isEnabled());
        QVERIFY(!dialog.createLevelsButton()->isEnabled());
        QVERIFY(!dialog.compileButton()->isEnabled());
        QVERIFY(dialog.exitButton()->isEnabled());
        QCOMPARE(dialog.levelCombo()->count(), 0);

        // Even driven directly, nothing writes.
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        dialog.OnFillXp(0);
        dialog.OnCreateLevels();
        dialog.CompilePlugin();
        QCOMPARE(ReadBytes(folder.database()), notADatabase);
        QVERIFY(!fs::exists(folder.baseHeader()));
    }

    void enterAndEscapeKeepTheWindowOpenAndExitSavesNothing()
    {
        PluginFolder folder;
        CTarnekChangeLevelDlg dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QSignalSpy finished(&dialog, &QDialog::finished);
        for (QWidget* w : {static_cast<QWidget*>(dialog.createLevelsButton()), static_cast<QWidget*>(dialog.compileButton()),
                           static_cast<QWidget*>(dialog.parameterBox(0)), static_cast<QWidget*>(dialog.levelCombo())}) {
            w->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(w, key);
        }
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
        QCOMPARE(finished.count(), 0);
        QVERIFY(!fs::exists(folder.baseHeader()));

        dialog.grid(0)->item(0, 0)->setText(QStringLiteral("5"));
        QTest::mouseClick(dialog.exitButton(), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!fs::exists(folder.baseHeader()));
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(0), std::string("0"));
    }

    void skillButtonsRunTheirTiersDialog()
    {
        if (!HasSkillDialogs())
            QSKIP("built without the skill dialogs");
        PluginFolder folder;
        CTarnekChangeLevelDlg dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const QStringList captions{"Настройка скилов первого уровня", "Настройка скилов второго уровня",
                                   "Настройка скилов третьего уровня", "Настройка скилов четвертого уровня"};
        for (int tier = 1; tier <= 4; ++tier) {
            QString seen;
            QTimer::singleShot(0, &dialog, [&seen] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    seen = modal->windowTitle();
                    modal->close();
                }
            });
            QTest::mouseClick(dialog.skillButton(tier), Qt::LeftButton);
            QCOMPARE(seen, captions[tier - 1]);
        }
        QVERIFY(dialog.isVisible());
    }

    void numbersStayInTheCLocaleAndQtSpeaksRussian()
    {
        if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr)
            QSKIP("ru_RU.UTF-8 is not installed");
        QTranslator translator;
        PrepareApplication(*qApp, translator);
        char text[16];
        std::snprintf(text, sizeof text, "%.3f", 0.5);
        QCOMPARE(QByteArray(text), QByteArray("0.500"));
        QVERIFY(!translator.isEmpty());
        QCoreApplication::removeTranslator(&translator);
        std::setlocale(LC_ALL, "C");
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
