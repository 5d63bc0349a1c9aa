#include <QAbstractButton>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include "CellMarking.h"
#include "CurveChart.h"
#include "CurvePoints.h"
#include "Descriptors.h"
#include "SkillDialogCurve.h"
#include "SkillDialogs.h"
#include "SkillWorkspace.h"
#include "TextReadings.h"
#include "UserMessageBox.h"
#include "tarnekBaseListCtrl.h"

namespace {

QList<QPointF> Plotted(const CurveChart& chart)
{
    QList<QPointF> points;
    for (const QLineSeries* series : chart.curveSeries(0))
        points.append(series->points());
    return points;
}

QList<QPointF> Expected(const ValueList& list)
{
    QList<QPointF> points;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (ReadPlottedNumber(list.at(i)))
            points.append(QPointF(static_cast<double>(i), ReadDecimal(list.at(i))));
    }
    return points;
}

std::size_t BandOf(const SkillDialog& dialog, std::string_view field)
{
    const std::size_t code = *FindList(field);
    for (std::size_t band = 0; band < dialog.tier().bands.size(); ++band) {
        if (dialog.tier().bands[band].code == code)
            return band;
    }
    return dialog.tier().bands.size();
}

void Send(QObject* target, QEvent::Type type)
{
    if (type == QEvent::FocusIn) {
        QFocusEvent focus(type);
        QCoreApplication::sendEvent(target, &focus);
    } else {
        QEvent event(type);
        QCoreApplication::sendEvent(target, &event);
    }
}

bool Tinted(const QTableWidgetItem* cell)
{
    return cell->data(Qt::BackgroundRole).value<QBrush>().color() == kRejectedTextTint;
}

} // namespace

class TestSkillCurve final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QSettings().clear();
        UserMessageBox::SetUnattended(true);
    }
    void cleanup() { UserMessageBox::SetUnattended(false); }

    void oneChartFollowsTheBandPointedAt()
    {
        SkillWorkspace workspace;
        const auto dialog = MakeSkillDialog(Tier::One, workspace.model, workspace.database);
        CurveChart* chart = SkillDialogChart(*dialog);
        QVERIFY(chart != nullptr);
        QCOMPARE(chart->curveCount(), 1);
        QCOMPARE(Plotted(*chart), Expected(workspace.model.vampiricList));

        // The mouse over the healing band, then a fill there with another maximum.
        const std::size_t heal = BandOf(*dialog, "healList");
        Send(dialog->grid(heal)->viewport(), QEvent::Enter);
        QVERIFY(chart->curveName(0).contains(QStringLiteral("Healing Wave")));
        QCOMPARE(Plotted(*chart), Expected(workspace.model.healList));
        dialog->parameterBox(&tarnekArrayStruct::healMaxPercent)->setText(QStringLiteral("9"));
        dialog->fillButton(heal)->click();
        QTRY_COMPARE(Plotted(*chart), Expected(workspace.model.healList));
        QCOMPARE(Plotted(*chart).first().y(), 9.0);

        // A committed typo leaves a gap.
        tarnekCtrlStruct& table = dialog->controlTable();
        table.editColumn = 1;
        table.CommitCellEdit(dialog->grid(heal), 0, QStringLiteral("4,00"), 3);
        QTRY_COMPARE(chart->curveSeries(0).size(), 2);
        QCOMPARE(Plotted(*chart).size(), 2);
        QVERIFY(Tinted(dialog->grid(heal)->item(0, 1)));

        // Focus on another grid shows that one; the mouse over a band frame does too.
        const std::size_t critical = BandOf(*dialog, "criticalList");
        Send(dialog->grid(critical), QEvent::FocusIn);
        QCOMPARE(Plotted(*chart), Expected(workspace.model.criticalList));
        Send(dialog->grid(heal)->parentWidget(), QEvent::Enter);
        QCOMPARE(chart->curveTexts(0).at(1), QStringLiteral("4,00"));
    }

    void boxesThatReachThePluginAreMarkedAndSavedAsTyped()
    {
        SkillWorkspace workspace;
        {
            const auto dialog = MakeSkillDialog(Tier::Two, workspace.model, workspace.database);
            QLineEdit* devotion = dialog->parameterBox(DevotionValue().text);
            QLineEdit* chance = dialog->parameterBox(&tarnekArrayStruct::hexMaxChance);
            QLineEdit* increment = dialog->parameterBox(&tarnekArrayStruct::unholyIncrement);
            QVERIFY(devotion->toolTip().isEmpty());
            devotion->setText(QString());
            chance->setText(QStringLiteral("0,5"));
            increment->setText(QStringLiteral("abc"));
            QVERIFY(devotion->toolTip().contains(QStringLiteral("Пустое")));
            QVERIFY(chance->toolTip().contains(QStringLiteral("«1.0»")));
            QVERIFY(increment->toolTip().isEmpty());
            dialog->saveButton()->click();
        }
        const tarnekArrayStruct stored = workspace.Stored();
        QCOMPARE(stored.devotionValue, std::string());
        // Chances are stored normalised, as always; marking changes nothing about that.
        QCOMPARE(stored.hexMaxChance, tarnekArrayStruct::NormalizeChanceText("0,5"));
        QCOMPARE(workspace.model.hexMaxChance, std::string("0,5"));
        QCOMPARE(stored.unholyIncrement, std::string("abc"));
        QCOMPARE(CountMarkedForCompile(workspace.model), 2U);
    }

    void listsMadeForAnotherCountAreMarkedOnOpening()
    {
        SkillWorkspace workspace;
        workspace.model.levelCountText = "13";  // chosen in the main window, not applied
        const auto dialog = MakeSkillDialog(Tier::Four, workspace.model, workspace.database);
        const QTableWidgetItem* cell = dialog->grid(0)->item(0, 0);
        QCOMPARE(cell->data(Qt::BackgroundRole).value<QBrush>().color(), kWrongLengthTint);
        QVERIFY(cell->toolTip().contains(QStringLiteral("MAX_LEVELS+1")));
        // The tier's own fill makes the list the declared length.
        dialog->fillButton(0)->click();
        QVERIFY(dialog->grid(0)->item(0, 0)->toolTip().isEmpty());
    }

    void hiddenChartStaysHidden()
    {
        SkillWorkspace workspace;
        {
            const auto dialog = MakeSkillDialog(Tier::Three, workspace.model, workspace.database);
            dialog->show();
            QVERIFY(SkillDialogChart(*dialog)->isVisible());
            SkillDialogChartSwitch(*dialog)->click();
            QVERIFY(!SkillDialogChart(*dialog)->isVisible());
        }
        const auto again = MakeSkillDialog(Tier::One, workspace.model, workspace.database);
        again->show();
        QVERIFY(!SkillDialogChart(*again)->isVisible());
        QVERIFY(SkillDialogBandArea(*again)->isVisible());
    }
};

QTEST_MAIN(TestSkillCurve)
#include "tst_skillcurve.moc"
