#include <QLineEdit>
#include <QTest>

#include "CellMarking.h"
#include "Descriptors.h"
#include "GridOperations.h"
#include "InitialConfiguration.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekCtrlStruct.h"

namespace {

int CodeOf(std::string_view field)
{
    return static_cast<int>(*FindList(field));
}

bool IsTinted(const QTableWidgetItem* cell, const QColor& tint)
{
    return cell->data(Qt::BackgroundRole).value<QBrush>().color() == tint;
}

bool IsUnmarked(const QTableWidgetItem* cell)
{
    return !cell->data(Qt::BackgroundRole).isValid() && cell->toolTip().isEmpty();
}

} // namespace

class TestCellMarking final : public QObject {
    Q_OBJECT

private slots:
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
        tarnekArrayStruct model = InitialConfiguration();
        tarnekCtrlStruct table;
        table.model = &model;
        const int code = CodeOf(field.toStdString());
        tarnekBaseListCtrl grid(code);
        table.BindGrid(&grid);
        KeepGridMarked(&grid, model);
        ValueList& list = model.*ValueLists()[static_cast<std::size_t>(code)].list;
        table.FillGrid(&grid, list);
        for (int c = 0; c < grid.columnCount(); ++c)
            QVERIFY(IsUnmarked(grid.item(0, c)));

        // Typed into the last cell and committed, as Enter in the cell editor does.
        const int last = grid.columnCount() - 1;
        table.editColumn = last;
        table.CommitCellEdit(&grid, 0, text, grid.columnCount());
        const QTableWidgetItem* cell = grid.item(0, last);
        QCOMPARE(cell->text(), text);
        if (reasonPart.isEmpty()) {
            QVERIFY(IsUnmarked(cell));
        } else {
            QVERIFY(IsTinted(cell, kRejectedTextTint));
            QVERIFY2(cell->toolTip().contains(reasonPart), qPrintable(cell->toolTip()));
        }
        QVERIFY(IsUnmarked(grid.item(0, 0)));

        // The grid's text goes to the model unchanged, mark or not.
        ReadGridRow(&grid, list);
        QCOMPARE(QString::fromStdString(list.at(static_cast<std::size_t>(last))), text);

        // Put right, the mark goes.
        const tarnekArrayStruct carried = InitialConfiguration();
        const ValueList& original = carried.*ValueLists()[static_cast<std::size_t>(code)].list;
        table.CommitCellEdit(&grid, 0, QString::fromStdString(original.at(static_cast<std::size_t>(last))), grid.columnCount());
        QVERIFY(IsUnmarked(cell));
    }

    void listLengthAgainstTheDeclaredSize()
    {
        tarnekArrayStruct model = InitialConfiguration();
        tarnekCtrlStruct table;
        table.model = &model;
        tarnekBaseListCtrl xp(CodeOf("xpLevelSaved"));
        tarnekBaseListCtrl heal(CodeOf("healList"));
        for (tarnekBaseListCtrl* grid : {&xp, &heal}) {
            table.BindGrid(grid);
            KeepGridMarked(grid, model);
        }
        table.FillGrid(&xp, model.xpLevelSaved);
        table.FillGrid(&heal, model.healList);
        QVERIFY(xp.toolTip().isEmpty());

        // The level count moved to 13; the lists were made for 10.
        model.levelCountText = "13";
        MarkTableGrids(table);
        for (int c = 0; c < xp.columnCount(); ++c)
            QVERIFY(IsTinted(xp.item(0, c), kWrongLengthTint));
        QVERIFY2(xp.item(0, 0)->toolTip().contains(QStringLiteral("объявляет 14")), qPrintable(xp.item(0, 0)->toolTip()));
        QVERIFY(xp.item(0, 0)->toolTip().contains(QStringLiteral("нулями")));
        QVERIFY(heal.item(0, 1)->toolTip().contains(QStringLiteral("MAX_SKILL_LEVEL")));
        QVERIFY(!xp.toolTip().isEmpty());

        // A bad text in a grid of the wrong length: the text's tint, both reasons.
        table.editColumn = 2;
        table.CommitCellEdit(&xp, 0, QStringLiteral("1O"), xp.columnCount());
        QVERIFY(IsTinted(xp.item(0, 2), kRejectedTextTint));
        QVERIFY(xp.item(0, 2)->toolTip().contains(QStringLiteral("Не число")));
        QVERIFY(xp.item(0, 2)->toolTip().contains(QStringLiteral("объявляет 14")));

        // A refill with the new count fits; the other grid stays marked.
        RunFill(ValueLists()[static_cast<std::size_t>(CodeOf("xpLevelSaved"))], model, 14);
        ClearGrid(&xp);
        table.FillGrid(&xp, model.xpLevelSaved);
        QCOMPARE(xp.columnCount(), 14);
        for (int c = 0; c < xp.columnCount(); ++c)
            QVERIFY(IsUnmarked(xp.item(0, c)));
        QVERIFY(xp.toolTip().isEmpty());
        QVERIFY(IsTinted(heal.item(0, 0), kWrongLengthTint));

        // Back to 7 levels: the 14-element list is longer than the plugin allows.
        model.levelCountText = "7";
        MarkTableGrids(table);
        QVERIFY(xp.item(0, 13)->toolTip().contains(QStringLiteral("лишние")));
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
        TextField member = field == QStringLiteral("devotionValue")
            ? DevotionValue().text
            : Parameters()[*FindParameter(field.toStdString())].text;
        QLineEdit box;
        const QColor normal = box.palette().color(QPalette::Base);
        box.setText(QStringLiteral("1"));
        KeepBoxMarked(&box, member);
        box.setText(text);
        QCOMPARE(box.text(), text);
        if (reasonPart.isEmpty()) {
            QVERIFY(box.toolTip().isEmpty());
            QCOMPARE(box.palette().color(QPalette::Base), normal);
        } else {
            QVERIFY2(box.toolTip().contains(reasonPart), qPrintable(box.toolTip()));
            QCOMPARE(box.palette().color(QPalette::Base), kRejectedTextTint);
            box.setText(QStringLiteral("7"));
            QVERIFY(box.toolTip().isEmpty());
            QCOMPARE(box.palette().color(QPalette::Base), normal);
        }
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

QTEST_MAIN(TestCellMarking)
#include "tst_cellmarking.moc"
