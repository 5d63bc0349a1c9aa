#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include "CellMarking.h"
#include "ChartPane.h"
#include "CurveChart.h"
#include "GuiTestSupport.h"
#include "InitialConfiguration.h"
#include "SkillDialogs.h"
#include "pluginsrc/xpBaseStruct.h"
#include "widgets/UserMessageBox.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekEditCtrl.h"

namespace {

// A fresh plugin folder's settings database, open, with the model loaded from it the way
// the main window loads it.
struct SkillWorkspace : ScratchFolder {
    RecordingSink sink;
    EditingSession session{sink};

    SkillWorkspace() { session.Open(); }
    const tarnekArrayStruct& model() const { return session.configuration(); }
    SkillWorkspace(const SkillWorkspace&) = delete;
    SkillWorkspace& operator=(const SkillWorkspace&) = delete;
};

QPushButton* Button(const SkillDialog& dialog, int id)
{
    return dialog.findChild<QPushButton*>(QString::number(id));
}

QLineEdit* Box(const SkillDialog& dialog, int id)
{
    return dialog.findChild<QLineEdit*>(QString::number(id));
}

tarnekBaseListCtrl* GridOfList(SkillDialog& dialog, std::string_view field)
{
    return dialog.controlTable().GridOf(CodeOf(field));
}

std::size_t BandOf(const SkillDialog& dialog, std::string_view field)
{
    const auto& bands = dialog.tier().bands;
    return static_cast<std::size_t>(
        std::find_if(bands.begin(), bands.end(), [&](const SkillBand& b) { return b.code == FindList(field); }) -
        bands.begin());
}

tarnekArrayStruct LoadedConfiguration()
{
    tarnekArrayStruct model = InitialConfiguration();
    model.DeriveLevelCounts();
    return model;
}

}  // namespace

