#include <memory>

#include <QChart>
#include <QCheckBox>
#include <QLineSeries>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QValueAxis>

#include "ChartVisibility.h"
#include "CurveChart.h"
#include "CurvePoints.h"
#include "Descriptors.h"
#include "GridOperations.h"
#include "InitialConfiguration.h"
#include "TextReadings.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekCtrlStruct.h"
#include "PointedGridCurve.h"

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

// All points of a curve, in order, across its gap-separated series.
QList<QPointF> Plotted(const CurveChart& chart, int curve)
{
    QList<QPointF> points;
    for (const QLineSeries* series : chart.curveSeries(curve))
        points.append(series->points());
    return points;
}

// What the chart must show for a list: every text that is a number, at its level.
QList<QPointF> Expected(const ValueList& list)
{
    QList<QPointF> points;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (ReadPlottedNumber(list.at(i)))
            points.append(QPointF(static_cast<double>(i), ReadDecimal(list.at(i))));
    }
    return points;
}

// The main window's four XP grids, as the editor fills them from the model.
struct XpGrids {
    tarnekArrayStruct model = InitialConfiguration();
    tarnekCtrlStruct table;
    std::vector<std::unique_ptr<tarnekBaseListCtrl>> grids;
    CurveChart chart;

    XpGrids()
    {
        table.model = &model;
        for (int code = 0; code < 4; ++code) {
            grids.push_back(std::make_unique<tarnekBaseListCtrl>(code));
            table.BindGrid(grids.back().get());
            const ListDescriptor& d = ValueLists()[static_cast<std::size_t>(code)];
            table.FillGrid(grids.back().get(), model.*d.list);
            chart.addCurve(QString::fromUtf8(d.field.data(), static_cast<qsizetype>(d.field.size())),
                           grids.back()->model(), code < 2 ? CurveChart::Scale::Left : CurveChart::Scale::Right);
        }
    }

    void Refill(int code)
    {
        tarnekBaseListCtrl* grid = grids[static_cast<std::size_t>(code)].get();
        const ListDescriptor& d = ValueLists()[static_cast<std::size_t>(code)];
        ClearGrid(grid);
        table.FillGrid(grid, model.*d.list);
        table.SizeGridColumns(grid, static_cast<int>((model.*d.list).size()));
    }

    void ExpectModelShown()
    {
        for (int code = 0; code < 4; ++code) {
            const ValueList& list = model.*ValueLists()[static_cast<std::size_t>(code)].list;
            QCOMPARE(Plotted(chart, code), Expected(list));
            QCOMPARE(chart.curveTexts(code).size(), static_cast<qsizetype>(list.size()));
        }
    }
};

} // namespace

