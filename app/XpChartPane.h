#pragma once

#include <QObject>

class ChartPane;
class CompilePane;
class ProgressionChart;
class QCheckBox;
class QWidget;
class XpTables;

// The main window's panes around its XP tables: the tables scroll above the XP curves and,
// on the tab beside them, the kills the climb takes ("Прогрессия"); the compile output
// can go under both. Each pane has a switch that hides it (remembered), and the heights the
// user drags the panes to are remembered too. The window puts the pane's splitter and row
// into its layout.
class XpChartPane final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(XpChartPane)

public:
    XpChartPane(QWidget& window, XpTables* tables);

    ChartPane* pane() const { return pane_; }
    ProgressionChart* progression() const { return progression_; }
    // Null until AddCompilePane.
    CompilePane* compilePane() const { return compilePane_; }
    QCheckBox* compileSwitch() const { return compileSwitch_; }

    // The compile output under the chart, with its switch beside the chart's.
    CompilePane* AddCompilePane();
    // The heights as the user last dragged them apart, when they were.
    void RestoreHeights();

private:
    ChartPane* pane_;
    ProgressionChart* progression_;
    CompilePane* compilePane_ = nullptr;
    QCheckBox* compileSwitch_ = nullptr;
};

inline constexpr const char* kCompilePaneShownKey = "mainWindow/compilePaneShown";
