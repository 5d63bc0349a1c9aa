#pragma once

// What the editor's Qt tests share: a scratch plugin folder, typing and clicking into
// grids, and reading back marks and plotted points.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <QBrush>
#include <QList>
#include <QPointF>
#include <QStringList>
#include <QTest>

#include "grid/tarnekBaseListCtrl.h"
#include "model/Descriptors.h"
#include "model/tarnekArrayStruct.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/TestFolder.h"

class CurveChart;
class tarnekEditCtrl;

// Remembered settings as the editor keeps them (under its organisation: without one Windows
// keeps none, as they live under its registry key), in Qt's test locations.
void UseTestSettings();
// Each window test starts with nothing remembered and message boxes answered by the test
// instead of shown; at its end the boxes it did not look at are dropped.
void BeginWindowTest();
void EndWindowTest();

// A test folder; with tarnek/ in it, it is a plugin tree in which the editor creates its
// database and writes its sources. On Windows its name has a space and Cyrillic letters, as
// many admins' plugin folders have.
#ifdef _WIN32
inline constexpr std::u8string_view kScratchFolderStem = u8"папка плагина ";
#else
inline constexpr std::u8string_view kScratchFolderStem = u8"tarnek-test-";
#endif
class ScratchFolder : public TestFolder {
public:
    explicit ScratchFolder(bool pluginTree = true) : TestFolder(kScratchFolderStem)
    {
        if (pluginTree)
            std::filesystem::create_directory(fsPath() / "tarnek");
    }
    QString path() const { return QString::fromStdU16String(fsPath().generic_u16string()); }
    const std::filesystem::path& fsPath() const { return TestFolder::path(); }

    // What a second reader finds in the database now, level counts derived.
    tarnekArrayStruct Stored() const;
};

[[nodiscard]] inline bool ShowAndActivate(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Qt Test's keyClicks squeezes text through Latin-1; this sends key events with their text.
void TypeText(QWidget* widget, const QString& text);

inline QPoint CellCentre(const tarnekBaseListCtrl* grid, int column)
{
    return grid->visualRect(grid->model()->index(0, column)).center();
}
// The widget overload of mouseDClick sends the double-click event alone; a real double
// click is press, release, double click, release, and item views need the first press.
void DoubleClick(QWidget* widget, QPoint pos);
// Double click and the whole text replaced, the editor left open; null when none opened.
tarnekEditCtrl* TypeIntoCell(tarnekBaseListCtrl* grid, int column, const QString& text);
// The same and Enter: the way a text reaches a cell. False when no editor opened.
[[nodiscard]] bool CommitCell(tarnekBaseListCtrl* grid, int column, const QString& text);

QStringList Texts(const ValueList& list);
QStringList Cells(const tarnekBaseListCtrl* grid);
inline int CodeOf(std::string_view field)
{
    return static_cast<int>(*FindList(field));
}

inline QModelIndex Cell(const tarnekBaseListCtrl* grid, int column)
{
    return grid->model()->index(0, column);
}
inline QString ToolTip(const QModelIndex& cell)
{
    return cell.data(Qt::ToolTipRole).toString();
}
inline bool Tinted(const QModelIndex& cell, const QColor& tint)
{
    return cell.data(Qt::BackgroundRole).value<QBrush>().color() == tint;
}
inline bool Unmarked(const QModelIndex& cell)
{
    return !cell.data(Qt::BackgroundRole).isValid() && ToolTip(cell).isEmpty();
}

// All points of a curve, in order, across its gap-separated series.
QList<QPointF> Plotted(const CurveChart& chart, int curve = 0);
// What a chart must show for a list: every text that is a number, at its level.
QList<QPointF> PlotOf(const ValueList& list);
