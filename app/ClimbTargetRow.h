#pragma once

#include <cstddef>

#include <QWidget>

#include "model/Progression.h"

class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QSpinBox;

// The row on "Прогрессия" that asks for a climb: "Цель: уровень [N] за [часов] ч (или
// [убийств])", the XP mode, the fill parameter to choose and "Подобрать". It only asks;
// the main window finds the value and fills.
class ClimbTargetRow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClimbTargetRow)

public:
    explicit ClimbTargetRow(QWidget* parent = nullptr);

    QSpinBox* levelBox() const { return level_; }
    QDoubleSpinBox* hoursBox() const { return hours_; }
    QSpinBox* killsBox() const { return kills_; }  // 0: not given, the hours count
    QComboBox* modeBox() const { return mode_; }
    QComboBox* parameterBox() const { return parameter_; }
    QPushButton* fitButton() const { return fit_; }

    XpMode mode() const;
    // Parameters() index of the chosen parameter.
    std::size_t parameter() const;

    // The level box reaches the configuration's top level, and stays on it when it was there.
    void FollowLevelCount(int levels);

private:
    void ListParameters();

    QSpinBox* level_;
    QDoubleSpinBox* hours_;
    QSpinBox* kills_;
    QComboBox* mode_;
    QComboBox* parameter_;
    QPushButton* fit_;
};
