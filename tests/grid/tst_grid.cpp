#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "CellMarking.h"
#include "DialogBase.h"
#include "GridOperations.h"
#include "GuiTestSupport.h"
#include "InitialConfiguration.h"
#include "UserMessageBox.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekCtrlStruct.h"
#include "tarnekEditCtrl.h"

namespace {

// A dialog with a grid and a line edit, as the editor's dialogs hold them.
struct GridDialog {
    tarnekArrayStruct model;
    tarnekCtrlStruct table;
    DialogBase dialog;
    tarnekBaseListCtrl* grid = new tarnekBaseListCtrl(0, &dialog);
    QLineEdit* other = new QLineEdit(&dialog);

    GridDialog()
    {
        model.xpLevelShortTerm = {"0", "500", "1000", "1500"};
        table.model = &model;
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(grid);
        layout->addWidget(other);
        table.BindGrid(grid);
        table.FillGrid(grid, model.xpLevelShortTerm);
        dialog.resize(600, 200);
        dialog.show();
        dialog.activateWindow();
    }

    tarnekEditCtrl* OpenEditor(int column)
    {
        DoubleClick(grid->viewport(), CellCentre(grid, column));
        return table.editor.data();
    }
};

// A grid of the list's own target code, bound and kept marked as the dialogs do it.
struct MarkedGrid {
    tarnekArrayStruct model = InitialConfiguration();
    tarnekCtrlStruct table;
    tarnekBaseListCtrl grid;

    explicit MarkedGrid(std::string_view field) : grid(CodeOf(field))
    {
        table.model = &model;
        table.BindGrid(&grid);
        KeepGridMarked(&grid, model);
        table.FillGrid(&grid, ListOf(model, field));
    }

    // Typed into a cell and committed, as Enter in the cell editor does.
    void Commit(int column, const QString& text)
    {
        table.editColumn = column;
        table.CommitCellEdit(&grid, 0, text, grid.columnCount());
    }
};

}  // namespace

class TestGrid final : public QObject {
    Q_OBJECT

private slots:
    void init() { UserMessageBox::SetUnattended(true); }
    void cleanup() { UserMessageBox::SetUnattended(false); }

    void sizingOnlyWidensAndReadingKeepsTheListLength()
    {
        tarnekCtrlStruct table;
        tarnekBaseListCtrl grid(0);
        const QString wide(QStringLiteral("12345678901234567890"));
        table.FillGrid(&grid, ValueList{"1", wide.toStdString(), "c"});
        const int wideWidth = QFontMetrics(grid.font()).horizontalAdvance(wide) + 15;
        QVERIFY(wideWidth > 50);
        table.SizeGridColumns(&grid, 3);
        QCOMPARE(grid.columnWidth(0), 50);
        QCOMPARE(grid.columnWidth(1), wideWidth);
        grid.item(0, 1)->setText(QStringLiteral("1,5"));
        table.SizeGridColumns(&grid, 3);
        QCOMPARE(grid.columnWidth(1), wideWidth);

        ValueList shorter{"x", "y"};
        ReadGridRow(&grid, shorter);
        QCOMPARE(shorter, (ValueList{"1", "1,5"}));
        ValueList longer{"x", "y", "z", "w"};
        ReadGridRow(&grid, longer);
        QCOMPARE(longer, (ValueList{"1", "1,5", "c", "w"}));
    }

