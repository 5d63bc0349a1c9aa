#pragma once

#include <array>
#include <cstddef>

#include <QWidget>

class DialogUnits;
class QComboBox;
class QLabel;
class QPushButton;
class SessionSignals;

// The main window's row of actions, under its tables and chart so that no scrolling and no
// pane can hide it: the level count with "Создать уровни", the skill tiers, the site, and
// every button that acts on the whole configuration. Every control comes from one table
// with its size in dialog units and its tooltip; the controls flow onto a further line
// where the window is too narrow for them.
// The row knows nothing of what its buttons do: the window connects them.
class ActionRow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActionRow)

public:
    enum class Button : std::size_t {
        CreateLevels,
        SkillTier1,
        SkillTier2,
        SkillTier3,
        SkillTier4,
        Export,
        Import,
        LoadSources,
        Save,
        Compile,
        Exit,
    };
    static constexpr std::size_t kButtonCount = static_cast<std::size_t>(Button::Exit) + 1;

    ActionRow(const DialogUnits& units, QWidget* parent = nullptr);

    QPushButton* button(Button which) const { return buttons_[static_cast<std::size_t>(which)]; }
    // Tier 1 to 4.
    QPushButton* skillButton(int tier) const
    {
        return buttons_[static_cast<std::size_t>(Button::SkillTier1) + static_cast<std::size_t>(tier - 1)];
    }
    const std::array<QPushButton*, kButtonCount>& buttons() const { return buttons_; }
    QComboBox* levelCombo() const { return levelCombo_; }
    QLabel* link() const { return link_; }

    // The level-count box offers the counts of LevelCountItems() and shows the session's
    // count from now on, whenever a change reaches it.
    void FollowLevelCount(SessionSignals& session);

private:
    std::array<QPushButton*, kButtonCount> buttons_{};
    QComboBox* levelCombo_ = nullptr;
    QLabel* link_ = nullptr;
};
