#pragma once

#include <QRect>

class CTarnekChangeLevelDlg;
class ProgressionChart;
class QLabel;
class QWidget;

// The main window's additions around its fixed form: the XP curves under the tables and
// beside them the kills the climb takes, a switch to hide them (remembered), the marking
// of the XP grids, and a status line that notes a chosen level count not applied yet, the
// marked texts from the first compile on, and values a paste dropped. The form keeps its
// dialog-unit layout, except that the XP tables take any width the window has beyond it;
// it moves into a scroll area so that the window, chart included, fits a 1280x800 screen.

void AddMainWindowCurves(CTarnekChangeLevelDlg& dialog);

// Counts what the plugin compiler would reject in the model and shows it on the status
// line, and keeps the count current from then on; nothing is shown while nothing is
// marked. Called before the compiler starts.
void NoteMarkedTexts(CTarnekChangeLevelDlg& dialog);

// Sizes the window to its form and chart, within the screen's available area.
void FitMainWindow(CTarnekChangeLevelDlg& dialog, const QRect& available);

// Parts, for the tests; null when AddMainWindowCurves was not called. The chart, its
// switch and the form's scroll area are the window's ChartPane.
QLabel* MainWindowStatusLine(const CTarnekChangeLevelDlg& dialog);
QWidget* MainWindowForm(const CTarnekChangeLevelDlg& dialog);
ProgressionChart* MainWindowProgression(const CTarnekChangeLevelDlg& dialog);

inline constexpr const char* kChartShownKey = "mainWindow/xpChartShown";
