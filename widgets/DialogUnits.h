#pragma once

#include <QFontMetrics>
#include <QRect>

// Dialog units as a dialog template measures them: x in quarters of the font's average
// character width, y in eighths of its height.
class DialogUnits final {
public:
    explicit DialogUnits(const QFontMetrics& metrics);
    DialogUnits(int baseWidth, int baseHeight) : baseWidth_(baseWidth), baseHeight_(baseHeight) {}

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }
    QRect Map(int x, int y, int width, int height) const;

private:
    int baseWidth_;
    int baseHeight_;
};
