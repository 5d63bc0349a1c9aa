#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUndoStack>

#include "app/CTarnekChangeLevelDlg.h"
#include "app/ClimbFit.h"
#include "app/ClimbTargetRow.h"
#include "app/CompilePane.h"
#include "app/ConfigurationTransfer.h"
#include "app/FileDialog.h"
#include "app/FolderDialog.h"
#include "app/LevelCombo.h"
#include "app/PluginFolderChoice.h"
#include "app/PluginSourceLoad.h"
#include "app/SkillDialogLauncher.h"
#include "app/XpChartPane.h"
#include "app/XpTables.h"
#include "charts/ChartPane.h"
#include "charts/CurveChart.h"
#include "charts/ProgressionChart.h"
#include "grid/CellMarking.h"
#include "grid/tarnekBaseListCtrl.h"
#include "settingsdb/vloxBuildTarnekStruct.h"
#include "tests/cli/ToolProcess.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/WrittenSources.h"
#include "tests/support/gui/GuiTestSupport.h"
#include "widgets/DialogUnits.h"
#include "widgets/FolderCaption.h"
#include "widgets/UserMessageBox.h"

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

QString StatusLine(const CTarnekChangeLevelDlg& dialog)
{
    return QTextDocumentFragment::fromHtml(dialog.statusLine()->text()).toPlainText();
}

}  // namespace

