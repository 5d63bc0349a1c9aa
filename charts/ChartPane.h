#pragma once

#include <QObject>
#include <QRect>

class CurveChart;
class QAbstractButton;
class QCheckBox;
class QHBoxLayout;
class QScrollArea;
class QSplitter;
class QStackedWidget;
class QTabBar;
class QString;
class QWidget;

// A window's controls over a chart of their values, as the main window and the skill
// dialogs lay them out: the controls in a scroll area, the chart under them in a vertical
// splitter, and a row for under both with a switch that hides the chart (the choice kept
// in QSettings under `shownKey`) and the line naming the value pointed at. The window
// puts splitter() and row() into its layout. The pane is a child of the window.
//
// A window may show other views of its values in the chart's place: each added view gets
// a tab in the row (which costs the chart no height), and the switch hides and shows
// whichever is chosen.
class ChartPane final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChartPane)

public:
    ChartPane(QWidget& window, QWidget* controls, const QString& switchText, const QString& shownKey,
              int smallestChartHeight);

    // The pane of the window; null when it has none.
    static ChartPane* Of(const QWidget& window);

    QScrollArea* controlsArea() const { return controlsArea_; }
    CurveChart* chart() const { return chart_; }
    QAbstractButton* chartSwitch() const;
    QSplitter* splitter() const { return splitter_; }
    // The chart and the added views, and the tabs that choose among them (hidden while the
    // chart is alone); the chart's tab is named as the switch until the window renames it.
    QStackedWidget* views() const { return views_; }
    QTabBar* viewTabs() const { return viewTabs_; }
    void AddView(QWidget* view, const QString& title);
    QHBoxLayout* row() const { return row_; }

    // Gives the controls `controlsHeight` of the splitter's `height`, the chart the rest
    // but never less than its smallest height.
    void ShareHeight(int controlsHeight, int height);

private:
    QScrollArea* controlsArea_;
    CurveChart* chart_;
    QStackedWidget* views_;
    QTabBar* viewTabs_;
    QCheckBox* switch_;
    QSplitter* splitter_;
    QHBoxLayout* row_;
};

// What a window may take of its screen; a 1280x800 screen where none is known.
QRect AvailableArea(const QWidget& window);
