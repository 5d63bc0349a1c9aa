#include <memory>

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <QVBoxLayout>

#include "grid/CellMarking.h"
#include "grid/tarnekBaseListCtrl.h"
#include "grid/tarnekCtrlStruct.h"
#include "grid/tarnekEditCtrl.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/gui/GuiTestSupport.h"
#include "widgets/DialogBase.h"
#include "widgets/UserMessageBox.h"

namespace {

// A list of a session shown in a grid bound to a control table; its edits are the steps
// of an undo stack, as in the windows.
struct ListGrid {
    RecordingSink sink;
    EditingSession session{sink, InitialConfiguration()};
    SessionSignals announcements{session};
    QUndoStack undo;
    const int code;
    tarnekCtrlStruct table;
    std::unique_ptr<tarnekBaseListCtrl> owned;
    tarnekBaseListCtrl* grid;

    explicit ListGrid(std::string_view field, QWidget* parent = nullptr)
        : code(CodeOf(field)), grid(new tarnekBaseListCtrl(code, announcements, undo, parent))
    {
        if (parent == nullptr)
            owned.reset(grid);
        table.BindGrid(grid);
    }

    int requests() const { return undo.count(); }
    const tarnekArrayStruct& model() const { return session.configuration(); }
    const ValueList& list() const { return model().*ValueLists()[static_cast<std::size_t>(code)].list; }
    void Show(const ValueList& texts)
    {
        tarnekArrayStruct shown = model();
        shown.*ValueLists()[static_cast<std::size_t>(code)].list = texts;
        session.Replace(shown);
    }
    void SetText(TextField text, const std::string& value) { session.SetTexts({{text, value}}); }
    // Typed into a cell and committed, as Enter in the cell editor does.
    void Commit(int column, const QString& text) { table.CommitCellEdit(grid, column, text); }
};

// A dialog with a grid and a line edit, as the editor's dialogs hold them.
struct GridDialog {
    DialogBase dialog;
    ListGrid g{"xpLevelShortTerm", &dialog};
    tarnekBaseListCtrl* grid = g.grid;
    QLineEdit* other = new QLineEdit(&dialog);

    GridDialog()
    {
        g.Show({"0", "500", "1000", "1500"});
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(grid);
        layout->addWidget(other);
        dialog.resize(600, 200);
        dialog.show();
        dialog.activateWindow();
        // Keys and clicks go nowhere in an inactive dialog: the test then fails on what it checks.
        static_cast<void>(QTest::qWaitForWindowActive(&dialog));
    }
    // The grid reads the list, which goes first.
    ~GridDialog() { delete grid; }

    tarnekEditCtrl* OpenEditor(int column)
    {
        DoubleClick(grid->viewport(), CellCentre(grid, column));
        return g.table.editor();
    }
    tarnekEditCtrl* Editor() const { return g.table.editor(); }
    QStringList Row() { return Texts(g.list()); }
};

// A grid of the list's own target code, kept marked as the dialogs do it.
struct MarkedGrid : ListGrid {
    explicit MarkedGrid(std::string_view field) : ListGrid(field) { KeepGridMarked(grid); }
};

// One notch of the vertical wheel down over `widget`, passed on to its parents until one
// takes it, as the application passes on the wheel of a real mouse.
void WheelDown(QWidget* widget)
{
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        event.setAccepted(true);
        if (QApplication::sendEvent(w, &event) && event.isAccepted())
            return;
    }
}

}  // namespace

class TestGrid final : public QObject {
    Q_OBJECT

private slots:
    void init() { UserMessageBox::SetUnattended(true); }
    void cleanup() { UserMessageBox::SetUnattended(false); }

    void headedAndSizedOnlyWider()
    {
        ListGrid g("xpLevelShortTerm");
        const QString wide(QStringLiteral("12345678901234567890"));
        g.Show(ValueList{"1", wide.toStdString(), "c"});
        QCOMPARE(g.grid->columnCount(), 3);
        QCOMPARE(g.grid->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("2"));
        QCOMPARE(g.grid->columnWidth(0), 50);
        QCOMPARE(g.grid->columnWidth(1), QFontMetrics(g.grid->font()).horizontalAdvance(wide) + 15);
        // A refill starts from the initial width again.
        g.Show(ValueList{"1", "2"});
        QCOMPARE(g.grid->columnWidth(1), 50);
    }

