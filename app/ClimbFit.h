#pragma once

class CTarnekChangeLevelDlg;

// Balance by time in the main window: the target row on "Прогрессия" and its "Подобрать",
// which finds the value of the chosen fill parameter whose fill makes the climb take as
// long as asked, puts it into the parameter's box and fills as the fill button does (one
// undo step, saved). A target that cannot be met changes nothing; the status line says
// what was chosen, or why not.

// "Подобрать" of the window's climb target row.
void FitToTarget(CTarnekChangeLevelDlg& dialog);