class TestCharts final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
    }

    void plottedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("value");
        QTest::newRow("integer") << "52800" << std::optional<double>(52800);
        QTest::newRow("blanks around") << " 7 " << std::optional<double>(7);
        QTest::newRow("negative decimal") << "-0.20" << std::optional<double>(-0.2);
        QTest::newRow("exponent") << "1.5e3" << std::optional<double>(1500);
        QTest::newRow("comma") << "0,5" << std::optional<double>();
        QTest::newRow("letter O") << "1O" << std::optional<double>();
        QTest::newRow("empty") << "" << std::optional<double>();
        QTest::newRow("fill rule's huge step") << "1e+006.0" << std::optional<double>();
        QTest::newRow("overflow") << "1e999" << std::optional<double>();
        QTest::newRow("sign alone") << "-" << std::optional<double>();
        QTest::newRow("exponent without digits") << "2e" << std::optional<double>();
    }

    void plottedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, value);
        QCOMPARE(ReadPlottedNumber(text.toStdString()), value);
    }

    void gapsSplitTheCurve()
    {
        const auto segments = CurveSegments({"1", "2", "x", "4", "", "", "6", "7", "0,5"});
        QCOMPARE(segments.size(), 3U);
        QCOMPARE(segments[0], (std::vector<QPointF>{{0, 1}, {1, 2}}));
        QCOMPARE(segments[1], (std::vector<QPointF>{{3, 4}}));
        QCOMPARE(segments[2], (std::vector<QPointF>{{6, 6}, {7, 7}}));
        QVERIFY(CurveSegments({"", "a"}).empty());
    }

    void seriesFollowFillCommitAndLevelChange()
    {
        XpGrids xp;
        xp.ExpectModelShown();

        // A fill of the saved XP table with another multiplier.
        xp.model.xpLevelSavedMultiplier = "3";
        RunFill(ValueLists()[1], xp.model, FillCount(ValueLists()[1], xp.model));
        xp.Refill(1);
        QTRY_COMPARE(Plotted(xp.chart, 1), Expected(xp.model.xpLevelSaved));
        QCOMPARE(Plotted(xp.chart, 1).at(2), QPointF(2, ReadDecimal(xp.model.xpLevelSaved.at(2))));

        // Committed cell edits: a number moves the point, a typo leaves a gap.
        xp.table.editColumn = 4;
        xp.table.CommitCellEdit(xp.grids[0].get(), 0, QStringLiteral("12345"), 11);
        xp.table.editColumn = 6;
        xp.table.CommitCellEdit(xp.grids[0].get(), 0, QStringLiteral("1O"), 11);
        ReadGridRow(xp.grids[0].get(), xp.model.xpLevelShortTerm);
        QTRY_COMPARE(Plotted(xp.chart, 0), Expected(xp.model.xpLevelShortTerm));
        QCOMPARE(xp.chart.curveSeries(0).size(), 2);
        QVERIFY(Plotted(xp.chart, 0).contains(QPointF(4, 12345)));

        // The level-count change refills all four grids with 14 columns.
        xp.model.levelCountText = "13";
        RecomputeAllLists(xp.model);
        for (int code = 0; code < 4; ++code)
            xp.Refill(code);
        QTRY_COMPARE(xp.chart.curveTexts(0).size(), 14);
        xp.ExpectModelShown();
        QCOMPARE(xp.chart.curveSeries(0).size(), 1);
        const auto* levels = qobject_cast<QValueAxis*>(xp.chart.chart()->axes(Qt::Horizontal).first());
        QCOMPARE(levels->max(), 13.0);
    }

    void valuesThatAreNotNumbersNeverCrash()
    {
        XpGrids xp;
        for (std::size_t i = 0; i < xp.model.xpGivenSaved.size(); ++i)
            xp.model.xpGivenSaved.set(i, i % 2 ? "" : "1e+006.0");
        xp.Refill(3);
        xp.chart.refresh();
        QCOMPARE(Plotted(xp.chart, 3), QList<QPointF>());
        QCOMPARE(xp.chart.curveSeries(3).size(), 1);  // kept for its legend entry
        xp.chart.pointAt(3, QPointF(2, 0));
        QVERIFY(xp.chart.pointedText().contains(QStringLiteral("не число")));

        // Grids that go away leave an empty curve, not a dangling one.
        xp.grids[3].reset();
        xp.chart.refresh();
        QCOMPARE(xp.chart.curveTexts(3), QStringList());
        xp.chart.pointAtLevel(50);
        xp.chart.resize(400, 300);
        xp.chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&xp.chart));
    }

    void valueUnderTheMouseIsShown()
    {
        XpGrids xp;
        QSignalSpy pointed(&xp.chart, &CurveChart::valuePointed);
        // Hovering the saved-XP line near level 2 names level 2 with the cell's text.
        emit xp.chart.curveSeries(1).first()->hovered(QPointF(2.3, 4000), true);
        QCOMPARE(pointed.count(), 1);
        QCOMPARE(pointed.first().at(1).toInt(), 2);
        QCOMPARE(pointed.first().at(2).toString(), QString::fromStdString(xp.model.xpLevelSaved.at(2)));
        QVERIFY(xp.chart.pointedText().startsWith(QStringLiteral("Уровень 2 — xpLevelSaved: ")));

        xp.chart.pointAtLevel(9.6);
        QVERIFY(xp.chart.pointedText().contains(QString::fromStdString("xpGivenSaved: " + xp.model.xpGivenSaved.at(10))));
        // Beyond the last level nothing is claimed.
        const QString before = xp.chart.pointedText();
        xp.chart.pointAt(0, QPointF(40, 0));
        QCOMPARE(xp.chart.pointedText(), before);
    }

    void oneChartFollowsThePointedGrid()
    {
        tarnekArrayStruct model = InitialConfiguration();
        tarnekCtrlStruct table;
        table.model = &model;
        tarnekBaseListCtrl first(4);
        tarnekBaseListCtrl second(5);
        table.FillGrid(&first, model.vampiricList);
        table.FillGrid(&second, model.invisibilityList);
        CurveChart chart;
        PointedGridCurve pointer(&chart, {{QStringLiteral("Вампиризм"), &first}, {QStringLiteral("Невидимость"), &second}});
        QCOMPARE(chart.curveCount(), 1);
        QCOMPARE(Plotted(chart, 0), Expected(model.vampiricList));

        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(second.viewport(), &enter);
        QCOMPARE(pointer.shownBand(), 1);
        QCOMPARE(chart.curveName(0), QStringLiteral("Невидимость"));
        QCOMPARE(Plotted(chart, 0), Expected(model.invisibilityList));

        QFocusEvent focus(QEvent::FocusIn);
        QCoreApplication::sendEvent(&first, &focus);
        QCOMPARE(pointer.shownBand(), 0);
        QCOMPARE(Plotted(chart, 0), Expected(model.vampiricList));
    }

    void hiddenChartIsRemembered()
    {
        QWidget window;
        auto* chart = new CurveChart(&window);
        auto* toggle = new QCheckBox(&window);
        BindChartVisibility(toggle, chart, QStringLiteral("test/chartShown"));
        window.show();
        QVERIFY(toggle->isChecked());
        QVERIFY(chart->isVisible());
        toggle->setChecked(false);
        QVERIFY(!chart->isVisible());

        QWidget again;
        auto* chart2 = new CurveChart(&again);
        auto* toggle2 = new QCheckBox(&again);
        BindChartVisibility(toggle2, chart2, QStringLiteral("test/chartShown"));
        again.show();
        QVERIFY(!toggle2->isChecked());
        QVERIFY(!chart2->isVisible());
        QSettings().remove(QStringLiteral("test/chartShown"));
    }
};

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
