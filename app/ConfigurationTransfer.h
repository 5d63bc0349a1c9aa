#pragma once

class CTarnekChangeLevelDlg;
class QPushButton;

// "Экспорт настроек…" and "Импорт настроек…" of the main window: the whole configuration as
// the JSON file that tarnek-levels export writes and import takes, read with the same
// checks and refused with the same messages, so a configuration moves between servers
// with either program at either end.

// Adds both buttons to the window's form, beside the level count; disabled after a start
// that could not load the settings.
void AddConfigurationTransfer(CTarnekChangeLevelDlg& dialog);

// What the window shows (grids and parameter boxes, with the level count the lists were
// made for, not a count chosen but not applied) into the file the user names.
void ExportConfiguration(CTarnekChangeLevelDlg& dialog);
// After the user's yes, the configuration in the file replaces the window's and is saved
// whole; a file that is refused says why and changes nothing.
void ImportConfiguration(CTarnekChangeLevelDlg& dialog);

QPushButton* ExportButton(const CTarnekChangeLevelDlg& dialog);
QPushButton* ImportButton(const CTarnekChangeLevelDlg& dialog);