    void enterCommitsAnyTextUnchanged_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::newRow("wider than the column") << QStringLiteral("Очень длинное значение уровня") << int(Qt::Key_Return);
        QTest::newRow("empty") << QString() << int(Qt::Key_Enter);
        QTest::newRow("comma") << QStringLiteral("1,5") << int(Qt::Key_Return);
        QTest::newRow("letters") << QStringLiteral("abc") << int(Qt::Key_Enter);
        QTest::newRow("spaces kept") << QStringLiteral(" 7 ") << int(Qt::Key_Return);
    }

    void enterCommitsAnyTextUnchanged()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        GridDialog d;
        QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
        tarnekEditCtrl* editor = d.OpenEditor(1);
        QVERIFY(editor != nullptr);
        QVERIFY(editor->hasFocus());
        QCOMPARE(editor->selectedText(), QStringLiteral("500"));
        QTest::keyClick(editor, Qt::Key_Delete);
        TypeText(editor, typed);
        QTest::keyClick(editor, Qt::Key(key));

        QCOMPARE(d.grid->cellText(1), typed);
        QCOMPARE(d.grid->columnWidth(1), std::max(50, QFontMetrics(d.grid->font()).horizontalAdvance(typed) + 15));
        QCOMPARE(d.grid->columnWidth(0), 50);
        QVERIFY(d.dialog.isVisible());
        // The model learns of the edit only when its dialog reads the grid back.
        QCOMPARE(d.model.xpLevelShortTerm.at(1), std::string("500"));
        QTRY_VERIFY(d.table.editor.isNull());
    }

    void escapeTabAndFocusLossLeaveTheCell_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("escape") << 0;
        QTest::newRow("tab") << 1;
        QTest::newRow("other control") << 2;
        QTest::newRow("other cell") << 3;
    }

    void escapeTabAndFocusLossLeaveTheCell()
    {
        QFETCH(int, how);
        GridDialog d;
        QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
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
        QCOMPARE(d.grid->columnWidth(1), 50);
        QVERIFY(d.dialog.isVisible());
    }

    void noEditorBelowTheRowAndNoneOutlivesItsDialog()
    {
        QPointer<tarnekEditCtrl> editor;
        {
            GridDialog d;
            QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
            const QRect cell = d.grid->visualRect(d.grid->model()->index(0, 0));
            DoubleClick(d.grid->viewport(), QPoint(cell.center().x(), cell.bottom() + 10));
            QVERIFY(d.table.editor.isNull());
            QVERIFY(!d.table.StartCellEdit(d.grid, 1, 0));
            editor = d.OpenEditor(0);
            QVERIFY(editor);
        }
        QVERIFY(editor.isNull());
    }

    void cellsThePluginRejects_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reasonPart");  // empty: accepted
        // XP and p_invisibility / p_serpent are integer arrays, the rest Float: arrays.
        QTest::newRow("xp integer") << "xpLevelSaved" << "2400" << "";
        QTest::newRow("xp comma") << "xpLevelSaved" << "0,5" << "Запятая";
        QTest::newRow("xp letter O") << "xpGivenShortTerm" << "1O" << "Не число";
        QTest::newRow("xp empty") << "xpGivenSaved" << "" << "Пустое";
        QTest::newRow("xp decimal") << "xpLevelShortTerm" << "2.5" << "целочисленный";
        QTest::newRow("invisibility integer") << "invisibilityList" << "-35" << "";
        QTest::newRow("serpent decimal") << "serpentList" << "1.0" << "целочисленный";
        QTest::newRow("float decimal") << "healList" << "6.0" << "";
        QTest::newRow("float exponent form") << "vampiricList" << "1e+006.0" << "Экспоненциальная";
        QTest::newRow("float integer") << "orbList" << "25" << "Float";
        QTest::newRow("float comma") << "levitationList" << "0,8" << "Запятая";
    }

    void cellsThePluginRejects()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, reasonPart);
        MarkedGrid g(field.toStdString());
        for (int c = 0; c < g.grid.columnCount(); ++c)
            QVERIFY(Unmarked(g.grid.item(0, c)));

        const int last = g.grid.columnCount() - 1;
        const QString original = g.grid.cellText(last);
        g.Commit(last, text);
        const QTableWidgetItem* cell = g.grid.item(0, last);
        QCOMPARE(cell->text(), text);
        if (reasonPart.isEmpty()) {
            QVERIFY(Unmarked(cell));
        } else {
            QVERIFY(Tinted(cell, kRejectedTextTint));
            QVERIFY2(cell->toolTip().contains(reasonPart), qPrintable(cell->toolTip()));
        }
        QVERIFY(Unmarked(g.grid.item(0, 0)));

        // The grid's text goes to the model unchanged, mark or not.
        ValueList& list = ListOf(g.model, field.toStdString());
        ReadGridRow(&g.grid, list);
        QCOMPARE(QString::fromStdString(list.at(static_cast<std::size_t>(last))), text);
        // Put right, the mark goes.
        g.Commit(last, original);
        QVERIFY(Unmarked(cell));
    }

    void listLengthAgainstTheDeclaredSize()
    {
        MarkedGrid xp("xpLevelSaved");
        MarkedGrid heal("healList");
        // The level count moved to 13; the lists were made for 10.
        xp.model.levelCountText = heal.model.levelCountText = "13";
        MarkTableGrids(xp.table);
        MarkTableGrids(heal.table);
        for (int c = 0; c < xp.grid.columnCount(); ++c)
            QVERIFY(Tinted(xp.grid.item(0, c), kWrongLengthTint));
        QVERIFY(xp.grid.item(0, 0)->toolTip().contains(QStringLiteral("объявляет 14")));
        QVERIFY(heal.grid.item(0, 1)->toolTip().contains(QStringLiteral("MAX_SKILL_LEVEL")));

        // A bad text in a grid of the wrong length: the text's tint, both reasons.
        xp.Commit(2, QStringLiteral("1O"));
        QVERIFY(Tinted(xp.grid.item(0, 2), kRejectedTextTint));
        QVERIFY(xp.grid.item(0, 2)->toolTip().contains(QStringLiteral("Не число")));
        QVERIFY(xp.grid.item(0, 2)->toolTip().contains(QStringLiteral("объявляет 14")));

        // At 7 levels the 11-element list is longer than the plugin allows.
        xp.model.levelCountText = "7";
        MarkTableGrids(xp.table);
        QVERIFY(xp.grid.item(0, 10)->toolTip().contains(QStringLiteral("лишние")));
    }

    void parameterBoxes_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reasonPart");
        QTest::newRow("devotion integer") << "devotionValue" << "25" << "";
        QTest::newRow("devotion empty") << "devotionValue" << "" << "Пустое";
        QTest::newRow("devotion decimal") << "devotionValue" << "2.5" << "целочисленный";
        // A chance is written normalised: blank and whole numbers are fine as they become n.0.
        QTest::newRow("chance empty") << "evasionMaxChance" << "" << "";
        QTest::newRow("chance whole") << "bashMaxChance" << "5" << "";
        QTest::newRow("chance decimal") << "orbMaxChance" << "0.25" << "";
        QTest::newRow("chance comma") << "hexMaxChance" << "0,5" << "«1.0»";
        QTest::newRow("chance letter") << "fanMaxChance" << "1O" << "«1O.0»";
        QTest::newRow("chance two points") << "shadowMaxChance" << "0.5.1" << "Не число";
        // Fill parameters never reach the plugin.
        QTest::newRow("fill parameter") << "vampiricIncrement" << "abc" << "";
    }

    void parameterBoxes()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, reasonPart);
        const TextField member = field == QStringLiteral("devotionValue")
                                     ? DevotionValue().text
                                     : Parameters()[*FindParameter(field.toStdString())].text;
        QLineEdit box;
        const QColor normal = box.palette().color(QPalette::Base);
        box.setText(QStringLiteral("1"));
        KeepBoxMarked(&box, member);
        box.setText(text);
        QCOMPARE(box.text(), text);
        QCOMPARE(box.toolTip().isEmpty(), reasonPart.isEmpty());
        QVERIFY2(box.toolTip().contains(reasonPart), qPrintable(box.toolTip()));
        QCOMPARE(box.palette().color(QPalette::Base), reasonPart.isEmpty() ? normal : kRejectedTextTint);
        box.setText(QStringLiteral("7"));
        QVERIFY(box.toolTip().isEmpty());
        QCOMPARE(box.palette().color(QPalette::Base), normal);
    }

    void countBeforeCompiling()
    {
        tarnekArrayStruct model = InitialConfiguration();
        QCOMPARE(CountMarkedForCompile(model), 0U);
        QVERIFY(MarkedCountNote(0).isEmpty());
        model.xpGivenSaved.set(4, "1O");
        model.hexMaxChance = "0,5";
        model.levelCountText = "13";  // 31 lists now the wrong length
        QCOMPARE(CountMarkedForCompile(model), 33U);
        QVERIFY(MarkedCountNote(33).contains(QStringLiteral("33")));
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