    // Enter commits whatever was typed, as typed: wider than the column, empty, a comma,
    // blanks around. The column widens for a wider text only.
    void enterCommitsAnyTextUnchanged()
    {
        for (const auto& [typed, key] : {std::pair{QStringLiteral("Очень длинное значение уровня"), Qt::Key_Return},
                                         {QString(), Qt::Key_Enter},
                                         {QStringLiteral("1,5"), Qt::Key_Return},
                                         {QStringLiteral(" 7 "), Qt::Key_Return}}) {
            GridDialog d;
            tarnekEditCtrl* editor = d.OpenEditor(1);
            QVERIFY(editor != nullptr && editor->hasFocus());
            QCOMPARE(editor->selectedText(), QStringLiteral("500"));
            QTest::keyClick(editor, Qt::Key_Delete);
            TypeText(editor, typed);
            QTest::keyClick(editor, key);

            QCOMPARE(d.grid->cellText(1), typed);
            QCOMPARE(d.g.list().at(1), typed.toStdString());
            QCOMPARE(d.g.requests(), 1);
            QCOMPARE(d.grid->columnWidth(1), std::max(50, QFontMetrics(d.grid->font()).horizontalAdvance(typed) + 15));
            QVERIFY(d.dialog.isVisible());
            QTRY_VERIFY(d.g.table.editor() == nullptr);
        }
    }

    // Escape, Tab, a click on another control or on another cell leave the cell as it was.
    void escapeTabAndFocusLossLeaveTheCell()
    {
        for (int how = 0; how < 4; ++how) {
            GridDialog d;
            QPointer<tarnekEditCtrl> editor = d.OpenEditor(1);
            QVERIFY(editor);
            TypeText(editor, QStringLiteral("999"));
            if (how < 2) {
                QTest::keyClick(editor, how == 0 ? Qt::Key_Escape : Qt::Key_Tab);
            } else if (how == 2) {
                QTest::mouseClick(d.other, Qt::LeftButton);
                d.other->setFocus();
            } else {
                tarnekEditCtrl* second = d.OpenEditor(3);
                QVERIFY(second != nullptr && second != editor);
                QCOMPARE(second->text(), QStringLiteral("1500"));
            }
            QTRY_VERIFY(editor.isNull() || !editor->isVisible());
            QCOMPARE(d.grid->cellText(1), QStringLiteral("500"));
            QCOMPARE(d.g.requests(), 0);
            QCOMPARE(d.grid->columnWidth(1), 50);
            QVERIFY(d.dialog.isVisible());
        }
    }

    void noEditorBelowTheRowAndNoneOutlivesItsDialog()
    {
        QPointer<tarnekEditCtrl> editor;
        {
            GridDialog d;
            const QRect cell = d.grid->visualRect(d.grid->model()->index(0, 0));
            DoubleClick(d.grid->viewport(), QPoint(cell.center().x(), cell.bottom() + 10));
            QVERIFY(d.g.table.editor() == nullptr);
            QVERIFY(!d.g.table.StartCellEdit(d.grid, 1, 0));
            editor = d.OpenEditor(0);
            QVERIFY(editor);
        }
        QVERIFY(editor.isNull());
    }

    // Tabs, semicolons and line breaks (a spreadsheet's column ends with one, Windows ones
    // included, empty cells kept) separate the values; one edit however many cells, and
    // what falls past the last cell is reported.
    void pasteFillsCellsFromTheCurrentOne()
    {
        const std::tuple<QString, int, QStringList, int> cases[] = {
            {"1\t2\t3", 1, {"0", "1", "2", "3"}, 0},      {"1;2;3", 0, {"1", "2", "3", "1500"}, 0},
            {"1\n2\n3\n", 1, {"0", "1", "2", "3"}, 0},    {"1\r\n\r\n3", 0, {"1", "", "3", "1500"}, 0},
            {"1\t2\t3\t4", 2, {"0", "500", "1", "2"}, 2},
        };
        for (const auto& [clipboard, from, row, dropped] : cases) {
            GridDialog d;
            QSignalSpy droppedSpy(d.grid, &tarnekBaseListCtrl::valuesDropped);
            QGuiApplication::clipboard()->setText(clipboard);
            d.grid->setFocus();
            d.grid->setCurrentIndex(Cell(d.grid, from));
            QTest::keyClick(d.grid, Qt::Key_V, Qt::ControlModifier);

            QCOMPARE(d.Row(), row);
            QCOMPARE(d.g.requests(), 1);
            QCOMPARE(droppedSpy.count(), dropped > 0 ? 1 : 0);
            if (dropped > 0)
                QCOMPARE(droppedSpy.at(0).at(0).toInt(), dropped);
        }
    }

