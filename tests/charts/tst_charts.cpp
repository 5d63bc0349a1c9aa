#include <memory>

#include <QAbstractButton>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QScrollArea>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QValueAxis>

#include "charts/ChartPane.h"
#include "charts/CurveChart.h"
#include "charts/CurvePoints.h"
#include "charts/ProgressionChart.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace {

// A one-row grid holding the texts, as the editor's grids hold a list.
std::unique_ptr<QTableWidget> Row(const QStringList& texts)
{
    auto grid = std::make_unique<QTableWidget>(1, static_cast<int>(texts.size()));
    for (int i = 0; i < texts.size(); ++i)
        grid->setItem(0, i, new QTableWidgetItem(texts[i]));
    return grid;
}

ChartPane* ShownPane(QWidget& window)
{
    auto* pane = new ChartPane(window, new QWidget(), QStringLiteral("График"), QStringLiteral("test/shown"), 100);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(pane->splitter());
    layout->addLayout(pane->row());
    window.show();
    return pane;
}

// The texts a chart draws: its axes' labels and titles, the legend.
QStringList DrawnTexts(const QChart* chart)
{
    QStringList texts;
    for (const QGraphicsItem* item : chart->scene()->items())
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item))
            texts.append(text->toPlainText().replace(QChar(0x00A0), QLatin1Char(' ')));
    return texts;
}

}  // namespace