class TestSkillDialogs final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        QSettings().clear();
        UserMessageBox::SetUnattended(true);
    }
    void cleanup() { UserMessageBox::SetUnattended(false); }

    void openingShowsTheModel() {
        const QStringList captions{"Настройка скилов первого уровня", "Настройка скилов второго уровня",
                                   "Настройка скилов третьего уровня", "Настройка скилов четвертого уровня"};
        tarnekArrayStruct model = LoadedConfiguration();
        model.evasionMaxChance = "2,5 typed";
        RecordingSink sink;
        EditingSession session(sink);  // never opened: showing needs no database
        session.Replace(model);
        int fillButtons = 0;
        QList<int> digitsOnly;
        for (const Tier tier : kSkillTiers) {
            const auto dialog = MakeSkillDialog(tier, session);
            QCOMPARE(dialog->windowTitle(), captions[static_cast<int>(tier) - 1]);
            for (const ListDescriptor& list : ListsOfTier(tier)) {
                const tarnekBaseListCtrl* grid = GridOfList(*dialog, list.field);
                QVERIFY(grid != nullptr);
                QCOMPARE(Cells(grid), Texts(model.*list.list));
            }
            for (std::size_t band = 0; band < dialog->tier().bands.size(); ++band) {
                if (dialog->fillButton(band) == nullptr) continue;
                QVERIFY(!dialog->fillButton(band)->icon().isNull());
                ++fillButtons;
            }
            // A box for each of the tier's parameters, showing the model's text.
            const auto parameters = std::count_if(Parameters().begin(), Parameters().end(),
                                                  [tier](const ParameterDescriptor& p) { return p.tier == tier; });
            QCOMPARE(dialog->tier().boxes.size(), std::size_t(parameters + (tier == DevotionValue().tier)));
            for (const ParameterBox& box : dialog->tier().boxes) {
                QLineEdit* edit = dialog->parameterBox(box.text);
                QCOMPARE(edit->text(), QString::fromStdString(model.*box.text));
                edit->clear();
                QTest::keyClicks(edit, QStringLiteral("1a2"));
                if (edit->text() == QStringLiteral("12")) digitsOnly.append(box.editId);
            }

            dialog->show();
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->saveButton()));
        }
        QCOMPARE(fillButtons, 27);
        std::sort(digitsOnly.begin(), digitsOnly.end());
        QCOMPARE(digitsOnly, (QList<int>{1050, 1052, 1077}));

        // Devotion Aura: one box in its own band, no grid, no fill button.
        const auto tier2 = MakeSkillDialog(Tier::Two, session);
        QLineEdit* devotion = Box(*tier2, 1043);
        QCOMPARE(devotion->text(), QStringLiteral("15"));
        auto* band = qobject_cast<QGroupBox*>(devotion->parentWidget());
        QCOMPARE(band->title(),
                 QStringLiteral("Навык: Аура преданности (Devotion Aura), Раса: Альянс Людей (Human Alliance)"));
        QVERIFY(band->findChildren<QPushButton*>().isEmpty());
        QVERIFY(band->findChildren<tarnekBaseListCtrl*>().isEmpty());
        QVERIFY(sink.shown.empty());

        // The boxes whose texts reach the plugin are marked as they are typed.
        QVERIFY(devotion->toolTip().isEmpty());
        devotion->clear();
        QVERIFY(devotion->toolTip().contains(QStringLiteral("Пустое")));
        Box(*tier2, 1061)->setText(QStringLiteral("abc"));  // a fill parameter: never marked
        QVERIFY(Box(*tier2, 1061)->toolTip().isEmpty());
    }

    // A list added to the descriptor table reaches a dialog and the plugin through its row
    // alone: each skill list has one band, in the dialog of its tier, under ids no other
    // control of that dialog uses, and every list is declared once across base.h and skills.inl.
    void everyListSitsInOneBandAndOnePluginArray() {
        const tarnekArrayStruct model = LoadedConfiguration();
        const std::string sources = xpBaseStruct::BaseHeaderText(model) + xpBaseStruct::SkillsIncludeText(model);
        std::map<std::size_t, Tier> bandTier;
        for (const Tier tier : kSkillTiers) {
            const SkillTier& dialog = SkillTierOf(tier);
            std::set<int> ids{dialog.saveButtonId};
            std::size_t controls = 1;
            for (const SkillBand& band : dialog.bands) {
                if (!band.code) continue;
                QVERIFY2(bandTier.emplace(*band.code, tier).second, band.title.data());
                ids.insert({band.gridId, band.fillButtonId});
                controls += 2;
            }
            for (const ParameterBox& box : dialog.boxes) ids.insert(box.editId);
            QCOMPARE(ids.size(), controls + dialog.boxes.size());
        }
        for (std::size_t code = 0; code < ValueLists().size(); ++code) {
            const ListDescriptor& list = ValueLists()[code];
            const auto band = bandTier.find(code);
            if (list.tier == Tier::Xp)
                QVERIFY2(band == bandTier.end(), list.field.data());  // the main window's
            else
                QVERIFY2(band != bandTier.end() && band->second == list.tier, list.field.data());
            const std::string declared = std::string(list.array) + "[";
            QVERIFY2(sources.find(declared) != std::string::npos &&
                         sources.find(declared) == sources.rfind(declared),
                     list.field.data());
        }
    }

    // Every other box holds a decoy, so a button that read the wrong box gives other values.
    void fillButtonRunsItsOwnRule_data() {
        QTest::addColumn<int>("tier");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("typed");  // box=text ...
        QTest::addColumn<QString>("values");
        const auto row = [](int tier, int button, const char* list, const char* typed, const char* values) {
            QTest::addRow("%d %s", button, list) << tier << button << QString(list) << QString(typed) << QString(values);
        };
        row(1, 1019, "vampiricList", "1049=1", "1.0 2.0 3.0");
        row(1, 1020, "invisibilityList", "1050=10 1052=255", "255 245 235");
        row(1, 1021, "criticalList", "1051=0.05", "0.05 0.1 0.15");
        row(1, 1022, "evasionList", "1053=30", "10.000 20.000 30.000");
        row(1, 1023, "phoenixList", "1055=abc", "0.000 0.000 0.000");
        row(1, 1025, "healList", "1061=30", "30.0 20.00 10.00");
        row(1, 1026, "fanList", "1058=1", "0.333 0.667 1.000");
        row(1, 1027, "impaleList", "1060=0.3", "0.100 0.200 0.300");
        row(2, 1033, "unholyList", "1061=5", "265.0 270.0 275.0");
        row(2, 1032, "grenadeList", "1047=2", "2.0 4.0 6.0");
        row(2, 1031, "thornsList", "1049=0.5", "0.5 1.0 1.5");
        row(2, 1030, "banishList", "1063=60", "20.000 40.000 60.000");
        row(2, 1029, "hexList", "1065=90", "30.000 60.000 90.000");
        row(2, 1028, "blinkList", "1067=15", "5.000 10.000 15.000");
        row(2, 1094, "spikedList", "1068=0.25", "0.25 0.5 0.75");
        row(3, 1095, "levitationList", "1073=0.6", "0.8 0.60 0.40");
        row(3, 1096, "bashList", "1072=6", "2.000 4.000 6.000");
        row(3, 1097, "ankhList", "1074=100", "33.333 66.667 100.000");
        row(3, 1098, "trueshotList", "1075=1.5", "1.5 3.0 4.5");
        row(3, 1099, "manaList", "1076=0.1", "0.1 0.2 0.3");
        row(3, 1100, "serpentList", "1077=3", "3 6 9");
        row(3, 1101, "shadowList", "1079=12", "4.000 8.000 12.000");
        row(3, 1036, "carrionList", "1081=9", "3.000 6.000 9.000");
        row(4, 1102, "resistantList", "1082=1", "1.0 2.0 3.0 4.0 5.0 6.0 7.0 8.0 9.0 10.0 11.0");
        row(4, 1103, "concoctionList", "1084=11",
            "1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.000 10.000 11.000");
        row(4, 1104, "hardenList", "1086=Max", "0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000");
        row(4, 1041, "orbList", "1088=5.5", "0.500 1.000 1.500 2.000 2.500 3.000 3.500 4.000 4.500 5.000 5.500");
    }

    void fillButtonRunsItsOwnRule() {
        QFETCH(int, tier);
        QFETCH(int, button);
        QFETCH(QString, list);
        QFETCH(QString, typed);
        QFETCH(QString, values);

        const tarnekArrayStruct before = LoadedConfiguration();
        RecordingSink sink;
        EditingSession session(sink);  // never opened: a fill must not need the database
        session.Replace(before);
        const auto dialog = MakeSkillDialog(static_cast<Tier>(tier), session);
        const tarnekArrayStruct& model = dialog->kept();
        for (QLineEdit* box : dialog->findChildren<QLineEdit*>()) box->setText(QStringLiteral("7"));
        for (const QString& assignment : typed.split(' ')) {
            const QStringList parts = assignment.split('=');
            Box(*dialog, parts[0].toInt())->setText(parts[1]);
        }

        Button(*dialog, button)->click();

        const QByteArray field = list.toUtf8();
        const QStringList expected = values.split(' ');
        QCOMPARE(Texts(model.*ValueLists()[CodeOf(field.constData())].list), expected);
        QCOMPARE(Cells(GridOfList(*dialog, field.constData())), expected);
        for (const ListDescriptor& other : ValueLists()) {
            if (other.field != field.toStdString()) QCOMPARE(Texts(model.*other.list), Texts(before.*other.list));
        }
        QVERIFY(sink.shown.empty());
    }

    // Saving writes the tier's table and parameter columns, chances normalised; whatever
    // else the model holds that differs from the database stays out of it.
    void saveWritesExactlyTheTier_data() {
        QTest::addColumn<int>("tier");
        for (int tier = 1; tier <= 4; ++tier) QTest::addRow("tier %d", tier) << tier;
    }

    void saveWritesExactlyTheTier() {
        QFETCH(int, tier);
        SkillWorkspace workspace;
        const tarnekArrayStruct& model = workspace.model();
        const tarnekArrayStruct stored = workspace.Stored();
        const Tier other = tier == 1 ? Tier::Two : Tier::One;
        workspace.session.SetCells(1, 1, {"unsaved"});
        workspace.session.SetCells(*FindList(ListsOfTier(other)[0].field), 0, {"unsaved"});
        workspace.session.SetTexts({{SkillTierOf(other).boxes[0].text, "unsaved"}});

        const auto dialog = MakeSkillDialog(static_cast<Tier>(tier), workspace.session);
        tarnekArrayStruct expected = stored;
        const std::pair<QString, std::string> chances[] = {{"", "1.0"}, {"0", "1.0"}, {"-3", "1.0"}, {"5", "5.0"},
                                                          {"2.5", "2.5"}};
        std::size_t chance = 0;
        for (const ParameterBox& box : dialog->tier().boxes) {
            const bool isChance = std::any_of(Parameters().begin(), Parameters().end(), [&box](const auto& p) {
                return p.text == box.text && p.isChance();
            });
            QString text = QStringLiteral("'; -- %1").arg(box.editId);
            std::string saved = text.toStdString();
            if (isChance) {
                const auto& [typed, normalised] = chances[(chance++ + static_cast<std::size_t>(tier)) % 5];
                text = typed;
                saved = normalised;
            }
            dialog->parameterBox(box.text)->setText(text);
            expected.*box.text = saved;
        }
        for (const ListDescriptor& list : ListsOfTier(static_cast<Tier>(tier))) {
            tarnekBaseListCtrl* grid = dialog->controlTable().GridOf(static_cast<int>(&list - ValueLists().data()));
            grid->model()->setData(Cell(grid, 1), QStringLiteral("Значение"));
            (expected.*list.list).set(1, "Значение");
        }
        QSignalSpy finished(dialog.get(), &QDialog::finished);

        dialog->saveButton()->click();

        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
        QVERIFY(workspace.sink.shown.empty());
        QVERIFY(workspace.Stored() == expected);
        for (const ParameterBox& box : dialog->tier().boxes)  // the boxes and the model keep what was typed
            QCOMPARE(QString::fromStdString(model.*box.text), dialog->parameterBox(box.text)->text());
        if (tier == 2) {
            const TableDump rows = DumpTables(workspace.database());
            for (const auto& row : rows.at("Скилы 2 уровня")) QCOMPARE(row.back(), std::string("'; -- 1043"));
        }
    }

    // A fill reads every box into the model.
    void fillThenCancelChangesOnlyTheModel() {
        SkillWorkspace workspace;
        const tarnekArrayStruct stored = workspace.Stored();
        const auto dialog = MakeSkillDialog(Tier::Three, workspace.session);
        Box(*dialog, 1077)->setText(QStringLiteral("3"));
        Box(*dialog, 1092)->setText(QStringLiteral("4"));
        Button(*dialog, 1100)->click();
        // A cell edit after the fill goes with "Отмена"; the fill stays.
        tarnekBaseListCtrl* serpent = GridOfList(*dialog, "serpentList");
        serpent->model()->setData(Cell(serpent, 1), QStringLiteral("77"));
        QCOMPARE(serpent->cellText(1), QStringLiteral("77"));
        dialog->cancelButton()->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));

        QVERIFY(workspace.Stored() == stored);
        QCOMPARE(Texts(workspace.model().serpentList), QStringList({"3", "6", "9"}));
        QCOMPARE(workspace.model().shadowMaxChance, std::string("4"));

        QCOMPARE(workspace.session.Save(SaveScope::MainWindow()).outcome, SaveOutcome::Saved);
        QVERIFY(workspace.sink.shown.empty());
        const tarnekArrayStruct after = workspace.Stored();
        QCOMPARE(Texts(after.serpentList), QStringList({"3", "6", "9"}));
        QCOMPARE(after.serpentIncrement, stored.serpentIncrement);  // parameters only through "Сохранить"
    }

    // Inside the dialog, undo takes back a fill (the grid as it was, confirmed cell
    // included) and a cell; the session sees none of it until the dialog closes.
    void undoAndRedoInsideTheDialog() {
        SkillWorkspace workspace;
        const auto dialog = MakeSkillDialog(Tier::One, workspace.session);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        tarnekBaseListCtrl* grid = GridOfList(*dialog, "vampiricList");
        const QStringList opened = Cells(grid);
        QVERIFY(CommitCell(grid, 0, QStringLiteral("42")));
        QStringList edited = opened;
        edited[0] = QStringLiteral("42");
        Box(*dialog, 1049)->setText(QStringLiteral("5"));
        dialog->fillButton(BandOf(*dialog, "vampiricList"))->click();
        QCOMPARE(Cells(grid), QStringList({"5.0", "10.0", "15.0"}));
        QCOMPARE(dialog->fillButton(BandOf(*dialog, "vampiricList"))->toolTip(),
                 QStringLiteral("Заполнить: кратные шагу 5"));

        QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cells(grid), edited);
        QCOMPARE(Texts(dialog->kept().vampiricList), opened);
        QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cells(grid), opened);
        QTest::keyClick(dialog.get(), Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(dialog.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Cells(grid), QStringList({"5.0", "10.0", "15.0"}));
        QVERIFY(!workspace.session.IsUnsaved());

        dialog->cancelButton()->click();
        QCOMPARE(Texts(workspace.model().vampiricList), QStringList({"5.0", "10.0", "15.0"}));
        QVERIFY(!dialog->applied().empty());
    }

    void onlyConfirmedCellEditsAreSaved() {
        SkillWorkspace workspace;
        const auto dialog = MakeSkillDialog(Tier::One, workspace.session);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        tarnekBaseListCtrl* grid = GridOfList(*dialog, "vampiricList");

        QVERIFY(CommitCell(grid, 0, QStringLiteral("42")));
        DoubleClick(grid->viewport(), CellCentre(grid, 2));
        QVERIFY(dialog->controlTable().editor() != nullptr);
        TypeText(dialog->controlTable().editor(), QStringLiteral("999"));
        QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);

        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(Texts(workspace.Stored().vampiricList), QStringList({"42", "0.2", "0.3"}));
    }

    // Padded to the stored count, such lists would reach the plugin as empty initialisers.
    void aTierFourFillAtAnotherCountIsNotSaved() {
        SkillWorkspace workspace;
        workspace.session.SetTexts({{&tarnekArrayStruct::levelCountText, "13"}});  // not the 10 stored
        const tarnekArrayStruct before = workspace.Stored();
        const auto dialog = MakeSkillDialog(Tier::Four, workspace.session);
        tarnekBaseListCtrl* resistant = GridOfList(*dialog, "resistantList");
        QVERIFY(Tinted(Cell(resistant, 0), kWrongLengthTint));
        QVERIFY(ToolTip(Cell(resistant, 0)).contains(QStringLiteral("MAX_LEVELS+1")));

        Box(*dialog, 1082)->setText(QStringLiteral("1"));
        Button(*dialog, 1102)->click();
        QCOMPARE(dialog->kept().resistantList.size(), std::size_t{14});
        QCOMPARE(resistant->columnCount(), 14);
        QVERIFY(Unmarked(Cell(resistant, 0)));
        QCOMPARE(dialog->kept().orbList.size(), std::size_t{11});
        dialog->saveButton()->click();

        QCOMPARE(workspace.sink.shown.size(), std::size_t{1});
        QVERIFY(workspace.sink.shown[0].text.find("(resistantList)") != std::string::npos);
        QVERIFY(workspace.Stored() == before);
    }

    void keysAndClicksNeverCloseButEditOnTheirGrid() {
        SkillWorkspace workspace;
        const tarnekArrayStruct stored = workspace.Stored();
        const auto dialog = MakeSkillDialog(Tier::Three, workspace.session);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QSignalSpy finished(dialog.get(), &QDialog::finished);
        for (QWidget* target : {static_cast<QWidget*>(dialog->saveButton()), static_cast<QWidget*>(Box(*dialog, 1075)),
                                static_cast<QWidget*>(GridOfList(*dialog, "bashList"))}) {
            target->setFocus();
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(target, key);
        }
        QCOMPARE(finished.count(), 0);
        QVERIFY(dialog->isVisible());
        QVERIFY(workspace.Stored() == stored);

        tarnekBaseListCtrl* bash = GridOfList(*dialog, "bashList");
        QTest::mouseClick(bash->viewport(), Qt::LeftButton, {}, CellCentre(bash, 1));
        QVERIFY(dialog->controlTable().editor() == nullptr);
        tarnekBaseListCtrl* ankh = GridOfList(*dialog, "ankhList");
        QTest::mouseClick(ankh->viewport(), Qt::LeftButton, {}, CellCentre(ankh, 1));
        QVERIFY(dialog->controlTable().editor() != nullptr);
        QCOMPARE(dialog->controlTable().editor()->text(), QStringLiteral("0.667"));

        dialog->close();  // the close box writes nothing either
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(workspace.Stored() == stored);
    }

    void widerDialogWidensItsGrids() {
        SkillWorkspace workspace;
        const auto dialog = MakeSkillDialog(Tier::Four, workspace.session);
        QVERIFY(dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        dialog->resize(1600, dialog->height());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        tarnekBaseListCtrl* orb = GridOfList(*dialog, "orbList");
        const int width = orb->width();
        dialog->resize(1800, dialog->height());
        QTRY_COMPARE(orb->width(), width + 200);
    }

    void oneChartFollowsTheBandPointedAt() {
        SkillWorkspace workspace;
        const auto dialog = MakeSkillDialog(Tier::One, workspace.session);
        CurveChart* chart = ChartPane::Of(*dialog)->chart();
        QCOMPARE(chart->curveCount(), 1);
        QCOMPARE(Plotted(*chart), PlotOf(workspace.model().vampiricList));

        // The mouse over the healing band, then a fill there with another maximum.
        const std::size_t heal = BandOf(*dialog, "healList");
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(dialog->grid(heal)->viewport(), &enter);
        QVERIFY(chart->curveName(0).contains(QStringLiteral("Healing Wave")));
        QCOMPARE(Plotted(*chart), PlotOf(workspace.model().healList));
        dialog->parameterBox(&tarnekArrayStruct::healMaxPercent)->setText(QStringLiteral("9"));
        dialog->fillButton(heal)->click();
        QTRY_COMPARE(Plotted(*chart), PlotOf(dialog->kept().healList));
        QCOMPARE(Plotted(*chart).first().y(), 9.0);

        // A committed typo leaves a gap and is marked.
        tarnekCtrlStruct& table = dialog->controlTable();
        table.CommitCellEdit(dialog->grid(heal), 1, QStringLiteral("4,00"));
        QTRY_COMPARE(chart->curveSeries(0).size(), 2);
        QCOMPARE(Plotted(*chart).size(), 2);
        QVERIFY(Tinted(Cell(dialog->grid(heal), 1), kRejectedTextTint));

        // Focus on another grid shows that one; the mouse over a band frame does too.
        QFocusEvent focus(QEvent::FocusIn);
        QCoreApplication::sendEvent(GridOfList(*dialog, "criticalList"), &focus);
        QCOMPARE(Plotted(*chart), PlotOf(workspace.model().criticalList));
        QCoreApplication::sendEvent(dialog->grid(heal)->parentWidget(), &enter);
        QCOMPARE(chart->curveTexts(0).at(1), QStringLiteral("4,00"));
    }
};

QTEST_MAIN(TestSkillDialogs)
#include "tst_skills.moc"
