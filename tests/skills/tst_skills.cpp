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
        tarnekArrayStruct model = OpenedInitialConfiguration();
        model.evasionMaxChance = "2,5 typed";
        RecordingSink sink;
        EditingSession session(sink);  // never opened: showing needs no database
        session.Replace(model);
        for (const Tier tier : kSkillTiers) {
            const auto dialog = MakeSkillDialog(tier, session);
            for (const ListDescriptor& list : ListsOfTier(tier)) {
                const tarnekBaseListCtrl* grid = GridOfList(*dialog, list.field);
                QVERIFY(grid != nullptr);
                QCOMPARE(Cells(grid), Texts(model.*list.list));
            }
            for (std::size_t band = 0; band < dialog->tier().bands.size(); ++band) {
                const QPushButton* fill = dialog->fillButton(band);
                QCOMPARE(fill != nullptr, dialog->tier().bands[band].code.has_value());
                QVERIFY(fill == nullptr || !fill->icon().isNull());
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
                QCOMPARE(edit->text() == QStringLiteral("12"), box.digitsOnly);
            }
            dialog->show();
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->saveButton()));
        }
        QVERIFY(sink.messages.empty());

        // Devotion Aura: one box in its own band, no grid, no fill button; marked as typed,
        // as the boxes whose texts reach the plugin are, while a fill parameter never is.
        const auto tier2 = MakeSkillDialog(Tier::Two, session);
        QLineEdit* devotion = tier2->parameterBox(&tarnekArrayStruct::devotionValue);
        QCOMPARE(devotion->text(), QStringLiteral("15"));
        QVERIFY(devotion->parentWidget()->findChildren<QPushButton*>().isEmpty());
        QVERIFY(devotion->parentWidget()->findChildren<tarnekBaseListCtrl*>().isEmpty());
        QVERIFY(devotion->toolTip().isEmpty());
        devotion->clear();
        QVERIFY(devotion->toolTip().contains(QStringLiteral("Пустое")));
        tier2->parameterBox(&tarnekArrayStruct::unholyIncrement)->setText(QStringLiteral("abc"));
        QVERIFY(tier2->parameterBox(&tarnekArrayStruct::unholyIncrement)->toolTip().isEmpty());
    }

    // A list added to the descriptor table reaches a dialog and the plugin through its row
    // alone: each skill list has one band, in the dialog of its tier, under ids no other
    // control of that dialog uses, and every list is declared once across base.h and skills.inl.
    void everyListSitsInOneBandAndOnePluginArray() {
        const tarnekArrayStruct model = OpenedInitialConfiguration();
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

    // One list of each fill rule and tier, its parameters typed into their boxes. Every
    // other box holds a decoy, so a button that read the wrong box gives other values.
    void fillButtonRunsItsOwnRule() {
        const std::tuple<std::string_view, const char*, const char*, const char*> cases[] = {
            {"vampiricList", "1", nullptr, "1.0 2.0 3.0"},
            {"invisibilityList", "10", "255", "255 245 235"},
            {"evasionList", "30", nullptr, "10.000 20.000 30.000"},
            {"phoenixList", "abc", nullptr, "0.000 0.000 0.000"},
            {"healList", "30", nullptr, "30.0 20.00 10.00"},
            {"unholyList", "5", nullptr, "265.0 270.0 275.0"},
            {"spikedList", "0.25", nullptr, "0.25 0.5 0.75"},
            {"levitationList", "0.6", nullptr, "0.8 0.60 0.40"},
            {"serpentList", "3", nullptr, "3 6 9"},
            {"hardenList", "Max", nullptr, "0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000"},
            {"orbList", "5.5", nullptr, "0.500 1.000 1.500 2.000 2.500 3.000 3.500 4.000 4.500 5.000 5.500"},
        };
        for (const auto& [field, first, second, values] : cases) {
            const ListDescriptor& list = ValueLists()[*FindList(field)];
            const tarnekArrayStruct before = OpenedInitialConfiguration();
            RecordingSink sink;
            EditingSession session(sink);  // never opened: a fill must not need the database
            session.Replace(before);
            const auto dialog = MakeSkillDialog(list.tier, session);
            const tarnekArrayStruct& model = dialog->kept();
            for (QLineEdit* box : dialog->findChildren<QLineEdit*>()) box->setText(QStringLiteral("7"));
            dialog->parameterBox(list.firstParameter)->setText(QString::fromUtf8(first));
            if (second != nullptr) dialog->parameterBox(list.secondParameter)->setText(QString::fromUtf8(second));

            dialog->fillButton(BandOf(*dialog, field))->click();

            const QStringList expected = QString::fromUtf8(values).split(' ');
            QCOMPARE(Texts(model.*list.list), expected);
            QCOMPARE(Cells(GridOfList(*dialog, field)), expected);
            for (const ListDescriptor& other : ValueLists()) {
                if (&other != &list) QCOMPARE(Texts(model.*other.list), Texts(before.*other.list));
            }
            QVERIFY(sink.messages.empty());
        }
    }

    // Saving writes the tier's table and parameter columns, chances normalised; whatever
    // else the model holds that differs from the database stays out of it.
    void saveWritesExactlyTheTier() {
        for (int tier = 1; tier <= 4; ++tier) {
            SkillWorkspace workspace;
            const tarnekArrayStruct& model = workspace.model();
            const tarnekArrayStruct stored = workspace.Stored();
            const Tier other = tier == 1 ? Tier::Two : Tier::One;
            workspace.session.SetCells(1, 1, {"unsaved"});
            workspace.session.SetCells(*FindList(ListsOfTier(other)[0].field), 0, {"unsaved"});
            workspace.session.SetTexts({{SkillTierOf(other).boxes[0].text, "unsaved"}});

            const auto dialog = MakeSkillDialog(static_cast<Tier>(tier), workspace.session);
            tarnekArrayStruct expected = stored;
            for (const ParameterBox& box : dialog->tier().boxes) {
                const bool isChance = std::any_of(Parameters().begin(), Parameters().end(), [&box](const auto& p) {
                    return p.text == box.text && p.isChance();
                });
                const std::string text = (isChance ? "5" : "'; -- ") + std::to_string(box.editId);
                dialog->parameterBox(box.text)->setText(QString::fromStdString(text));
                expected.*box.text = isChance ? text + ".0" : text;
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
            QVERIFY(workspace.sink.messages.empty());
            QVERIFY(workspace.Stored() == expected);
            for (const ParameterBox& box : dialog->tier().boxes)  // the boxes and the model keep what was typed
                QCOMPARE(QString::fromStdString(model.*box.text), dialog->parameterBox(box.text)->text());
            if (tier == 2) {
                const TableDump rows = DumpTables(workspace.database());
                for (const auto& row : rows.at("Скилы 2 уровня")) QCOMPARE(row.back(), std::string("'; -- 1043"));
            }
        }
    }

    // A fill reads every box into the model.
    void fillThenCancelChangesOnlyTheModel() {
        SkillWorkspace workspace;
        const tarnekArrayStruct stored = workspace.Stored();
        const auto dialog = MakeSkillDialog(Tier::Three, workspace.session);
        dialog->parameterBox(&tarnekArrayStruct::serpentIncrement)->setText(QStringLiteral("3"));
        dialog->parameterBox(&tarnekArrayStruct::shadowMaxChance)->setText(QStringLiteral("4"));
        dialog->fillButton(BandOf(*dialog, "serpentList"))->click();
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
        QVERIFY(workspace.sink.messages.empty());
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
        dialog->parameterBox(&tarnekArrayStruct::vampiricIncrement)->setText(QStringLiteral("5"));
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

        dialog->parameterBox(&tarnekArrayStruct::resistantIncrement)->setText(QStringLiteral("1"));
        dialog->fillButton(BandOf(*dialog, "resistantList"))->click();
        QCOMPARE(dialog->kept().resistantList.size(), std::size_t{14});
        QCOMPARE(resistant->columnCount(), 14);
        QVERIFY(Unmarked(Cell(resistant, 0)));
        QCOMPARE(dialog->kept().orbList.size(), std::size_t{11});
        dialog->saveButton()->click();

        QCOMPARE(workspace.sink.messages.size(), std::size_t{1});
        QVERIFY(workspace.sink.messages[0].text.find("(resistantList)") != std::string::npos);
        QVERIFY(workspace.Stored() == before);
    }

    void keysAndClicksNeverCloseButEditOnTheirGrid() {
        SkillWorkspace workspace;
        const tarnekArrayStruct stored = workspace.Stored();
        const auto dialog = MakeSkillDialog(Tier::Three, workspace.session);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QSignalSpy finished(dialog.get(), &QDialog::finished);
        for (QWidget* target : {static_cast<QWidget*>(dialog->saveButton()), static_cast<QWidget*>(dialog->parameterBox(std::size_t{0})),
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
