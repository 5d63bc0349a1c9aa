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
#include <QTest>

#include "charts/ChartPane.h"
#include "charts/CurveChart.h"
#include "grid/CellMarking.h"
#include "grid/tarnekBaseListCtrl.h"
#include "grid/tarnekEditCtrl.h"
#include "pluginsrc/xpBaseStruct.h"
#include "skills/SkillDialogs.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/WrittenSources.h"
#include "tests/support/gui/GuiTestSupport.h"
#include "widgets/UserMessageBox.h"

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
    void initTestCase() { UseTestSettings(); }
    void init() { BeginWindowTest(); }
    void cleanup() { EndWindowTest(); }

    void openingShowsTheModel()
    {
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
            // A box for each of the tier's parameters, showing the model's text; a digits-only
            // one takes nothing else.
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
    }

    // A list added to the descriptor table reaches a dialog and the plugin through its row
    // alone: each skill list has one band, in the dialog of its tier, under ids no other
    // control of that dialog uses, and every list is declared once across base.h and skills.inl.
    void everyListSitsInOneBandAndOnePluginArray()
    {
        std::map<std::size_t, Tier> bandTier;
        for (const Tier tier : kSkillTiers) {
            const SkillTier& dialog = SkillTierOf(tier);
            std::set<int> ids{dialog.saveButtonId};
            for (const SkillBand& band : dialog.bands)
                if (band.code) {
                    QVERIFY2(bandTier.emplace(*band.code, tier).second, band.title.data());
                    ids.insert({band.gridId, band.fillButtonId});
                }
            for (const ParameterBox& box : dialog.boxes)
                ids.insert(box.editId);
            const auto lists = std::count_if(dialog.bands.begin(), dialog.bands.end(),
                                             [](const SkillBand& b) { return b.code.has_value(); });
            QCOMPARE(ids.size(), std::size_t(1 + 2 * lists) + dialog.boxes.size());
        }
        const tarnekArrayStruct model = OpenedInitialConfiguration();
        const std::string sources = xpBaseStruct::BaseHeaderText(model) + xpBaseStruct::SkillsIncludeText(model);
        for (std::size_t code = 0; code < ValueLists().size(); ++code) {
            const ListDescriptor& list = ValueLists()[code];
            const auto band = bandTier.find(code);
            QVERIFY2(list.tier == Tier::Xp ? band == bandTier.end()
                                           : band != bandTier.end() && band->second == list.tier,
                     list.field.data());
            const std::string declared = std::string(list.array) + "[";
            QVERIFY2(sources.find(declared) != std::string::npos && sources.find(declared) == sources.rfind(declared),
                     list.field.data());
        }
    }

    // One list of each fill rule and tier, its parameters typed into their boxes. Every
    // other box holds a decoy, so a button that read the wrong box gives other values.
    void fillButtonRunsItsOwnRule()
    {
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
            for (QLineEdit* box : dialog->findChildren<QLineEdit*>())
                box->setText(QStringLiteral("7"));
            dialog->parameterBox(list.firstParameter)->setText(QString::fromUtf8(first));
            if (second != nullptr)
                dialog->parameterBox(list.secondParameter)->setText(QString::fromUtf8(second));

            dialog->fillButton(BandOf(*dialog, field))->click();
            const tarnekArrayStruct model = dialog->kept();

            const QStringList expected = QString::fromUtf8(values).split(' ');
            QCOMPARE(Texts(model.*list.list), expected);
            QCOMPARE(Cells(GridOfList(*dialog, field)), expected);
            for (const ListDescriptor& other : ValueLists()) {
                if (&other != &list)
                    QCOMPARE(Texts(model.*other.list), Texts(before.*other.list));
            }
            QVERIFY(sink.messages.empty());
        }
    }

    // Saving writes the tier's lists and every box of the dialog, chances normalised, and
    // both sources from the database; an unsaved edit of another window stays out of both.
    void saveWritesExactlyTheTier()
    {
        for (int tier = 1; tier <= 4; ++tier) {
            SkillWorkspace workspace;
            const tarnekArrayStruct& model = workspace.model();
            const tarnekArrayStruct stored = workspace.Stored();
            workspace.session.SetCells(1, 1, {"unsaved"});
            const auto dialog = MakeSkillDialog(static_cast<Tier>(tier), workspace.session);
            tarnekArrayStruct expected = stored;
            for (const ParameterBox& box : dialog->tier().boxes) {
                const bool isChance = std::any_of(Parameters().begin(), Parameters().end(),
                                                  [&box](const auto& p) { return p.text == box.text && p.isChance(); });
                const std::string text = (isChance ? "5" : "x ,-") + std::to_string(box.editId);
                dialog->parameterBox(box.text)->setText(QString::fromStdString(text));
                expected.*box.text = isChance ? text + ".0" : text;
            }
            QVERIFY(ShowAndActivate(*dialog));
            for (const ListDescriptor& list : ListsOfTier(static_cast<Tier>(tier))) {
                tarnekBaseListCtrl* grid = dialog->controlTable().GridOf(static_cast<int>(&list - ValueLists().data()));
                grid->model()->setData(Cell(grid, 1), QStringLiteral("Значение"));
                (expected.*list.list).set(1, "Значение");
            }
            // Typed without Enter: "Сохранить" takes it as Enter would.
            const ListDescriptor& first = ListsOfTier(static_cast<Tier>(tier)).front();
            QVERIFY(TypeIntoCell(dialog->controlTable().GridOf(static_cast<int>(&first - ValueLists().data())), 0,
                                 QStringLiteral("0.5")));
            (expected.*first.list).set(0, "0.5");
            QSignalSpy finished(dialog.get(), &QDialog::finished);

            dialog->saveButton()->click();

            QCOMPARE(finished.count(), 1);
            QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
            QVERIFY(workspace.sink.messages.empty());
            QVERIFY(workspace.Stored() == expected);
            // Both sources follow the database, without the other window's unsaved cell.
            QCOMPARE(std::pair(ReadBytes(workspace.baseHeader()), ReadBytes(workspace.skillsInclude())),
                     WrittenSources(expected));
            for (const ParameterBox& box : dialog->tier().boxes)  // the boxes and the model keep what was typed
                QCOMPARE(QString::fromStdString(model.*box.text), dialog->parameterBox(box.text)->text());
        }
    }

    // Inside the dialog, undo takes back a fill (the grid as it was, confirmed cell
    // included) and a cell; the session sees none of it until the dialog closes. "Отмена"
    // keeps the fill, which read every box into the model, and drops a later cell edit.
    void undoRedoAndCancelInsideTheDialog()
    {
        SkillWorkspace workspace;
        const tarnekArrayStruct stored = workspace.Stored();
        const auto dialog = MakeSkillDialog(Tier::One, workspace.session);
        QVERIFY(ShowAndActivate(*dialog));
        tarnekBaseListCtrl* grid = GridOfList(*dialog, "vampiricList");
        const QStringList opened = Cells(grid);
        QVERIFY(CommitCell(grid, 0, QStringLiteral("42")));
        QStringList edited = opened;
        edited[0] = QStringLiteral("42");
        dialog->parameterBox(&tarnekArrayStruct::vampiricIncrement)->setText(QStringLiteral("5"));
        dialog->parameterBox(&tarnekArrayStruct::evasionMaxChance)->setText(QStringLiteral("4"));
        dialog->fillButton(BandOf(*dialog, "vampiricList"))->click();
        QCOMPARE(Cells(grid), QStringList({"5.0", "10.0", "15.0"}));

        QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cells(grid), edited);
        QCOMPARE(Texts(dialog->kept().vampiricList), opened);
        QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cells(grid), opened);
        QTest::keyClick(dialog.get(), Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(dialog.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Cells(grid), QStringList({"5.0", "10.0", "15.0"}));
        QVERIFY(!workspace.session.IsUnsaved());

        grid->model()->setData(Cell(grid, 1), QStringLiteral("77"));
        dialog->cancelButton()->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(Texts(workspace.model().vampiricList), QStringList({"5.0", "10.0", "15.0"}));
        QCOMPARE(workspace.model().evasionMaxChance, std::string("4"));
        QVERIFY(workspace.Stored() == stored);
    }

    // A single click edits a cell only in the bands whose row asks for it (Ankh, not Bash).
    void aClickEditsOnlyWhereTheBandAsks()
    {
        SkillWorkspace workspace;
        const auto dialog = MakeSkillDialog(Tier::Three, workspace.session);
        QVERIFY(ShowAndActivate(*dialog));
        tarnekBaseListCtrl* bash = GridOfList(*dialog, "bashList");
        QTest::mouseClick(bash->viewport(), Qt::LeftButton, {}, CellCentre(bash, 1));
        QVERIFY(dialog->controlTable().editor() == nullptr);
        tarnekBaseListCtrl* ankh = GridOfList(*dialog, "ankhList");
        QTest::mouseClick(ankh->viewport(), Qt::LeftButton, {}, CellCentre(ankh, 1));
        QCOMPARE(dialog->controlTable().editor()->text(), QStringLiteral("0.667"));
    }

    void oneChartFollowsTheBandPointedAt()
    {
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
        dialog->parameterBox(&tarnekArrayStruct::healMaxPercent)->setText(QStringLiteral("9"));
        dialog->fillButton(heal)->click();
        QTRY_COMPARE(Plotted(*chart), PlotOf(dialog->kept().healList));
    }
};

QTEST_MAIN(TestSkillDialogs)
#include "tst_skills.moc"
