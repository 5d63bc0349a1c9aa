#pragma once

class CTarnekChangeLevelDlg;

// Taking the plugin's own base.h and skills.inl over into the main window's configuration:
// a button for it, and the offer at the first start in a plugin folder whose sources hold
// settings of their own. A load changes only the window's configuration; saving it is left
// to the user's next save.

// Reads the folder's tarnek/ sources into the window and says what changed, or why
// nothing did.
void LoadPluginSources(CTarnekChangeLevelDlg& dialog);

// When this start created the database and the plugin's sources differ from what it
// holds: keeps their .orig copies, then asks whether to load them.
void OfferPluginSourcesOnFirstStart(CTarnekChangeLevelDlg& dialog);
