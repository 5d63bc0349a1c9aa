#include "tests/support/gui/GuiTestSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLineSeries>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include "charts/CurveChart.h"
#include "charts/CurvePoints.h"
#include "grid/tarnekEditCtrl.h"
#include "model/TextReadings.h"
#include "settingsdb/vloxBuildTarnekStruct.h"
#include "widgets/UserMessageBox.h"

namespace fs = std::filesystem;

tarnekArrayStruct ScratchFolder::Stored() const
{
    RecordingSink sink;
    vloxBuildTarnekStruct db(sink);
    tarnekArrayStruct model;
    if (db.OpenDatabase())
        db.LoadAll(model);
    db.CloseDatabase();
    model.DeriveLevelCounts();
    return model;
}

void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void DoubleClick(QWidget* widget, QPoint pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

tarnekEditCtrl* TypeIntoCell(tarnekBaseListCtrl* grid, int column, const QString& text)
{
    DoubleClick(grid->viewport(), CellCentre(grid, column));
    auto* editor = qobject_cast<tarnekEditCtrl*>(QApplication::focusWidget());
    if (editor == nullptr)
        return nullptr;
    editor->selectAll();
    editor->del();
    TypeText(editor, text);
    return editor;
}

bool CommitCell(tarnekBaseListCtrl* grid, int column, const QString& text)
{
    tarnekEditCtrl* editor = TypeIntoCell(grid, column, text);
    if (editor == nullptr)
        return false;
    QTest::keyClick(editor, Qt::Key_Return);
    return true;
}

QStringList Texts(const ValueList& list)
{
    QStringList texts;
    for (const std::string& text : list)
        texts << QString::fromStdString(text);
    return texts;
}

QStringList Cells(const tarnekBaseListCtrl* grid)
{
    QStringList cells;
    for (int i = 0; i < grid->columnCount(); ++i)
        cells << grid->cellText(i);
    return cells;
}

QList<QPointF> Plotted(const CurveChart& chart, int curve)
{
    QList<QPointF> points;
    for (const QLineSeries* series : chart.curveSeries(curve))
        points.append(series->points());
    return points;
}

QList<QPointF> PlotOf(const ValueList& list)
{
    QList<QPointF> points;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (ReadPlottedNumber(list.at(i)))
            points.append(QPointF(static_cast<double>(i), ReadDecimal(list.at(i))));
    }
    return points;
}

void UseTestSettings()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnek"));
    QStandardPaths::setTestModeEnabled(true);
}

void BeginWindowTest()
{
    QSettings().clear();
    UserMessageBox::SetUnattended(true);
}

void EndWindowTest()
{
    UserMessageBox::TakeShown();
    UserMessageBox::SetUnattended(false);
}