class TestCharts final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTestSettings();
        QSettings().clear();
    }

    // Only a text that is a number as a whole is plotted; a typo, the fill rule's huge step
    // or an overflow leaves a gap.
    void plottedNumbers()
    {
        const std::pair<const char*, std::optional<double>> cases[] = {
            {"52800", 52800},           {"-0.20", -0.2},         {"1.5e3", 1500},     {"0,5", std::nullopt},
            {"1e+006.0", std::nullopt}, {"1e999", std::nullopt}, {"2e", std::nullopt}};
        for (const auto& [text, value] : cases)
            QCOMPARE(ReadPlottedNumber(text), value);
    }

    void curvesFollowTheirRowsAndSurviveTexts()
    {
        auto xp = Row({"0", "500", "1000"});
        auto typos = Row({"", "1e+006.0", "0,5"});
        CurveChart chart;
        chart.AddCurve(QStringLiteral("xp"), xp->model());
        chart.AddCurve(QStringLiteral("typos"), typos->model(), CurveChart::Scale::Right);
        QCOMPARE(Plotted(chart, 0), (QList<QPointF>{{0, 0}, {1, 500}, {2, 1000}}));
        QCOMPARE(Plotted(chart, 1), QList<QPointF>());
        QCOMPARE(chart.curveSeries(1).size(), 1);  // kept for its legend entry
        // Hovering a line names the nearest level with the text there.
        emit chart.curveSeries(0).first()->hovered(QPointF(1.6, 400), true);
        QCOMPARE(chart.pointedText(), QStringLiteral("Уровень 2 — xp: 1000"));

        // A typo splits the curve; a new column widens the level axis.
        xp->item(0, 1)->setText(QStringLiteral("1O"));
        xp->insertColumn(3);
        xp->setItem(0, 3, new QTableWidgetItem(QStringLiteral("1500")));
        QTRY_COMPARE(chart.curveSeries(0).size(), 2);
        QCOMPARE(Plotted(chart, 0), (QList<QPointF>{{0, 0}, {2, 1000}, {3, 1500}}));
        const auto* levels = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Horizontal).first());
        QCOMPARE(levels->max(), 3.0);
        chart.PointAt(1, QPointF(1, 0));
        QVERIFY(chart.pointedText().contains(QStringLiteral("не число")));

        // A row that goes away leaves an empty curve, not a dangling one.
        typos.reset();
        chart.Refresh();
        QCOMPARE(chart.curveTexts(1), QStringList());
        chart.PointAtLevel(50);
        chart.resize(400, 300);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
    }

    // Axis labels as a person writes the numbers, never "5e+06"; at 1,000 levels (a count
    // stored by another program) the level labels still fit a narrow chart.
    void axisLabelsAreWrittenOut()
    {
        QStringList texts;
        for (int level = 0; level <= 1000; ++level)
            texts.append(QString::number(level * 5000));
        auto xp = Row(texts);
        CurveChart chart;
        chart.AddCurve(QStringLiteral("xp"), xp->model());
        chart.resize(500, 300);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QTRY_VERIFY(DrawnTexts(chart.chart()).contains(QStringLiteral("5 000 000")));
        const QStringList drawn = DrawnTexts(chart.chart());
        QVERIFY2(drawn.contains(QStringLiteral("1 000")), qPrintable(drawn.join(QLatin1Char('|'))));
        for (const QString& text : drawn)
            QVERIFY2(!text.contains(QLatin1Char('e')) && !text.contains(QChar(0x2026)), qPrintable(text));
    }

    // The carried tables: short-term 50, 34, 25, 20, 17 kills for levels 1 to 5, saved 334,
    // 300, 320, 334, 343.
    void progressionFollowsTheXpGrids()
    {
        const tarnekArrayStruct carried = InitialConfiguration();
        std::array<std::unique_ptr<QTableWidget>, 4> rows{
            Row(Texts(carried.xpLevelShortTerm)), Row(Texts(carried.xpLevelSaved)),
            Row(Texts(carried.xpGivenShortTerm)), Row(Texts(carried.xpGivenSaved))};
        ProgressionChart chart({rows[0]->model(), rows[1]->model(), rows[2]->model(), rows[3]->model()});
        chart.show();
        QCOMPARE(chart.series(XpMode::ShortTerm)->points().mid(0, 4),
                 (QList<QPointF>{{0, 0}, {1, 50}, {2, 84}, {3, 109}}));
        chart.PointAtLevel(5.2);
        QCOMPARE(chart.pointedText(),
                 QStringLiteral("Уровень 5, убийств — Не сохраняемые XP (kq4_save_xp 0): 17 за уровень, 146 всего; "
                                "Сохраняемые XP (kq4_save_xp 1): 343 за уровень, 1631 всего"));
        QVERIFY(chart.gapsText().isEmpty());

        // Kills per hour turn the totals into hours; the step stays in kills.
        chart.killsPerHourBox()->setValue(60);
        QCOMPARE(chart.series(XpMode::ShortTerm)->points().at(5), QPointF(5, 146.0 / 60));
        chart.PointAtLevel(5);
        QVERIFY(chart.pointedText().contains(QStringLiteral("17 за уровень, 2.4 ч всего")));
        chart.killsPerHourBox()->setValue(0);

        // A kill worth nothing at level 3: the total ends there and the gap is named.
        rows[2]->item(0, 3)->setText(QStringLiteral("0"));
        QTRY_COMPARE(chart.series(XpMode::ShortTerm)->points().size(), 4);
        QVERIFY(chart.gapsText().contains(QStringLiteral("с уровня 4 не определено")));

        // Fewer levels in the grids, as after a level-count change.
        for (auto& row : rows)
            row->setColumnCount(6);
        QTRY_COMPARE(chart.steps(XpMode::Saved).size(), std::size_t{5});
    }

    // A chart behind another view takes the new texts at once and draws them when it is
    // in front again.
    void hiddenChartDrawsWhenShown()
    {
        QWidget window;
        ChartPane* pane = ShownPane(window);
        pane->chartSwitch()->setChecked(true);
        QStringList texts;
        for (int level = 0; level <= 10; ++level)
            texts.append(QString::number(level * 100));
        auto xp = Row(texts);
        CurveChart* chart = pane->chart();
        chart->AddCurve(QStringLiteral("xp"), xp->model());
        pane->AddView(new QWidget(), QStringLiteral("другое"));
        pane->viewTabs()->setCurrentIndex(1);

        xp->setColumnCount(101);
        for (int level = 11; level <= 100; ++level)
            xp->setItem(0, level, new QTableWidgetItem(QString::number(level * 100)));
        QTRY_COMPARE(chart->curveTexts(0).size(), 101);
        const auto* levels = qobject_cast<QValueAxis*>(chart->chart()->axes(Qt::Horizontal).first());
        pane->viewTabs()->setCurrentIndex(0);
        QCOMPARE(Plotted(*chart, 0).size(), 101);
        QCOMPARE(levels->max(), 100.0);
    }

    // The switch hides the chart (or the view in its place) and is remembered for the next
    // pane.
    void paneHidesTheChartAndRemembers()
    {
        QWidget window;
        ChartPane* pane = ShownPane(window);
        auto* other = new QWidget();
        pane->AddView(other, QStringLiteral("другое"));
        pane->viewTabs()->setCurrentIndex(1);
        pane->chartSwitch()->click();
        QVERIFY(!other->isVisible() && !pane->chart()->isVisible());

        QWidget again;
        ChartPane* second = ShownPane(again);
        QVERIFY(!second->chartSwitch()->isChecked());
        QVERIFY(!second->chart()->isVisible());
        QVERIFY(second->controlsArea()->isVisible());
    }
};

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
