#pragma once

class CTarnekChangeLevelDlg;

// "Экспорт настроек…" and "Импорт настроек…" of the main window: the whole configuration as
// the JSON file that tarnek-levels export writes and import takes, read with the same
// checks and refused with the same messages, so a configuration moves between servers
// with either program at either end.

// What the window shows (grids and parameter boxes, with the level count the lists were
// made for, not a count chosen but not applied) into the file the user names.
void ExportConfiguration(CTarnekChangeLevelDlg& dialog);
// The configuration in the file replaces the window's as one undo step, unsaved until the
// user saves; a file that is refused says why and changes nothing.
void ImportConfiguration(CTarnekChangeLevelDlg& dialog);