class TestApp final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseTestSettings(); }
    void init() { BeginWindowTest(); }
    void cleanup() { EndWindowTest(); }

    void startsOnAFreshFolderWithTheCarriedConfiguration()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
        QVERIFY(dialog.initialised());
        QVERIFY(fs::exists(folder.database()));

        QCOMPARE(dialog.model(), OpenedInitialConfiguration());
        for (int code = 0; code < XpTables::kTables; ++code) {
            QVERIFY(HeadedUpTo(dialog.xpTables()->grid(code), 10));
            QCOMPARE(Cells(dialog.xpTables()->grid(code)), Texts(XpList(dialog.model(), code)));
        }
        QCOMPARE(dialog.levelCombo()->currentText(), QStringLiteral("10"));
        // The caption names the folder, so that two windows can be told apart.
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("Редактор уровней мода VLOX Tarnek MOD для Counter-Strike 1.6 (Версия 3.0)[*] — ") +
                     ShownFolder(QDir::currentPath()));
        QCOMPARE(ShownFolder(QDir::homePath() + QStringLiteral("/srv/cstrike")),
                 QDir::toNativeSeparators(QStringLiteral("~/srv/cstrike")));
        const QStringList boxes{"500", "0", "2", "400", "5", "10", "2", "6"};
        for (int i = 0; i < XpTables::kParameters; ++i)
            QCOMPARE(dialog.xpTables()->parameterBox(i)->text(), boxes[i]);
        // Nothing is written before the user asks for it.
        QVERIFY(!fs::exists(folder.baseHeader()));
        // Dialog units: x by a quarter, y by an eighth of the font's average character size.
        QCOMPARE(DialogUnits(6, 13).Map(82, 17, 758, 35), QRect(123, 28, 1137, 57));
        dialog.FitToScreen(QRect(0, 0, 1280, 800));
        QVERIFY(dialog.width() <= 1280 && dialog.height() <= 800);
    }

    // With both panes open on a small screen every action stays in sight; the heights the
    // user dragged the panes to come back with the next window.
    void actionsStayInSightAndPaneHeightsAreKept()
    {
        ScratchFolder folder;
        QSettings().setValue(QString::fromLatin1(kCompilePaneShownKey), true);
        QList<int> dragged;
        {
            CTarnekChangeLevelDlg dialog;
            dialog.resize(1024, 700);
            QVERIFY(ShowAndActivate(dialog));
            QVERIFY(dialog.compilePane()->isVisible());
            QList<QWidget*> actions{dialog.levelCombo(), dialog.actionRow()->link(),
                                    ChartPane::Of(dialog)->chartSwitch(), dialog.compilePane()->cancelButton()};
            for (QPushButton* b : dialog.actionRow()->buttons())
                actions.append(b);
            for (QWidget* w : actions) {
                const QRect shown(w->mapTo(&dialog, QPoint()), w->size());
                QVERIFY2(w->isVisible() && dialog.rect().contains(shown), qPrintable(w->objectName()));
                QVERIFY2(!w->toolTip().isEmpty(), qPrintable(w->objectName()));
            }
            const QList<int> opened = ChartPane::Of(dialog)->splitter()->sizes();
            QSplitterHandle* handle = ChartPane::Of(dialog)->splitter()->handle(1);
            const QPoint middle = handle->rect().center();
            QTest::mousePress(handle, Qt::LeftButton, {}, middle);
            QTest::mouseMove(handle, middle - QPoint(0, 40));
            QTest::mouseRelease(handle, Qt::LeftButton, {}, middle - QPoint(0, 40));
            dragged = ChartPane::Of(dialog)->splitter()->sizes();
            QVERIFY(dragged != opened);
        }
        CTarnekChangeLevelDlg dialog;
        dialog.resize(1024, 700);
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(ChartPane::Of(dialog)->splitter()->sizes(), dragged);
    }

    // A prefix search, as the combo finds a typed text: "10" is its own item though "100"
    // begins with it too, a stored "7" finds "73", the first item that begins with it.
    void storedCountSelectsItsItem()
    {
        for (const auto& [stored, index] : {std::pair{"10", 0}, {"100", 30}, {"7", 21}, {"07", -1}, {"101", -1}})
            QCOMPARE(LevelCountIndex(LevelCountItems(), QString::fromLatin1(stored)), index);
    }

    // The fill reads the boxes (a digits-only box takes only digits, the multiplier box
    // anything) and keeps the configuration's level count whatever the combo shows.
    void xpFillComputesShowsAndSaves()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        dialog.levelCombo()->setCurrentIndex(1);
        QCOMPARE(StatusLine(dialog), QStringLiteral("Выбрано уровней: 13, в конфигурации: 10. Выбор вступит в силу "
                                                    "только после «Создать уровни»; заливки используют 10."));
        SetBox(dialog.xpTables()->parameterBox(2), QStringLiteral("abc"));
        SetBox(dialog.xpTables()->parameterBox(3), QStringLiteral("4a-0.0б"));
        QVERIFY(StatusLine(dialog).endsWith(QStringLiteral(" В это поле вводятся только цифры")));
        QTest::mouseClick(dialog.xpTables()->fillButton(1), Qt::LeftButton);
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
        QVERIFY(StatusLine(dialog).endsWith(QStringLiteral(
            "заливки используют 10. Заполнено и сохранено: база данных, tarnek/base.h, tarnek/skills.inl")));

        // Multiplier "abc" reads as 0: v[i] = (i+1)·I·(M+i), the last 11·400·10.
        QCOMPARE(dialog.model().xpLevelSaved.at(10), std::string("44000"));
        QCOMPARE(Cells(dialog.xpTables()->grid(1)), Texts(dialog.model().xpLevelSaved));
        const tarnekArrayStruct stored = folder.Stored();
        QCOMPARE(stored.xpLevelSaved, dialog.model().xpLevelSaved);
        QCOMPARE(stored.levelCountText, std::string("10"));
    }

    // A No, or a stored count the combo does not offer (stored by another program: it
    // opens as stored and is shown, but is never recomputed for), changes nothing anywhere.
    void levelChangeDeclinedOrRefusedChangesNothing()
    {
        const QString refused = QStringLiteral("Отказ в создании уровней");
        const std::tuple<std::string, QString, QString, QMessageBox::StandardButtons> cases[] = {
            {"10", QStringLiteral("\n Все параметры при изменение количества уровней будут пересчитаны!"),
             QStringLiteral("Запрос на изменение уровней"), QMessageBox::Yes | QMessageBox::No},
            {"07", QStringLiteral("Нельзя ставить ниже 10 уровня."), refused, QMessageBox::Ok},
            {"100000", QStringLiteral("Нельзя ставить выше 100 уровня."), refused, QMessageBox::Ok},
        };
        for (const auto& [stored, text, caption, buttons] : cases) {
            ScratchFolder folder;
            QVERIFY(StoreLevelCount(stored));
            CTarnekChangeLevelDlg dialog;
            const std::string databaseBefore = ReadBytes(folder.database());
            const tarnekArrayStruct before = dialog.model();
            if (stored == "10")
                dialog.levelCombo()->setCurrentIndex(30);
            else  // the box shows what is stored, marked as not one of its own
                QCOMPARE(dialog.levelCombo()->currentText(), QString::fromStdString(stored + " (из базы)"));
            UserMessageBox::SetNextAnswer(QMessageBox::No);
            QTest::mouseClick(dialog.button(ActionRow::Button::CreateLevels), Qt::LeftButton);

            const auto shown = UserMessageBox::TakeShown();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].text, text);
            QCOMPARE(shown[0].caption, caption);
            QVERIFY(shown[0].buttons == buttons);
            QCOMPARE(dialog.model(), before);
            QCOMPARE(ReadBytes(folder.database()), databaseBefore);
            QVERIFY(!fs::exists(folder.baseHeader()));
        }
        // Lists that disagree with the stored count are named as soon as the window reads them.
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(StoreLevelCount("1000"));
        dialog.NoticeOtherPrograms();
        QVERIFY2(StatusLine(dialog).startsWith(
                     QStringLiteral("Перечитано: другая программа изменила базу данных. В базе данных: "
                                    "Список \"Не сохраняемые XP (kq4_save_xp 0)\" (xpLevelShortTerm)")),
                 qPrintable(StatusLine(dialog)));
        // Changed to a count the box offers, the stored count's own item goes.
        dialog.levelCombo()->setCurrentIndex(30);
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(dialog.button(ActionRow::Button::CreateLevels), Qt::LeftButton);
        QCOMPARE(UserMessageBox::TakeShown().size(), 1);
        QCOMPARE(dialog.levelCombo()->count(), 31);
        QCOMPARE(dialog.levelCombo()->currentText(), QStringLiteral("100"));
    }

    // The compile saves first (a cell committed with Enter reaches base.h through it alone);
    // it runs beside the window, and its errors lead back to their cells.
    void compileSavesAndRunsBesideTheWindowLeadingErrorsToTheirCells()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(CommitCell(dialog.xpTables()->grid(0), 3, QStringLiteral("1234")));
        // The stand-in keeps the sources it found.
