#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include <QColor>
#include <QString>

#include "model/Descriptors.h"

class QLineEdit;
class tarnekBaseListCtrl;

// Shows, on the grids and boxes, what the plugin's compiler would reject or misread (the
// rule is PluginNumbers.h). A mark is a tint and a tooltip; the text itself is never
// refused or changed.

inline const QColor kRejectedTextTint{255, 205, 205};
inline const QColor kWrongLengthTint{255, 232, 170};

// Why a grid of `columns` cells does not fit an array of `declared` elements, as the
// plugin declares it for the list; std::nullopt when it fits.
std::optional<std::string> GridLengthReason(const ListDescriptor& list, std::size_t columns, std::size_t declared);

// Keeps the grid's cells marked from now on: its model marks every text it shows, after
// every edit, refill and change of the level count that sets the size the plugin declares.
void KeepGridMarked(tarnekBaseListCtrl* grid);

// For the single texts that reach the plugin: Devotion Aura (an integer constant) and the
// maximum chances (Float defines, after the normalisation they are written with).
// std::nullopt for fields the plugin never sees.
std::optional<std::string> CheckPluginParameter(TextField field, const std::string& text);

// Tints the box and explains why in its tooltip, or removes both.
void MarkParameterBox(QLineEdit* box, const std::optional<std::string>& reason);
// Marks the box now and at every change of its text.
void KeepBoxMarked(QLineEdit* box, TextField field);

// Everything that would be marked in the model: cells, list lengths, Devotion Aura and
// the maximum chances.
std::size_t CountMarkedForCompile(const tarnekArrayStruct& model);
// The note shown before the compiler starts; empty when nothing is marked.
QString MarkedCountNote(std::size_t marked);