    // Nothing selected, the whole row is copied; else the selection. Typing on the current
    // cell opens its editor, the typed text replacing the cell's.
    void copyAndTypeOnTheGrid()
    {
        GridDialog d;
        d.grid->setFocus();
        QTest::keyClick(d.grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0\t500\t1000\t1500"));
        d.grid->selectionModel()->select(QItemSelection(Cell(d.grid, 1), Cell(d.grid, 2)), QItemSelectionModel::Select);
        QTest::keyClick(d.grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("500\t1000"));

        d.grid->setCurrentIndex(Cell(d.grid, 2));
        TypeText(d.grid, QStringLiteral("7"));
        TypeText(d.Editor(), QStringLiteral("5"));
        QTest::keyClick(d.Editor(), Qt::Key_Return);
        QCOMPARE(d.Row(), (QStringList{"0", "500", "75", "1500"}));
    }

    // Over a row longer than its grid the vertical wheel scrolls the row, not the form; over
    // a row that fits, or beside the grids, it scrolls the form.
    void wheelScrollsTheRowAndTheForm()
    {
        QScrollArea area;
        auto* form = new QWidget();
        form->setFixedSize(380, 1000);
        ListGrid longRow("xpLevelShortTerm", form);
        ListGrid shortRow("xpLevelSaved", form);
        longRow.Show(ValueList(std::vector<std::string>(101, "12345")));
        shortRow.Show({"0", "1"});
        for (auto [grid, top] : {std::pair{longRow.grid, 10}, {shortRow.grid, 80}})
            grid->setGeometry(10, top, 300, 60);
        area.setWidget(form);
        area.resize(400, 300);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QScrollBar* formBar = area.verticalScrollBar();

        WheelDown(longRow.grid->viewport());
        QVERIFY(longRow.grid->horizontalScrollBar()->value() > 0);
        QCOMPARE(formBar->value(), 0);
        WheelDown(shortRow.grid->viewport());
        QVERIFY(formBar->value() > 0);
        const int scrolled = formBar->value();
        WheelDown(form);
        QVERIFY(formBar->value() > scrolled);
    }

    // The right-click menu's three with their keys. Delete or Backspace empties the selected
    // cells, those between them keeping their texts, in one edit; an empty cell is marked.
    void menuCopiesPastesAndClears()
    {
        GridDialog d;
        KeepGridMarked(d.grid);
        QStringList menu;
        for (const QAction* action : d.grid->actions())
            menu.append(action->text() + QLatin1Char(' ') + action->shortcut().toString());
        QCOMPARE(menu, (QStringList{"Копировать Ctrl+C", "Вставить Ctrl+V", "Очистить Del"}));

        d.grid->setFocus();
        d.grid->setCurrentIndex(Cell(d.grid, 0));
        d.grid->selectionModel()->select(Cell(d.grid, 2), QItemSelectionModel::Select);
        QTest::keyClick(d.grid, Qt::Key_Delete);
        QCOMPARE(d.Row(), (QStringList{"", "500", "", "1500"}));
        QCOMPARE(d.g.requests(), 1);
        QVERIFY(ToolTip(Cell(d.grid, 2)).contains(QStringLiteral("Пустое значение")));
        d.grid->setCurrentIndex(Cell(d.grid, 3));
        QTest::keyClick(d.grid, Qt::Key_Backspace);
        QCOMPARE(d.Row(), (QStringList{"", "500", "", ""}));
        QCOMPARE(d.g.requests(), 2);
    }

    // XP and p_invisibility / p_serpent are integer arrays, the rest Float: arrays; the texts
    // themselves are the plugin number check's to judge. The text goes to the list
    // unchanged, mark or not, and put right the mark goes.
    void cellsThePluginRejects()
    {
        for (const auto& [field, text, reasonPart] : {std::tuple{"xpLevelSaved", "2400", ""},
                                                      {"xpLevelSaved", "0,5", "Запятая"},
                                                      {"serpentList", "1.0", "целочисленный"},
                                                      {"healList", "6.0", ""},
                                                      {"orbList", "25", "Float"}}) {
            MarkedGrid g(field);
            const int last = g.grid->columnCount() - 1;
            const QString original = g.grid->cellText(last);
            g.Commit(last, QString::fromUtf8(text));
            const QModelIndex cell = Cell(g.grid, last);
            QCOMPARE(g.list().at(static_cast<std::size_t>(last)), std::string(text));
            if (*reasonPart == '\0') {
                QVERIFY(Unmarked(cell));
            } else {
                QVERIFY(Tinted(cell, kRejectedTextTint));
                QVERIFY2(ToolTip(cell).contains(QString::fromUtf8(reasonPart)), qPrintable(ToolTip(cell)));
            }
            g.Commit(last, original);
            QVERIFY(Unmarked(cell));
        }
    }

    // The grids and the count before a compile judge the same lists.
    void listLengthAgainstTheDeclaredSize()
    {
        MarkedGrid xp("xpLevelSaved");
        MarkedGrid heal("healList");
        QCOMPARE(CountMarkedForCompile(xp.model()), 0U);
        QVERIFY(MarkedCountNote(0).isEmpty());
        // The level count moved to 13; the lists were made for 10.
        xp.SetText(LevelCountValue().text, "13");
        heal.SetText(LevelCountValue().text, "13");
        for (int c = 0; c < xp.grid->columnCount(); ++c)
            QVERIFY(Tinted(Cell(xp.grid, c), kWrongLengthTint));
        QVERIFY(ToolTip(Cell(xp.grid, 0)).contains(QStringLiteral("объявляет 14")));
        QVERIFY(xp.grid->toolTip().contains(QStringLiteral("объявляет 14")));
        QVERIFY(ToolTip(Cell(heal.grid, 1)).contains(QStringLiteral("MAX_SKILL_LEVEL")));

        // A bad text in a grid of the wrong length: the text's tint, both reasons.
        xp.Commit(2, QStringLiteral("1O"));
        QVERIFY(Tinted(Cell(xp.grid, 2), kRejectedTextTint));
        QVERIFY(ToolTip(Cell(xp.grid, 2)).contains(QStringLiteral("Не число")));
        QVERIFY(ToolTip(Cell(xp.grid, 2)).contains(QStringLiteral("объявляет 14")));
        xp.SetText(&tarnekArrayStruct::hexMaxChance, "0,5");
        QCOMPARE(CountMarkedForCompile(xp.model()), 33U);  // 31 lists, the text and the box
        QVERIFY(MarkedCountNote(33).contains(QStringLiteral("33")));

        // Refilled at the declared length, nothing is marked.
        xp.Show(ValueList(std::vector<std::string>(14, "0")));
        QVERIFY(Unmarked(Cell(xp.grid, 13)));
        QVERIFY(xp.grid->toolTip().isEmpty());
    }

    // A box whose text reaches the plugin is marked as it is typed. A chance is written
    // normalised: blank and whole numbers are fine as they become n.0; fill parameters
    // never reach the plugin.
    void parameterBoxes()
    {
        for (const auto& [field, text, reasonPart] : {std::tuple{"devotionValue", "2.5", "целочисленный"},
                                                      {"evasionMaxChance", "", ""},
                                                      {"hexMaxChance", "0,5", "«1.0»"},
                                                      {"vampiricIncrement", "abc", ""}}) {
            const TextField member = std::string_view(field) == "devotionValue"
                                         ? DevotionValue().text
                                         : Parameters()[*FindParameter(field)].text;
            QLineEdit box;
            const QColor normal = box.palette().color(QPalette::Base);
            const QString reason = QString::fromUtf8(reasonPart);
            box.setText(QStringLiteral("1"));
            KeepBoxMarked(&box, member);
            box.setText(QString::fromUtf8(text));
            QCOMPARE(box.toolTip().isEmpty(), reason.isEmpty());
            QVERIFY2(box.toolTip().contains(reason), qPrintable(box.toolTip()));
            QCOMPARE(box.palette().color(QPalette::Base), reason.isEmpty() ? normal : kRejectedTextTint);
        }
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
