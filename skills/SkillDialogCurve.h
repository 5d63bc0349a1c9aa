#pragma once

class SkillDialog;

// A skill dialog's additions: one chart under its bands for the band under the mouse or
// the grid that has the focus, a switch to hide it (remembered), the marking of its grids
// and of the boxes whose texts reach the plugin, and a status line for values a paste
// dropped. The bands move into a scroll area, so that the tallest tier, chart included,
// fits a 1280x800 screen. The chart, its switch and the bands' scroll area are the
// dialog's ChartPane.
void AddSkillDialogCurve(SkillDialog& dialog);

inline constexpr const char* kSkillChartShownKey = "skillDialogs/chartShown";
