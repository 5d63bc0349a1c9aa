#include <algorithm>
#include <clocale>
#include <cstdio>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QUndoStack>
#include <QTimer>
#include <QTranslator>

#include "CTarnekChangeLevelApp.h"
#include "CTarnekChangeLevelDlg.h"
#include "CellMarking.h"
#include "CompilePane.h"
#include "ConfigurationJson.h"
#include "ConfigurationTransfer.h"
#include "ChartPane.h"
#include "CurveChart.h"
#include "widgets/DialogUnits.h"
#include "FileDialog.h"
#include "FolderDialog.h"
#include "GuiTestSupport.h"
#include "InitialConfiguration.h"
#include "LevelCombo.h"
#include "PluginFolderChoice.h"
#include "PluginSourceLoad.h"
#include "ProgressionChart.h"
#include "SkillDialogLauncher.h"
#include "ToolProcess.h"
#include "widgets/UserMessageBox.h"
#include "WebAddress.h"
#include "tarnekBaseListCtrl.h"
#include "vloxBuildTarnekStruct.h"

namespace fs = std::filesystem;

namespace {

const ValueList& XpList(const tarnekArrayStruct& model, int code)
{
    return model.*ValueLists()[static_cast<std::size_t>(code)].list;
}

// Headed "0" to the last level, one column each.
bool HeadedUpTo(const tarnekBaseListCtrl* grid, int last)
{
    for (int i = 0; i <= last; ++i) {
        if (grid->model()->headerData(i, Qt::Horizontal).toString() != QString::number(i))
            return false;
    }
    return grid->columnCount() == last + 1;
}

void SetBox(QLineEdit* box, const QString& text)
{
    box->selectAll();
    box->del();
    TypeText(box, text);
}

// The level count as a database from an earlier session holds it.
bool StoreLevelCount(const std::string& text)
{
    RecordingSink sink;
    vloxBuildTarnekStruct db(sink);
    const bool stored = db.OpenDatabase() && db.UpdateValue(std::string(LevelCountValue().table),
                                                            std::string(LevelCountValue().column), text);
    db.CloseDatabase();
    return stored;
}

// base.h and skills.inl as the writers make them from this model, read back as bytes.
std::pair<std::string, std::string> ExpectedSources(const tarnekArrayStruct& model, const ScratchFolder& folder)
{
    const fs::path asWritten = folder.fsPath() / "written";
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
    return std::all_of(ValueLists().begin(), ValueLists().end(),
                       [&](const ListDescriptor& list) { return a.*list.list == b.*list.list; });
}

void WriteSources(const tarnekArrayStruct& model)
{
    RecordingSink sink;
    xpBaseStruct writer;
    QVERIFY(writer.WriteBaseHeader(model, sink) && writer.WriteSkillsInclude(model, sink));
}

// The model a start on the carried database leaves in the window.
tarnekArrayStruct ExpectedAfterStart()
{
    tarnekArrayStruct model = InitialConfiguration();
    model.DeriveLevelCounts();
    return model;
}

bool ShowAndActivate(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QString StatusLine(const CTarnekChangeLevelDlg& dialog)
{
    return dialog.statusLine()->text();
}

}  // namespace

class TestApp final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QSettings().clear();
        UserMessageBox::SetUnattended(true);
    }
    void cleanup()
    {
        UserMessageBox::TakeShown();
        UserMessageBox::SetUnattended(false);
    }

    void startsOnAFreshFolderWithTheCarriedConfiguration()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
        QVERIFY(dialog.initialised());
        QVERIFY(fs::exists(folder.database()));

        const tarnekArrayStruct initial = InitialConfiguration();
        for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code) {
            QVERIFY(HeadedUpTo(dialog.grid(code), 10));
            QCOMPARE(dialog.grid(code)->rowCount(), 1);
            QVERIFY(dialog.grid(code)->showGrid());
            QCOMPARE(dialog.grid(code)->columnWidth(10), 50);
            QCOMPARE(Cells(dialog.grid(code)), Texts(XpList(initial, code)));
        }
        QCOMPARE(dialog.levelCombo()->count(), 31);
        QCOMPARE(dialog.levelCombo()->itemText(30), QStringLiteral("100"));
        QCOMPARE(dialog.levelCombo()->currentText(), QStringLiteral("10"));
        const QStringList boxes{"500", "0", "2", "400", "5", "10", "2", "6"};
        for (int i = 0; i < CTarnekChangeLevelDlg::kXpParameters; ++i)
            QCOMPARE(dialog.parameterBox(i)->text(), boxes[i]);
        QCOMPARE(dialog.model().maxLevels, 10);
        QCOMPARE(dialog.model().skillLevels, 3);
        QVERIFY(dialog.compileButton()->isEnabled());
        for (int tier = 1; tier <= 4; ++tier)
            QVERIFY(dialog.skillButton(tier)->isEnabled());
        // Nothing is written before the user asks for it.
        QVERIFY(!fs::exists(folder.baseHeader()));
    }

    void windowHoldsTheTemplatesControlsInPlace()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("Редактор уровней мода VLOX Tarnek MOD для Counter-Strike 1.6 (Версия 3.0)[*]"));
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
        for (const QPushButton* button : dialog.form()->findChildren<QPushButton*>())
            buttons.append(button->text());
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"", "", "", "", "Выход", "Загрузить из исходников плагина…", "Импорт настроек…",
                                       "Компилировать плагин", "Скилы 1 уровня", "Скилы 2 уровня", "Скилы 3 уровня",
                                       "Скилы 4 уровня", "Создать уровни", "Сохранить", "Экспорт настроек…"}));
        QVERIFY(dialog.link()->text().contains(QStringLiteral("Официальный сайт")));
        QVERIFY(dialog.link()->text().contains(SiteAddress()));

        const DialogUnits units{QFontMetrics(dialog.font())};
        QCOMPARE(dialog.form()->size(), units.Map(0, 0, 850, 305).size());
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

        // Dialog units: x by a quarter, y by an eighth of the font's average character size.
        QCOMPARE(DialogUnits(6, 13).Map(82, 17, 758, 35), QRect(123, 28, 1137, 57));
    }

    void storedCountSelectsItsItem_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("10, though 100 begins with it") << "10" << 0;
        QTest::newRow("13") << "13" << 1;
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
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        // A hand edit elsewhere is in the model at once and saved with the fill.
        dialog.grid(2)->model()->setData(Cell(dialog.grid(2), 4), QStringLiteral("31"));
        SetBox(dialog.parameterBox(2), QStringLiteral("2"));
        SetBox(dialog.parameterBox(3), QStringLiteral("4a-0.0б"));  // only the digits go in
        QTest::mouseClick(dialog.fillButton(1), Qt::LeftButton);
        QVERIFY(UserMessageBox::TakeShown().isEmpty());

        const ValueList expected{"400", "2400", "4800", "8000", "12000", "16800", "22400", "28800", "36000", "44000", "52800"};
        QCOMPARE(dialog.model().xpLevelSaved, expected);
        QCOMPARE(Cells(dialog.grid(1)), Texts(expected));
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

    void xpFillKeepsTheConfigurationsCountWhateverTheBoxShows()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        dialog.levelCombo()->setCurrentIndex(1);
        QCOMPARE(StatusLine(dialog), QStringLiteral("Выбрано уровней: 13, в конфигурации: 10. Выбор вступит в силу "
                                                    "только после «Создать уровни»; заливки используют 10."));
        SetBox(dialog.parameterBox(2), QStringLiteral("abc"));  // the multiplier box takes anything
        QTest::mouseClick(dialog.fillButton(1), Qt::LeftButton);
        QVERIFY(UserMessageBox::TakeShown().isEmpty());

        QCOMPARE(dialog.model().xpLevelSavedMultiplier, std::string("abc"));
        QCOMPARE(dialog.model().levelCountText, std::string("10"));
        // Multiplier "abc" reads as 0: v[i] = (i+1)·I·(M+i) = 11·400·10.
        QCOMPARE(dialog.model().xpLevelSaved.at(10), std::string("44000"));
        QCOMPARE(dialog.grid(1)->columnCount(), 11);
        QCOMPARE(folder.Stored().xpLevelSaved, dialog.model().xpLevelSaved);
        QCOMPARE(folder.Stored().levelCountText, std::string("10"));
        QVERIFY(StatusLine(dialog).startsWith(QStringLiteral("Выбрано уровней: 13")));

        dialog.levelCombo()->setCurrentIndex(0);
        QVERIFY(StatusLine(dialog).isEmpty());
    }

    // Once a compile has counted marked texts, the count follows the configuration.
    void markedCountFollowsEditsAndALevelChange()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(CommitCell(dialog.grid(2), 4, QStringLiteral("0,5")));
        QVERIFY(CommitCell(dialog.grid(2), 5, QStringLiteral("1O")));
        QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
        QVERIFY2(StatusLine(dialog).contains(QStringLiteral(": 2.")), qPrintable(StatusLine(dialog)));
        QVERIFY(CommitCell(dialog.grid(2), 5, QStringLiteral("10")));
        QVERIFY2(StatusLine(dialog).contains(QStringLiteral(": 1.")), qPrintable(StatusLine(dialog)));

        dialog.levelCombo()->setCurrentIndex(1);
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(dialog.createLevelsButton(), Qt::LeftButton);
        QCOMPARE(dialog.model().levelCountText, std::string("13"));
        QVERIFY2(StatusLine(dialog).isEmpty(), qPrintable(StatusLine(dialog)));
    }

    void levelChangeRecomputesEverythingAndSaves()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        dialog.session().SetTexts({{&tarnekArrayStruct::devotionValue, "17"}});
        dialog.levelCombo()->setCurrentIndex(1);
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(dialog.createLevelsButton(), Qt::LeftButton);
        QCOMPARE(UserMessageBox::TakeShown().size(), 1);

        const tarnekArrayStruct& model = dialog.model();
        QCOMPARE(model.maxLevels, 13);
        QCOMPARE(model.skillLevels, 4);
        for (const ListDescriptor& list : ValueLists()) {
            const bool perLevel = list.tier == Tier::Xp || list.tier == Tier::Four;
            QCOMPARE((model.*list.list).size(), std::size_t{perLevel ? 14u : 4u});
        }
        QCOMPARE(model.devotionValue, std::string("17"));
        for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code) {
            QVERIFY(HeadedUpTo(dialog.grid(code), 13));
            QCOMPARE(Cells(dialog.grid(code)), Texts(XpList(model, code)));
        }

        QVERIFY(SameLists(folder.Stored(), model));
        QCOMPARE(folder.Stored().levelCountText, std::string("13"));
        const auto [baseHeader, skillsInclude] = ExpectedSources(model, folder);
        QCOMPARE(ReadBytes(folder.baseHeader()), baseHeader);
        QCOMPARE(ReadBytes(folder.skillsInclude()), skillsInclude);
    }

    void levelChangeDeclinedOrRefusedChangesNothing_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("buttons");
        QTest::newRow("answered No") << "10" << "\n Все параметры при изменение количества уровней будут пересчитаны!"
                                     << "Запрос на изменение уровней" << int(QMessageBox::Yes | QMessageBox::No);
        QTest::newRow("stored count without an item") << "07" << "Нельзя ставить ниже 10 уровня."
                                                       << "Отказ в создании уровней" << int(QMessageBox::Ok);
        // Stored by another program: opens as stored, but is never recomputed for.
        QTest::newRow("stored count above the largest") << "100000" << "Нельзя ставить выше 100 уровня."
                                                         << "Отказ в создании уровней" << int(QMessageBox::Ok);
    }

    void levelChangeDeclinedOrRefusedChangesNothing()
    {
        QFETCH(QString, stored);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(int, buttons);
        ScratchFolder folder;
        QVERIFY(StoreLevelCount(stored.toStdString()));
        CTarnekChangeLevelDlg dialog;
        const std::string databaseBefore = ReadBytes(folder.database());
        const tarnekArrayStruct before = dialog.model();
        if (dialog.levelCombo()->currentIndex() >= 0)
            dialog.levelCombo()->setCurrentIndex(30);
        UserMessageBox::SetNextAnswer(QMessageBox::No);
        QTest::mouseClick(dialog.createLevelsButton(), Qt::LeftButton);

        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, text);
        QCOMPARE(shown[0].caption, caption);
        QCOMPARE(shown[0].icon, QMessageBox::Information);
        QCOMPARE(int(shown[0].buttons), buttons);
        QVERIFY(SameLists(dialog.model(), before));
        QCOMPARE(dialog.model().levelCountText, before.levelCountText);
        QCOMPARE(dialog.grid(0)->columnCount(), 11);
        QCOMPARE(ReadBytes(folder.database()), databaseBefore);
        QVERIFY(!fs::exists(folder.baseHeader()));
    }

    void fillWithoutSelectedCountKeepsTheStoredCount()
    {
        ScratchFolder folder;
        QVERIFY(StoreLevelCount("11"));
        CTarnekChangeLevelDlg dialog;
        QCOMPARE(dialog.levelCombo()->currentIndex(), -1);
        QTest::mouseClick(dialog.fillButton(0), Qt::LeftButton);
        QCOMPARE(dialog.model().levelCountText, std::string("11"));
        QCOMPARE(dialog.model().xpLevelShortTerm.size(), std::size_t{12});
        // The other lists still hold 10 levels' values: such a save is refused whole.
        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(QStringLiteral("(xpLevelSaved)")), qPrintable(shown[0].text));
        QCOMPARE(folder.Stored().xpLevelShortTerm, InitialConfiguration().xpLevelShortTerm);
    }

    void compileSavesDeletesThePluginAndStartsTheCompiler()
    {
        ScratchFolder folder;
        const fs::path amxx = folder.fsPath() / "compiled" / "vloxTarnekMod.amxx";
        WriteBytes(amxx, "old plugin");
        WriteBytes(folder.baseHeader(), "old");
        WriteBytes(folder.skillsInclude(), "old");
        // The stand-in records how it was started and what it found.
        WriteBytes(folder.fsPath() / "compile.sh",
                   "#!/bin/sh\n"
                   "cp tarnek/base.h seen-base.h\n"
                   "cp tarnek/skills.inl seen-skills.inl\n"
                   "if [ -e compiled/vloxTarnekMod.amxx ]; then p=present; else p=absent; fi\n"
                   "printf '%s\\n%s\\n%s\\n' \"$(pwd)\" \"$#\" \"$p\" > ran.tmp && mv ran.tmp ran.txt\n");
        fs::permissions(folder.fsPath() / "compile.sh", fs::perms::owner_all);

        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        // A cell committed with Enter reaches base.h through the compile alone.
        QVERIFY(CommitCell(dialog.grid(0), 3, QStringLiteral("1234")));
        QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);

        QTRY_VERIFY_WITH_TIMEOUT(fs::exists(folder.fsPath() / "ran.txt"), 10000);
        QCOMPARE(QString::fromStdString(ReadBytes(folder.fsPath() / "ran.txt")), folder.path() + "\n0\nabsent\n");
        QVERIFY(!fs::exists(amxx));
        QCOMPARE(dialog.model().xpLevelShortTerm.at(3), std::string("1234"));
        const auto [baseHeader, skillsInclude] = ExpectedSources(dialog.model(), folder);
        QCOMPARE(ReadBytes(folder.fsPath() / "seen-base.h"), baseHeader);
        QCOMPARE(ReadBytes(folder.fsPath() / "seen-skills.inl"), skillsInclude);
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(3), std::string("1234"));
    }

    void compileRunsBesideTheWindowAndLeadsErrorsToTheirCells()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        // The declaration line holds element 0, so the orb list's element 4 is four lines on.
        const std::string skills = xpBaseStruct::SkillsIncludeText(dialog.model());
        const auto orbLine = 1 + std::count(skills.begin(), skills.begin() + skills.find("p_orb["), '\n') + 4;
        WriteBytes(folder.fsPath() / "compile.sh",
                   "#!/bin/sh\n"
                   "echo 'base.h(17) : error 017: undefined symbol \"abc\"'\n"
                   "echo 'skills.inl(" + std::to_string(orbLine) + ") : error 213: tag mismatch'\n"
                   "i=0; while [ ! -e go ] && [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done\n"
                   "echo '2 Errors.'\n");
        fs::permissions(folder.fsPath() / "compile.sh", fs::perms::owner_all);

        QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
        CompilePane* pane = CompilePaneOf(dialog);
        QVERIFY(pane != nullptr && pane->isVisible());
        QVERIFY(pane->running());
        QVERIFY(!dialog.compileButton()->isEnabled());
        // The compiler still waits, yet its output is already shown.
        QTRY_VERIFY(pane->output()->toPlainText().contains(QStringLiteral("skills.inl(")));
        QVERIFY(pane->running());
        WriteBytes(folder.fsPath() / "go", "");
        QTRY_VERIFY_WITH_TIMEOUT(!pane->running(), 10000);
        QVERIFY(dialog.compileButton()->isEnabled());
        QCOMPARE(pane->headline()->text(), QStringLiteral("Компиляция не удалась: 2 ошибки"));
        QCOMPARE(pane->diagnostics()->count(), 2);
        QVERIFY(pane->diagnostics()->item(0)->text().endsWith(QStringLiteral("Сохраняемые XP (kq4_save_xp 1), уровень 3")));

        QListWidget* list = pane->diagnostics();
        DoubleClick(list->viewport(), list->visualItemRect(list->item(0)).center());
        QCOMPARE(dialog.grid(1)->currentIndex().column(), 3);
        int selected = -1;
        QTimer::singleShot(0, &dialog, [&selected] {
            if (auto* skills = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                for (auto* grid : skills->findChildren<tarnekBaseListCtrl*>())
                    if (grid->targetCode() == CodeOf("orbList"))
                        selected = grid->currentIndex().column();
                skills->reject();
            }
        });
        DoubleClick(list->viewport(), list->visualItemRect(list->item(1)).center());
        QCOMPARE(selected, 4);
    }

    void failedStartShowsTheErrorAndDisablesSaving()
    {
        ScratchFolder folder;
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
        QVERIFY(!ImportButton(dialog)->isEnabled() && !ExportButton(dialog)->isEnabled());
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
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
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

        // "Не сохранять" closes with nothing written.
        dialog.grid(0)->model()->setData(Cell(dialog.grid(0), 0), QStringLiteral("5"));
        UserMessageBox::SetNextAnswer(QMessageBox::Discard);
        QTest::mouseClick(dialog.exitButton(), Qt::LeftButton);
        QCOMPARE(UserMessageBox::TakeShown().size(), 1);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!fs::exists(folder.baseHeader()));
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(0), std::string("0"));
    }

    void skillButtonsRunTheirTiersDialog()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
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

    void chartFollowsTheXpGrids()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        CurveChart* chart = ChartPane::Of(dialog)->chart();
        QCOMPARE(chart->curveCount(), 4);
        for (int code = 0; code < 4; ++code)
            QCOMPARE(Plotted(*chart, code), PlotOf(XpList(dialog.model(), code)));

        // An XP fill with another multiplier.
        const ValueList before = dialog.model().xpLevelSaved;
        dialog.parameterBox(2)->setText(QStringLiteral("3"));
        QTest::mouseClick(dialog.fillButton(1), Qt::LeftButton);
        QVERIFY(dialog.model().xpLevelSaved != before);
        QTRY_COMPARE(Plotted(*chart, 1), PlotOf(dialog.model().xpLevelSaved));
        // The kills follow: (3200 - 400) XP at 6 XP a kill, rounded up.
        const ProgressionChart* progression = dialog.progression();
        QTRY_VERIFY(progression->steps(XpMode::Saved).at(0).total == 467);

        // Committed cells: a number moves its point, a typo makes a gap.
        QVERIFY(CommitCell(dialog.grid(0), 3, QStringLiteral("1234")));
        QVERIFY(CommitCell(dialog.grid(0), 5, QStringLiteral("1O")));
        QTRY_COMPARE(chart->curveSeries(0).size(), 2);
        QCOMPARE(Plotted(*chart, 0), PlotOf(dialog.model().xpLevelShortTerm));
        QVERIFY(Plotted(*chart, 0).contains(QPointF(3, 1234)));

        // The level-count change: 14 levels in every curve, no gap left.
        dialog.levelCombo()->setCurrentText(QStringLiteral("13"));
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(dialog.createLevelsButton(), Qt::LeftButton);
        QTRY_COMPARE(chart->curveTexts(0).size(), 14);
        for (int code = 0; code < 4; ++code) {
            QCOMPARE(Plotted(*chart, code), PlotOf(XpList(dialog.model(), code)));
            QCOMPARE(Plotted(*chart, code).size(), 14);
        }
        QCOMPARE(progression->steps(XpMode::ShortTerm).size(), std::size_t{13});
    }

    void marksReachNeitherTheDatabaseNorTheFiles()
    {
        ScratchFolder folder;
        {
            CTarnekChangeLevelDlg dialog;
            QVERIFY(ShowAndActivate(dialog));
            QVERIFY(StatusLine(dialog).isEmpty());
            QVERIFY(CommitCell(dialog.grid(2), 4, QStringLiteral("0,5")));
            const QModelIndex cell = Cell(dialog.grid(2), 4);
            QVERIFY(Tinted(cell, kRejectedTextTint));
            QVERIFY(ToolTip(cell).contains(QStringLiteral("Запятая")));

            QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
            QVERIFY2(StatusLine(dialog).contains(QStringLiteral(": 1.")), qPrintable(StatusLine(dialog)));
            QCOMPARE(folder.Stored().xpGivenShortTerm.at(4), std::string("0,5"));
            QVERIFY(ReadBytes(folder.baseHeader()).find("0,5") != std::string::npos);

            // Put right, the next compile (once this one has ended) notes nothing.
            QVERIFY(CommitCell(dialog.grid(2), 4, QStringLiteral("30")));
            QTRY_VERIFY(dialog.compileButton()->isEnabled());
            QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
            QCOMPARE(StatusLine(dialog), QStringLiteral("Сохранено: база данных, tarnek/base.h, tarnek/skills.inl"));
            QVERIFY(CommitCell(dialog.grid(2), 4, QStringLiteral("0,5")));
            QTRY_VERIFY(dialog.compileButton()->isEnabled());
            QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
        }
        // Opened again, the stored text is marked straight away.
        CTarnekChangeLevelDlg again;
        QCOMPARE(again.grid(2)->cellText(4), QStringLiteral("0,5"));
        QVERIFY(Tinted(Cell(again.grid(2), 4), kRejectedTextTint));
        QVERIFY(Unmarked(Cell(again.grid(2), 3)));
    }

    void fitsA1280x800Screen()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        dialog.FitToScreen(QRect(0, 0, 1280, 800));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.width() <= 1280);
        QVERIFY(dialog.height() <= 800);
        // The whole form is in view from top to bottom, the chart has room under it.
        const ChartPane* pane = ChartPane::Of(dialog);
        QVERIFY(pane->controlsArea()->viewport()->height() >= dialog.form()->height());
        QVERIFY(pane->chart()->height() >= 200);
        QVERIFY(pane->chart()->isVisible());
        QVERIFY(pane->chartSwitch()->isChecked());
        QVERIFY(dialog.compileButton()->isVisible());
    }

    void widerWindowWidensTheXpTables()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        dialog.resize(dialog.form()->minimumWidth() + 50, dialog.height());
        QVERIFY(ShowAndActivate(dialog));
        const int gridWidth = dialog.grid(3)->width();
        const int frameWidth = dialog.xpFrame(3)->width();
        dialog.resize(dialog.width() + 300, dialog.height());
        QTRY_COMPARE(dialog.grid(3)->width(), gridWidth + 300);
        QCOMPARE(dialog.xpFrame(3)->width(), frameWidth + 300);
        // Narrower than the form, the tables keep their dialog-unit width and the form scrolls.
        dialog.resize(600, dialog.height());
        QTRY_VERIFY(dialog.grid(3)->width() < gridWidth);
        QVERIFY(ChartPane::Of(dialog)->controlsArea()->horizontalScrollBar()->maximum() > 0);
    }

    void aThousandStoredLevelsOpenAndScroll()
    {
        ScratchFolder folder;
        {
            tarnekArrayStruct model = InitialConfiguration();
            model.levelCountText = "1000";
            RecomputeAllLists(model);
            RecordingSink sink;
            vloxBuildTarnekStruct db(sink);
            QVERIFY(db.OpenDatabase() && db.SaveWholeDatabase(model));
            db.CloseDatabase();
        }
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(dialog.levelCombo()->currentIndex(), -1);
        for (int code = 0; code < CTarnekChangeLevelDlg::kXpTables; ++code) {
            QCOMPARE(dialog.grid(code)->columnCount(), 1001);
            QCOMPARE(Cells(dialog.grid(code)), Texts(XpList(dialog.model(), code)));
        }
        tarnekBaseListCtrl* grid = dialog.grid(1);
        grid->scrollTo(Cell(grid, 1000));
        QVERIFY(grid->viewport()->rect().intersects(grid->visualRect(Cell(grid, 1000))));
        QTRY_COMPARE(ChartPane::Of(dialog)->chart()->curveTexts(1).size(), 1001);
        // Keys reach the last level too.
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End);
        QCOMPARE(grid->currentIndex().column(), 1000);
        // A paste past the last level says what it dropped.
        grid->setCurrentIndex(Cell(grid, 999));
        QCOMPARE(grid->paste(QStringLiteral("1\t2\t3")), std::size_t{1});
        QCOMPARE(grid->cellText(1000), QStringLiteral("2"));
        QVERIFY2(StatusLine(dialog).contains(QStringLiteral(": 1 ")), qPrintable(StatusLine(dialog)));
    }

    // The window's file is what the tool's import takes and its export writes again; the
    // tool's file, imported in the window, gives the sources the tool generated.
    void exportAndImportCarryAConfigurationBetweenWindowAndTool()
    {
        PluginDir server;  // first: each folder is the current directory while it lives
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(CommitCell(dialog.grid(3), 2, QStringLiteral("11")));  // shown, not yet saved
        const QString windowFile = folder.path() + QStringLiteral("/window.json");
        fileDialog()->setNextFileName(windowFile);
        ExportButton(dialog)->click();
        const std::string exported = ReadBytes(windowFile.toStdString());

        QCOMPARE(server.Run({"import", windowFile.toStdString()}).status, 0);
        QCOMPARE(server.Run({"export"}).out, exported);
        const auto read = ConfigurationFromJson(exported);
        QCOMPARE(read->xpGivenSaved.at(2), std::string("11"));

        QCOMPARE(server.Run({"levels", "13", "--yes"}).status, 0);
        QCOMPARE(server.Run({"set", "hexMaxChance", "0.4"}).status, 0);
        const fs::path serverFile = server.path() / "server.json";
        QCOMPARE(server.Run({"export", serverFile.string()}).status, 0);
        fileDialog()->setNextFileName(QString::fromStdString(serverFile.string()));
        ImportButton(dialog)->click();
        QVERIFY(UserMessageBox::TakeShown().empty());
        QVERIFY(HeadedUpTo(dialog.grid(0), 13));
        QCOMPARE(dialog.levelCombo()->currentText(), QStringLiteral("13"));
        QCOMPARE(dialog.model().hexMaxChance, std::string("0.4"));
        // One undo step, saved by the user.
        QVERIFY(dialog.isWindowModified());
        dialog.undoStack()->undo();
        QVERIFY(HeadedUpTo(dialog.grid(0), 10));
        dialog.undoStack()->redo();
        QVERIFY(dialog.SaveConfiguration());
        QCOMPARE(folder.Stored(), dialog.model());
        QCOMPARE(ReadBytes(folder.baseHeader()), ReadBytes(server.path() / "tarnek" / "base.h"));
        QCOMPARE(ReadBytes(folder.skillsInclude()), ReadBytes(server.path() / "tarnek" / "skills.inl"));
    }

    void refusedImportSaysWhyAndChangesNothing()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        const tarnekArrayStruct before = dialog.model();
        const std::string stored = ReadBytes(folder.database());
        const QString file = folder.path() + QStringLiteral("/partial.json");
        WriteBytes(file.toStdString(), "{\"levelCountText\": \"13\"}");
        fileDialog()->setNextFileName(file);
        ImportButton(dialog)->click();

        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].caption, QStringLiteral("Импорт настроек"));
        QVERIFY(shown[0].text.contains(QStringLiteral("ничего не изменено")));
        QVERIFY(shown[0].text.contains(QStringLiteral("missing key \"xpLevelShortTerm\"")));
        QVERIFY(dialog.model() == before);
        QVERIFY(HeadedUpTo(dialog.grid(0), 10));
        QCOMPARE(ReadBytes(folder.database()), stored);
    }

    void startedInsideAPluginTreeOrCancelledAsksNothingMore()
    {
        ScratchFolder plugin;
        const int asked = folderDialog()->asked();
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::AlreadyThere);
        QCOMPARE(folderDialog()->asked(), asked);
        QCOMPARE(QDir::current().canonicalPath(), plugin.path());
        QVERIFY(!QSettings().contains(kPluginFolderKey));

        // Elsewhere, with a remembered folder gone and the question cancelled: stays put.
        ScratchFolder home(false);
        QSettings().setValue(kPluginFolderKey, home.path() + QStringLiteral("/gone"));
        folderDialog()->setNextDirectory(QString());
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::NotChosen);
        QCOMPARE(folderDialog()->asked(), asked + 1);
        QCOMPARE(QDir::current().canonicalPath(), home.path());
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
    }

    void startedElsewhereAsksOnceAndRemembers()
    {
        ScratchFolder plugin;
        ScratchFolder notPlugin(false);
        ScratchFolder home(false);
        const int asked = folderDialog()->asked();

        // A folder without tarnek/ is explained, and the question comes again.
        folderDialog()->setNextDirectory(notPlugin.path());
        folderDialog()->setNextDirectory(plugin.path());
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::Chosen);
        QCOMPARE(folderDialog()->asked(), asked + 2);
        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QDir::toNativeSeparators(notPlugin.path())));
        QCOMPARE(QDir::current().canonicalPath(), plugin.path());

        // ...and the editor then works there exactly as if started there.
        {
            CTarnekChangeLevelDlg dialog;
            QVERIFY(dialog.initialised());
            QTest::mouseClick(dialog.compileButton(), Qt::LeftButton);
        }
        QVERIFY(fs::exists(plugin.database()));
        QVERIFY(fs::exists(plugin.baseHeader()));
        QVERIFY(!fs::exists(home.fsPath() / "TarnekChangeLevelDatabase"));

        // The next start from the home folder goes straight there.
        QDir::setCurrent(home.path());
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::Remembered);
        QCOMPARE(folderDialog()->asked(), asked + 2);
        QCOMPARE(QDir::current().canonicalPath(), plugin.path());
    }

    void firstStartOffersThePluginsOwnSettings_data()
    {
        QTest::addColumn<bool>("load");
        QTest::newRow("loaded") << true;
        QTest::newRow("declined") << false;
    }
    void firstStartOffersThePluginsOwnSettings()
    {
        QFETCH(bool, load);
        ScratchFolder folder;
        tarnekArrayStruct tuned = InitialConfiguration();
        tuned.levelCountText = "40";
        RecomputeAllLists(tuned);
        tuned.xpLevelSaved.set(3, "9999");
        WriteSources(tuned);
        const std::string base = ReadBytes(folder.baseHeader()), skills = ReadBytes(folder.skillsInclude());
        // The earlier editor's settings file is where the database goes.
        const std::string access = std::string("\0\1\0\0Standard Jet DB\0", 20) + std::string(3000, '\x5A');
        WriteBytes(folder.database(), access);

        UserMessageBox::SetNextAnswer(QMessageBox::Ok);
        UserMessageBox::SetNextAnswer(load ? QMessageBox::Yes : QMessageBox::No);
        {
            CTarnekChangeLevelDlg dialog;
            auto shown = UserMessageBox::TakeShown();
            QCOMPARE(shown.size(), load ? 3 : 2);
            QVERIFY(shown.takeFirst().text.contains(QStringLiteral("сохранён без изменений как TarnekChangeLevel.access-1.mdb")));
            QCOMPARE(ReadBytes(folder.database().parent_path() / "TarnekChangeLevel.access-1.mdb"), access);
            QCOMPARE(shown[0].text, QStringLiteral("В папке плагина уже есть настройки уровней. Загрузить их в редактор?"));
            const tarnekArrayStruct& expected = load ? tuned : InitialConfiguration();
            QVERIFY(SameLists(dialog.model(), expected));
            QCOMPARE(Cells(dialog.grid(1)), Texts(expected.xpLevelSaved));
            QCOMPARE(dialog.levelCombo()->currentText(), QString::fromStdString(expected.levelCountText));
            if (load)
                QVERIFY(shown[1].text.contains(QStringLiteral("количество уровней: 40 (было 10)")));
        }
        // Copies come first; nothing is saved by the offer, and the next start asks nothing.
        QCOMPARE(ReadBytes(folder.fsPath() / "tarnek" / "base.h.orig"), base);
        QCOMPARE(ReadBytes(folder.fsPath() / "tarnek" / "skills.inl.orig"), skills);
        QCOMPARE(ReadBytes(folder.baseHeader()), base);
        QVERIFY(SameLists(folder.Stored(), InitialConfiguration()));
        CTarnekChangeLevelDlg again;
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
    }

    void loadButtonTakesTheSourcesOverOrExplainsWhyNot()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(UserMessageBox::TakeShown().isEmpty());  // no sources: nothing to offer
        QVERIFY(PluginSourceLoadButton(dialog)->isEnabled());

        tarnekArrayStruct tuned = InitialConfiguration();
        tuned.xpGivenSaved.set(2, "12");
        tuned.hexMaxChance = "7.5";
        WriteSources(tuned);
        WriteBytes(folder.skillsInclude(), ReadBytes(folder.skillsInclude()).substr(0, 3000));
        QTest::mouseClick(PluginSourceLoadButton(dialog), Qt::LeftButton);
        auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QStringLiteral("tarnek/skills.inl")));
        QCOMPARE(dialog.model(), ExpectedAfterStart());

        WriteSources(tuned);
        QTest::mouseClick(PluginSourceLoadButton(dialog), Qt::LeftButton);
        shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QStringLiteral("изменено списков: 1, ячеек: 1")));
        QVERIFY(shown[0].text.contains(QStringLiteral("других значений (аура преданности, максимальные шансы): 1")));
        QCOMPARE(Cells(dialog.grid(3)), Texts(tuned.xpGivenSaved));
        QCOMPARE(dialog.model().hexMaxChance, std::string("7.5"));
        QVERIFY(SameLists(folder.Stored(), InitialConfiguration()));
        // One undo step, not yet saved.
        QVERIFY(dialog.isWindowModified());
        dialog.undoStack()->undo();
        QCOMPARE(dialog.model(), ExpectedAfterStart());
    }

    // Exit (or the close box) with unsaved changes asks; each answer does what it says.
    void closingWithUnsavedChangesAsks()
    {
        ScratchFolder folder;
        const QStringList answers{"Сохранить", "Не сохранять", "Отмена"};
        {
            CTarnekChangeLevelDlg dialog;
            QVERIFY(ShowAndActivate(dialog));
            QSignalSpy finished(&dialog, &QDialog::finished);
            QVERIFY(!dialog.isWindowModified());
            QVERIFY(CommitCell(dialog.grid(0), 1, QStringLiteral("777")));
            QVERIFY(dialog.isWindowModified());

            UserMessageBox::SetNextAnswer(QMessageBox::Cancel);
            QTest::mouseClick(dialog.exitButton(), Qt::LeftButton);
            const auto asked = UserMessageBox::TakeShown();
            QCOMPARE(asked.size(), 1);
            QCOMPARE(asked[0].buttonTexts, answers);
            QCOMPARE(finished.count(), 0);

            UserMessageBox::SetNextAnswer(QMessageBox::Discard);
            dialog.close();
            QCOMPARE(finished.count(), 1);
            QCOMPARE(folder.Stored().xpLevelShortTerm.at(1), InitialConfiguration().xpLevelShortTerm.at(1));
            QVERIFY(!fs::exists(folder.baseHeader()));
        }
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(CommitCell(dialog.grid(0), 1, QStringLiteral("778")));
        UserMessageBox::SetNextAnswer(QMessageBox::Save);
        QTest::mouseClick(dialog.exitButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(1), std::string("778"));
        QVERIFY(fs::exists(folder.skillsInclude()));
        // Nothing unsaved: no question.
        CTarnekChangeLevelDlg clean;
        UserMessageBox::TakeShown();
        clean.close();
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
    }

    void ctrlSSavesEverythingWithoutCompiling()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(dialog.fillButton(0)->toolTip(), QStringLiteral("Заполнить: приращение 500 от исходного 0"));
        QVERIFY(CommitCell(dialog.grid(3), 2, QStringLiteral("91")));
        SetBox(dialog.parameterBox(3), QStringLiteral("401"));  // typed, not yet confirmed
        QTest::keyClick(&dialog, Qt::Key_S, Qt::ControlModifier);

        const tarnekArrayStruct stored = folder.Stored();
        QCOMPARE(stored.xpGivenSaved.at(2), std::string("91"));
        QCOMPARE(stored.xpLevelSavedInitial, std::string("401"));
        QVERIFY(fs::exists(folder.baseHeader()));
        QVERIFY(fs::exists(folder.skillsInclude()));
        QVERIFY(!dialog.isWindowModified());
        QCOMPARE(StatusLine(dialog), QStringLiteral("Сохранено: база данных, tarnek/base.h, tarnek/skills.inl"));
        QVERIFY(!fs::exists(folder.fsPath() / "compiled"));
    }

    // A fill and a level change are one step each; undoing a saved change makes the
    // window unsaved again, and the next save writes the undone state.
    void undoAndRedoAcrossAFillAndALevelChange()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        const tarnekArrayStruct opened = dialog.model();
        SetBox(dialog.parameterBox(2), QStringLiteral("3"));
        QTest::mouseClick(dialog.fillButton(1), Qt::LeftButton);
        const ValueList filled = dialog.model().xpLevelSaved;
        QVERIFY(filled != opened.xpLevelSaved);
        QVERIFY(!dialog.isWindowModified());

        QTest::keyClick(&dialog, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(dialog.model().xpLevelSaved, opened.xpLevelSaved);
        QCOMPARE(Cells(dialog.grid(1)), Texts(opened.xpLevelSaved));
        QCOMPARE(dialog.parameterBox(2)->text(), QString::fromStdString(opened.xpLevelSavedMultiplier));
        QVERIFY(dialog.isWindowModified());
        QTest::keyClick(&dialog, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Cells(dialog.grid(1)), Texts(filled));
        QVERIFY(!dialog.isWindowModified());

        dialog.levelCombo()->setCurrentIndex(30);
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(dialog.createLevelsButton(), Qt::LeftButton);
        QCOMPARE(dialog.model().xpLevelSaved.size(), std::size_t{101});
        dialog.undoAction()->trigger();
        QCOMPARE(dialog.model().xpLevelSaved, filled);
        QCOMPARE(dialog.model().vampiricList, opened.vampiricList);
        QCOMPARE(dialog.levelCombo()->currentText(), QStringLiteral("10"));
        QCOMPARE(dialog.grid(0)->columnCount(), 11);
        // The grids are marked against the count the undo brought back, not the undone one.
        QVERIFY2(dialog.grid(0)->listModel()->lengthReason().isEmpty(),
                 qPrintable(dialog.grid(0)->listModel()->lengthReason()));
        dialog.undoAction()->trigger();
        QVERIFY(dialog.SaveConfiguration());
        QCOMPARE(folder.Stored().xpLevelSaved, opened.xpLevelSaved);
    }

    // Two windows on one folder: the second is warned, a window with nothing unsaved
    // follows the other's save when activated, and one with unsaved changes asks on save.
    void twoWindowsOnOneFolderLoseNothing()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg first;
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
        CTarnekChangeLevelDlg second;
        const auto warned = UserMessageBox::TakeShown();
        QCOMPARE(warned.size(), 1);
        QCOMPARE(warned[0].caption, QStringLiteral("Второе окно"));

        second.session().SetCells(0, 1, {"theirs"});
        QVERIFY(second.SaveConfiguration());
        first.NoticeOtherPrograms();
        QCOMPARE(first.model().xpLevelShortTerm.at(1), std::string("theirs"));
        QCOMPARE(first.grid(0)->cellText(1), QStringLiteral("theirs"));

        second.session().SetCells(0, 2, {"theirs again"});
        QVERIFY(second.SaveConfiguration());
        first.PushEdit(first.session().SetCells(0, 3, {"mine"}), QStringLiteral("cell"));
        first.NoticeOtherPrograms();  // unsaved here: nothing is reloaded under the user
        QCOMPARE(first.model().xpLevelShortTerm.at(3), std::string("mine"));

        UserMessageBox::SetNextAnswer(QMessageBox::Cancel);
        QVERIFY(!first.SaveConfiguration());
        QCOMPARE(UserMessageBox::TakeShown().size(), 1);
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(2), std::string("theirs again"));

        UserMessageBox::SetNextAnswer(QMessageBox::No);  // "Записать мои"
        QVERIFY(first.SaveConfiguration());
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(3), std::string("mine"));

        second.PushEdit(second.session().SetCells(0, 4, {"lost"}), QStringLiteral("cell"));
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);  // "Взять их"
        QVERIFY(!second.SaveConfiguration());
        QCOMPARE(second.model().xpLevelShortTerm.at(3), std::string("mine"));
        QVERIFY(!second.isWindowModified());
        UserMessageBox::SetNextAnswer(QMessageBox::Discard);
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
