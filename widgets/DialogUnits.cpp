#include "widgets/DialogUnits.h"

namespace {

// Rounds to nearest, as the platform's integer scaling of dialog units does.
int Scale(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

DialogUnits::DialogUnits(const QFontMetrics& metrics)
{
    // The average width is taken over the 52 Latin letters and rounded up.
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = (letters / 26 + 1) / 2;
    baseHeight_ = metrics.height();
}

QRect DialogUnits::Map(int x, int y, int width, int height) const
{
    const int left = Scale(x, baseWidth_, 4);
    const int top = Scale(y, baseHeight_, 8);
    const int right = Scale(x + width, baseWidth_, 4);
    const int bottom = Scale(y + height, baseHeight_, 8);
    return QRect(left, top, right - left, bottom - top);
}