#ifdef _WIN32
        fs::copy_file(TARNEK_COMPILE_STAND_IN, folder.fsPath() / "compile.exe");
        WriteBytes(folder.fsPath() / "say",
                   "base.h(17) : error 017: undefined symbol \"abc\"\nskills.inl(1) : error 213: tag mismatch\n");
        WriteBytes(folder.fsPath() / "say-after-go", "2 Errors.\n");
#else
        WriteBytes(folder.fsPath() / "compile.sh",
                   "#!/bin/sh\n"
                   "cp tarnek/base.h seen-base.h\n"
                   "cp tarnek/skills.inl seen-skills.inl\n"
                   "echo 'base.h(17) : error 017: undefined symbol \"abc\"'\n"
                   "echo 'skills.inl(1) : error 213: tag mismatch'\n"
                   "i=0; while [ ! -e go ] && [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done\n"
                   "echo '2 Errors.'\n");
        fs::permissions(folder.fsPath() / "compile.sh", fs::perms::owner_all);
#endif

        QTest::mouseClick(dialog.button(ActionRow::Button::Compile), Qt::LeftButton);
        CompilePane* pane = dialog.compilePane();
        QVERIFY(pane != nullptr && pane->isVisible());
        QVERIFY(!dialog.button(ActionRow::Button::Compile)->isEnabled());
        // The compiler still waits, yet its output is already shown.
        QTRY_VERIFY(pane->output()->toPlainText().contains(QStringLiteral("skills.inl(")));
        QVERIFY(pane->running());
        QVERIFY(std::pair(ReadBytes(folder.fsPath() / "seen-base.h"), ReadBytes(folder.fsPath() / "seen-skills.inl")) ==
                WrittenSources(dialog.model()));
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(3), std::string("1234"));
        WriteBytes(folder.fsPath() / "go", "");
        QTRY_VERIFY_WITH_TIMEOUT(!pane->running(), 10000);
        QVERIFY(dialog.button(ActionRow::Button::Compile)->isEnabled());
        QCOMPARE(pane->headline()->text(), QStringLiteral("Компиляция не удалась: 2 ошибки"));
        QListWidget* list = pane->diagnostics();
        QVERIFY(list->item(0)->text().endsWith(QStringLiteral("Сохраняемые XP (kq4_save_xp 1), уровень 3")));
        // Scrolled out of sight first: the line brings the cell back into view.
        QScrollArea* form = ChartPane::Of(dialog)->controlsArea();
        form->verticalScrollBar()->setValue(form->verticalScrollBar()->maximum());
        form->horizontalScrollBar()->setValue(form->horizontalScrollBar()->maximum());
        DoubleClick(list->viewport(), list->visualItemRect(list->item(0)).center());
        QCOMPARE(dialog.xpTables()->grid(1)->currentIndex().column(), 3);
        const QRect cell = dialog.xpTables()->grid(1)->visualRect(Cell(dialog.xpTables()->grid(1), 3));
        const QPoint shown = dialog.xpTables()->grid(1)->viewport()->mapTo(form->viewport(), cell.center());
        QVERIFY(form->viewport()->rect().contains(shown));
    }

    void failedStartShowsTheErrorAndDisablesSaving()
    {
        ScratchFolder folder;
        const std::string notADatabase(4096, 'x');
        WriteBytes(folder.database(), notADatabase);

        CTarnekChangeLevelDlg dialog;
        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QVERIFY(!dialog.initialised());

        QCOMPARE(dialog.xpTables()->grid(0)->columnCount(), 0);
        QVERIFY(!dialog.xpTables()->fillButton(0)->isEnabled() && !dialog.actionRow()->skillButton(1)->isEnabled());
        QVERIFY(!dialog.button(ActionRow::Button::CreateLevels)->isEnabled() &&
                !dialog.button(ActionRow::Button::Compile)->isEnabled());
        QVERIFY(!dialog.button(ActionRow::Button::Import)->isEnabled() &&
                dialog.button(ActionRow::Button::Exit)->isEnabled());

        // Even driven directly, nothing writes.
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        dialog.OnFillXp(0);
        dialog.OnCreateLevels();
        dialog.CompilePlugin();
        QCOMPARE(ReadBytes(folder.database()), notADatabase);
        QVERIFY(!fs::exists(folder.baseHeader()));
    }

    // Marks count on a compile and follow the edits, but the texts go to the database and
    // the sources as typed.
    void marksReachNeitherTheDatabaseNorTheFiles()
    {
        ScratchFolder folder;
        {
            CTarnekChangeLevelDlg dialog;
            QVERIFY(ShowAndActivate(dialog));
            QVERIFY(StatusLine(dialog).isEmpty());
            QVERIFY(CommitCell(dialog.xpTables()->grid(2), 4, QStringLiteral("0,5")));
            QVERIFY(CommitCell(dialog.xpTables()->grid(2), 5, QStringLiteral("1O")));

            QTest::mouseClick(dialog.button(ActionRow::Button::Compile), Qt::LeftButton);
            QVERIFY2(StatusLine(dialog).contains(QStringLiteral(": 2.")), qPrintable(StatusLine(dialog)));
            QCOMPARE(folder.Stored().xpGivenShortTerm.at(4), std::string("0,5"));
            QVERIFY(ReadBytes(folder.baseHeader()).find("0,5") != std::string::npos);
            // Once counted, the count follows the edits.
            QVERIFY(CommitCell(dialog.xpTables()->grid(2), 5, QStringLiteral("10")));
            QVERIFY2(StatusLine(dialog).contains(QStringLiteral(": 1.")), qPrintable(StatusLine(dialog)));
        }
        // Opened again, the stored text is marked straight away.
        CTarnekChangeLevelDlg again;
        QVERIFY(Tinted(Cell(again.xpTables()->grid(2), 4), kRejectedTextTint));
        QVERIFY(Unmarked(Cell(again.xpTables()->grid(2), 3)));
    }

    // The window's file is what the tool's import takes and its export writes again; the
    // tool's file, imported in the window, gives the sources the tool generated.
    void exportAndImportCarryAConfigurationBetweenWindowAndTool()
    {
        PluginDir server;  // first: each folder is the current directory while it lives
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(CommitCell(dialog.xpTables()->grid(3), 2, QStringLiteral("11")));  // shown, not yet saved
        const QString windowFile = folder.path() + QStringLiteral("/window.json");
        fileDialog()->setNextFileName(windowFile);
        dialog.button(ActionRow::Button::Export)->click();
        const std::string exported = ReadBytes(windowFile.toStdU16String());
        QCOMPARE(StatusLine(dialog), QStringLiteral("Экспортировано: ") + QDir::toNativeSeparators(windowFile));

        QVERIFY(exported.find("\"11\"") != std::string::npos);
        QCOMPARE(server.Run({"import", windowFile.toStdString()}).status, 0);
        QCOMPARE(server.Run({"export"}).out, exported);

        QCOMPARE(server.Run({"levels", "13", "--yes"}).status, 0);
        const fs::path serverFile = server.path() / "server.json";
        QCOMPARE(server.Run({"export", serverFile.string()}).status, 0);
        fileDialog()->setNextFileName(QString::fromStdString(serverFile.string()));
        dialog.button(ActionRow::Button::Import)->click();
        QVERIFY(UserMessageBox::TakeShown().empty());
        QVERIFY(HeadedUpTo(dialog.xpTables()->grid(0), 13));
        // Not saved until the user saves.
        QVERIFY(dialog.isWindowModified());
        QVERIFY(dialog.SaveEverything());
        QCOMPARE(ReadBytes(folder.baseHeader()), ReadBytes(server.path() / "tarnek" / "base.h"));
        QCOMPARE(ReadBytes(folder.skillsInclude()), ReadBytes(server.path() / "tarnek" / "skills.inl"));

        // What the reader refuses is said in Russian, and nothing changes.
        std::string recounted = exported;
        const std::string count = "\"levelCountText\": \"10\"";
        recounted.replace(recounted.find(count), count.size(), "\"levelCountText\": \"13\"");
        WriteBytes(serverFile, recounted);
        const tarnekArrayStruct before = dialog.model();
        fileDialog()->setNextFileName(QString::fromStdString(serverFile.string()));
        dialog.button(ActionRow::Button::Import)->click();
        const auto shown = UserMessageBox::TakeShown();
        QVERIFY(shown.size() == 1 && shown[0].text.contains(QStringLiteral(
                                         "(xpLevelShortTerm) содержит 11 значений, а при количестве уровней 13")));
        QCOMPARE(dialog.model(), before);
    }

    // Inside a plugin tree nothing is asked. Elsewhere the question comes (a remembered
    // folder that went away is asked for anew; a folder without tarnek/ is explained and
    // asked again), and the choice is remembered for the next start.
    void pluginFolderIsAskedForOnceAndRemembered()
    {
        ScratchFolder plugin;
        const int asked = folderDialog()->asked();
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::AlreadyThere);
        QVERIFY(!QSettings().contains(kPluginFolderKey));

        ScratchFolder notPlugin(false);
        ScratchFolder home(false);
        QSettings().setValue(kPluginFolderKey, home.path() + QStringLiteral("/gone"));
        folderDialog()->setNextDirectory(QString());
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::NotChosen);
        QCOMPARE(QDir::current().canonicalPath(), home.path());
        QVERIFY(UserMessageBox::TakeShown().isEmpty());

        folderDialog()->setNextDirectory(notPlugin.path());
        folderDialog()->setNextDirectory(plugin.path());
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::Chosen);
        QCOMPARE(folderDialog()->asked(), asked + 3);
        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QDir::toNativeSeparators(notPlugin.path())));
        QCOMPARE(QDir::current().canonicalPath(), plugin.path());

        QDir::setCurrent(home.path());
        QCOMPARE(EnterPluginFolder(), PluginFolderOutcome::Remembered);
        QCOMPARE(folderDialog()->asked(), asked + 3);
        QCOMPARE(QDir::current().canonicalPath(), plugin.path());
    }

    // Loaded or declined, the offer saves nothing, and the next start asks nothing.
    void firstStartOffersThePluginsOwnSettings()
    {
        for (const bool load : {true, false}) {
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
                QVERIFY(shown.takeFirst().text.contains(
                    QStringLiteral("сохранён без изменений как TarnekChangeLevel.access-1.mdb")));
                QCOMPARE(shown[0].text,
                         QStringLiteral("В папке плагина уже есть настройки уровней. Загрузить их в редактор?"));
                const tarnekArrayStruct& expected = load ? tuned : InitialConfiguration();
                QVERIFY(SameLists(dialog.model(), expected));
                QCOMPARE(Cells(dialog.xpTables()->grid(1)), Texts(expected.xpLevelSaved));
                QCOMPARE(dialog.levelCombo()->currentText(), QString::fromStdString(expected.levelCountText));
                if (load)
                    QVERIFY(shown[1].text.contains(QStringLiteral("количество уровней: 40 (было 10)")));
            }
            // Copies come first; nothing is saved by the offer, and the next start asks nothing.
            QCOMPARE(ReadBytes(folder.fsPath() / "tarnek" / "skills.inl.orig"), skills);
            QCOMPARE(ReadBytes(folder.baseHeader()), base);
            QVERIFY(SameLists(folder.Stored(), InitialConfiguration()));
            CTarnekChangeLevelDlg again;
            QVERIFY(UserMessageBox::TakeShown().isEmpty());
        }
    }

    void loadButtonTakesTheSourcesOver()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(UserMessageBox::TakeShown().isEmpty());  // no sources: nothing to offer
        QVERIFY(dialog.button(ActionRow::Button::LoadSources)->isEnabled());

        tarnekArrayStruct tuned = InitialConfiguration();
        tuned.xpGivenSaved.set(2, "12");
        tuned.hexMaxChance = "7.5";
        WriteSources(tuned);
        QTest::mouseClick(dialog.button(ActionRow::Button::LoadSources), Qt::LeftButton);
        const auto shown = UserMessageBox::TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QStringLiteral("изменено списков: 1, ячеек: 1")));
        QVERIFY(shown[0].text.contains(QStringLiteral("других значений (аура преданности, максимальные шансы): 1")));
        QCOMPARE(Cells(dialog.xpTables()->grid(3)), Texts(tuned.xpGivenSaved));
        QCOMPARE(dialog.model().hexMaxChance, std::string("7.5"));
        QVERIFY(SameLists(folder.Stored(), InitialConfiguration()));
        // One undo step, not yet saved.
        QVERIFY(dialog.isWindowModified());
        dialog.undoStack()->undo();
        QCOMPARE(dialog.model(), OpenedInitialConfiguration());
    }

    // Enter and Escape never close the window; Exit (or the close box) with unsaved
    // changes asks, and each answer does what it says.
    void closingWithUnsavedChangesAsks()
    {
        ScratchFolder folder;
        const QStringList answers{"Сохранить", "Не сохранять", "Отмена"};
        {
            CTarnekChangeLevelDlg dialog;
            QVERIFY(ShowAndActivate(dialog));
            QSignalSpy finished(&dialog, &QDialog::finished);
            for (QWidget* w : std::initializer_list<QWidget*>{
                     dialog.button(ActionRow::Button::CreateLevels), dialog.button(ActionRow::Button::Compile),
                     dialog.xpTables()->parameterBox(0), dialog.levelCombo()}) {
                w->setFocus();
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                    QTest::keyClick(w, key);
            }
            QVERIFY(UserMessageBox::TakeShown().isEmpty());
            QCOMPARE(finished.count(), 0);
            QVERIFY(!dialog.isWindowModified());
            QVERIFY(CommitCell(dialog.xpTables()->grid(0), 1, QStringLiteral("777")));
            QVERIFY(dialog.isWindowModified());

            UserMessageBox::SetNextAnswer(QMessageBox::Cancel);
            QTest::mouseClick(dialog.button(ActionRow::Button::Exit), Qt::LeftButton);
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
        // Typed and not confirmed: the exit button takes it as Enter would, and asks.
        QVERIFY(TypeIntoCell(dialog.xpTables()->grid(0), 1, QStringLiteral("778")));
        UserMessageBox::SetNextAnswer(QMessageBox::Save);
        QTest::mouseClick(dialog.button(ActionRow::Button::Exit), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(1), std::string("778"));
        // Nothing unsaved: no question.
        CTarnekChangeLevelDlg clean;
        UserMessageBox::TakeShown();
        clean.close();
        QVERIFY(UserMessageBox::TakeShown().isEmpty());
    }

    // Ctrl+S saves and compiles nothing; the window's other keys and buttons reach their own
    // grids and dialogs.
    void ctrlSSavesEverythingWithoutCompiling()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(dialog.xpTables()->fillButton(0)->toolTip(),
                 QStringLiteral("Заполнить: приращение 500 от исходного 0"));
        QVERIFY(CommitCell(dialog.xpTables()->grid(3), 2, QStringLiteral("91")));
        SetBox(dialog.xpTables()->parameterBox(3), QStringLiteral("401"));            // typed, not yet confirmed
        QVERIFY(TypeIntoCell(dialog.xpTables()->grid(2), 4, QStringLiteral("666")));  // no Enter either
        QTest::keyClick(&dialog, Qt::Key_S, Qt::ControlModifier);

        const tarnekArrayStruct stored = folder.Stored();
        QCOMPARE(stored.xpGivenSaved.at(2), std::string("91"));
        QCOMPARE(stored.xpGivenShortTerm.at(4), std::string("666"));
        QCOMPARE(dialog.xpTables()->grid(2)->cellText(4), QStringLiteral("666"));
        QCOMPARE(stored.xpLevelSavedInitial, std::string("401"));
        QVERIFY(fs::exists(folder.baseHeader()));
        QVERIFY(fs::exists(folder.skillsInclude()));
        QVERIFY(!dialog.isWindowModified());
        QCOMPARE(StatusLine(dialog), QStringLiteral("Сохранено: база данных, tarnek/base.h, tarnek/skills.inl"));
        QVERIFY(!dialog.statusLine()->text().contains(QStringLiteral("color")));  // success is not a warning
        QVERIFY(!fs::exists(folder.fsPath() / "compiled"));

        // A paste past the last level says what it dropped.
        dialog.xpTables()->grid(1)->setCurrentIndex(Cell(dialog.xpTables()->grid(1), 9));
        QCOMPARE(dialog.xpTables()->grid(1)->Paste(QStringLiteral("1\t2\t3")), std::size_t{1});
        QVERIFY2(StatusLine(dialog).endsWith(QStringLiteral("отброшено 1 значение.")), qPrintable(StatusLine(dialog)));
        // A paste that would be code in the plugin is refused whole, and said.
        UserMessageBox::TakeShown();
        dialog.xpTables()->grid(1)->setCurrentIndex(Cell(dialog.xpTables()->grid(1), 2));
        dialog.xpTables()->grid(1)->Paste(QStringLiteral("7\t8};server_cmd(0"));
        QCOMPARE(dialog.model().xpLevelSaved.at(2), folder.Stored().xpLevelSaved.at(2));  // not even the "7"
        const auto refused = UserMessageBox::TakeShown();
        QVERIFY(refused.size() == 1 && refused.at(0).text.contains(QStringLiteral("«}»")));

        // The tier buttons are made in a loop: the last one shows an off-by-one.
        QString seen;
        QTimer::singleShot(0, &dialog, [&seen] {
            seen = QApplication::activeModalWidget()->windowTitle();
            QApplication::activeModalWidget()->close();
        });
        QTest::mouseClick(dialog.actionRow()->skillButton(4), Qt::LeftButton);
        QCOMPARE(seen, QStringLiteral("Настройка скилов четвертого уровня — ") + ShownFolder(QDir::currentPath()));
    }

    // A fill and a level change (which recomputes every list and saves at once) are one
    // step each, and the chart follows both; undoing a saved change makes the window unsaved
    // again.
    void undoAndRedoAcrossAFillAndALevelChange()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        QVERIFY(ShowAndActivate(dialog));
        const tarnekArrayStruct opened = dialog.model();
        SetBox(dialog.xpTables()->parameterBox(2), QStringLiteral("3"));
        QTest::mouseClick(dialog.xpTables()->fillButton(1), Qt::LeftButton);
        const ValueList filled = dialog.model().xpLevelSaved;
        QVERIFY(filled != opened.xpLevelSaved);
        QCOMPARE(dialog.undoAction()->text(), QStringLiteral("Отменить заполнение"));
        QVERIFY(!dialog.isWindowModified());

        QTest::keyClick(&dialog, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cells(dialog.xpTables()->grid(1)), Texts(opened.xpLevelSaved));
        QCOMPARE(dialog.xpTables()->parameterBox(2)->text(), QString::fromStdString(opened.xpLevelSavedMultiplier));
        QVERIFY(dialog.isWindowModified());
        QTest::keyClick(&dialog, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Cells(dialog.xpTables()->grid(1)), Texts(filled));
        QVERIFY(!dialog.isWindowModified());

        dialog.levelCombo()->setCurrentIndex(1);
        UserMessageBox::SetNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(dialog.button(ActionRow::Button::CreateLevels), Qt::LeftButton);
        QCOMPARE(UserMessageBox::TakeShown().size(), 1);
        QVERIFY(HeadedUpTo(dialog.xpTables()->grid(0), 13));
        CurveChart* chart = ChartPane::Of(dialog)->chart();
        QCOMPARE(chart->curveCount(), 4);
        for (int code = 0; code < 4; ++code)
            QTRY_COMPARE(Plotted(*chart, code), PlotOf(XpList(dialog.model(), code)));
        QCOMPARE(dialog.progression()->steps(XpMode::ShortTerm).size(), std::size_t{13});
        QCOMPARE(folder.Stored(), dialog.model());
        QVERIFY(ReadBytes(folder.skillsInclude()).starts_with("#define MAX_LEVELS 13\r\n"));
        dialog.undoAction()->trigger();
        QCOMPARE(dialog.model().xpLevelSaved, filled);
        QCOMPARE(dialog.levelCombo()->currentText(), QStringLiteral("10"));
        QCOMPARE(dialog.xpTables()->grid(0)->columnCount(), 11);
        // The grids are marked against the count the undo brought back, not the undone one.
        QVERIFY2(dialog.xpTables()->grid(0)->listModel()->lengthReason().isEmpty(),
                 qPrintable(dialog.xpTables()->grid(0)->listModel()->lengthReason()));

        // Delete empties the selected cells as one step, as a paste is one.
        const ValueList before = XpList(dialog.model(), 2);
        const int step = dialog.undoStack()->index();
        dialog.xpTables()->grid(2)->setFocus();
        dialog.xpTables()->grid(2)->setCurrentIndex(Cell(dialog.xpTables()->grid(2), 1));
        dialog.xpTables()->grid(2)->selectionModel()->select(Cell(dialog.xpTables()->grid(2), 2),
                                                             QItemSelectionModel::Select);
        QTest::keyClick(dialog.xpTables()->grid(2), Qt::Key_Delete);
        QCOMPARE(XpList(dialog.model(), 2).at(1) + XpList(dialog.model(), 2).at(2), std::string());
        QCOMPARE(dialog.undoStack()->index(), step + 1);
        QCOMPARE(dialog.undoAction()->text(), QStringLiteral("Отменить очистку ячеек"));
        dialog.undoAction()->trigger();
        QCOMPARE(XpList(dialog.model(), 2), before);
    }

    // "Подобрать": an unreachable target changes nothing and says why; a reachable one puts
    // the multiplier into its box, fills and saves as the fill button does, as one undo step,
    // and the status line says what the climb now takes.
    void fitToTargetFillsAsOneStepAndReports()
    {
        ScratchFolder folder;
        CTarnekChangeLevelDlg dialog;
        const tarnekArrayStruct opened = dialog.model();
        ClimbTargetRow& row = *dialog.climbTarget();
        QCOMPARE(row.levelBox()->value(), 10);
        dialog.progression()->killsPerHourBox()->setValue(60);
        row.hoursBox()->setValue(1);
        QTest::mouseClick(row.fitButton(), Qt::LeftButton);
        QVERIFY2(StatusLine(dialog).startsWith(
                     QStringLiteral("Подбор: цель 1 ч недостижима. «Множитель» может быть от 0 до ")),
                 qPrintable(StatusLine(dialog)));
        QCOMPARE(dialog.undoStack()->count(), 0);
        QCOMPARE(dialog.model(), opened);

        row.hoursBox()->setValue(100);
        QTest::mouseClick(row.fitButton(), Qt::LeftButton);
        QCOMPARE(dialog.undoStack()->count(), 1);
        const QString multiplier = dialog.xpTables()->parameterBox(2)->text();
        QCOMPARE(dialog.model().xpLevelSavedMultiplier, multiplier.toStdString());
        QVERIFY(dialog.model().xpLevelSaved != opened.xpLevelSaved);
        QCOMPARE(folder.Stored(), dialog.model());
        const auto total = ComputeProgression(dialog.model(), XpMode::Saved)[9].total;
        QCOMPARE(StatusLine(dialog), QStringLiteral("Множитель %1: уровень 10 за %2 ч (цель 100 ч)")
                                         .arg(multiplier)
                                         .arg(std::lround(static_cast<double>(*total) / 60)));

        dialog.undoAction()->trigger();
        QCOMPARE(dialog.model().xpLevelSaved, opened.xpLevelSaved);
        QCOMPARE(dialog.xpTables()->parameterBox(2)->text(), QStringLiteral("2"));
    }

    // Two windows on one folder: the second is warned, a window with nothing unsaved
    // follows the other's save, and one with unsaved changes asks on save.
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
        QVERIFY(second.SaveEverything());
        first.NoticeOtherPrograms();
        QCOMPARE(first.xpTables()->grid(0)->cellText(1), QStringLiteral("theirs"));

        second.session().SetCells(0, 2, {"theirs again"});
        QVERIFY(second.SaveEverything());
        first.session().SetCells(0, 3, {"mine"});
        // No action of the window made that change: the grid and the caption follow the session.
        QCOMPARE(first.xpTables()->grid(0)->cellText(3), QStringLiteral("mine"));
        QVERIFY(first.isWindowModified());
        first.NoticeOtherPrograms();  // unsaved here: nothing is reloaded under the user
        QCOMPARE(first.model().xpLevelShortTerm.at(3), std::string("mine"));

        UserMessageBox::SetNextAnswer(QMessageBox::Cancel);
        QVERIFY(!first.SaveEverything());
        QCOMPARE(UserMessageBox::TakeShown().size(), 1);
        QCOMPARE(folder.Stored().xpLevelShortTerm.at(2), std::string("theirs again"));
        UserMessageBox::SetNextAnswer(QMessageBox::Discard);
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
