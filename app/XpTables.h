#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <QWidget>

#include "model/Descriptors.h"
#include "session/EditingSession.h"

class DialogUnits;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QUndoStack;
class SessionSignals;
class tarnekBaseListCtrl;
struct tarnekCtrlStruct;

// The main window's four XP tables on their form, laid out in dialog units: each in its
// frame with its grid, its two fill parameters and its fill button. The grids take any
// width the form has beyond its own. The grids and the boxes follow the session; a box's
// edit is a step of the undo history, and a fill button asks the window to fill.
class XpTables final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(XpTables)

public:
    static constexpr int kTables = static_cast<int>(kXpListCount);
    static constexpr int kParameters = 2 * kTables;

    XpTables(const DialogUnits& units, SessionSignals& session, QUndoStack& undo, tarnekCtrlStruct& table,
             QWidget* parent = nullptr);

    tarnekBaseListCtrl* grid(int targetCode) const { return grids_[static_cast<std::size_t>(targetCode)]; }
    QGroupBox* frame(int targetCode) const { return frames_[static_cast<std::size_t>(targetCode)]; }
    // In the order of the model's XP parameter texts: increment/multiplier, initial, per table.
    QLineEdit* parameterBox(int box) const { return boxes_[static_cast<std::size_t>(box)]; }
    QPushButton* fillButton(int targetCode) const { return fillButtons_[static_cast<std::size_t>(targetCode)]; }
    // The frame's title, which names the table's list.
    static QString Title(int targetCode);

    // The eight boxes as they show now, in parameterBox() order: what a fill or a level
    // change takes from the window.
    std::vector<TextAssignment> BoxTexts() const;
    // The eight boxes into the session as they show now, as one step.
    void CommitBoxes();

signals:
    void fillRequested(int targetCode);
    // A letter was typed into a digits-only box and refused.
    void digitsRefused();

private:
    void CommitBox(int box);
    void UpdateFillTip(int targetCode);
    // A box shows its text again where a change reached it, every box after a reload.
    void Follow(const ConfigurationEdit& edit, ChangeCause cause);

    SessionSignals& session_;
    QUndoStack& undo_;
    std::array<tarnekBaseListCtrl*, kTables> grids_{};
    std::array<QGroupBox*, kTables> frames_{};
    std::array<QLineEdit*, kParameters> boxes_{};
    std::array<QPushButton*, kTables> fillButtons_{};
};
