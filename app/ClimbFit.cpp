#include "app/ClimbFit.h"

#include <algorithm>

#include <cmath>
#include <string>
#include <vector>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QUndoStack>

#include "app/CTarnekChangeLevelDlg.h"
#include "app/ClimbTargetRow.h"
#include "app/XpTables.h"
#include "charts/ProgressionChart.h"
#include "model/Descriptors.h"
#include "model/NumberFormats.h"
#include "model/ProgressionFit.h"
#include "model/TextReadings.h"
#include "widgets/QtText.h"

namespace {

// The climb in the terms the target was given in: kills, or hours at the kills per hour.
struct ClimbTerms {
    int killsPerHour = 0;  // 0: in kills

    QString Of(std::int64_t kills) const
    {
        if (killsPerHour <= 0)
            return ToQString(FormatCountOf(static_cast<std::size_t>(std::max<std::int64_t>(kills, 0)),
                                           {"убийство", "убийства", "убийств"}));
        const double hours = static_cast<double>(kills) / killsPerHour;
        return QStringLiteral("%1 ч").arg(QString::number(hours, 'f', hours >= 10 ? 0 : 1));
    }
};

QString Refusal(const CTarnekChangeLevelDlg& dialog, const FitRequest& request, const FitFailure& failure,
                const ClimbTerms& terms, const QString& target)
{
    const QString caption = ToQString(Parameters()[request.parameter].table);
    switch (failure.problem) {
    case FitProblem::Unreachable: {
        const FitChoice& nearest = *failure.nearest;
        return QStringLiteral("Подбор: цель %1 недостижима. «%2» может быть от %3 до %4 (дальше значения таблицы "
                              "выходят за 32 бита или шаги не определены); ближе всего %5: уровень %6 за %7.")
            .arg(target, caption)
            .arg(nearest.lowest)
            .arg(nearest.highest)
            .arg(nearest.value)
            .arg(request.level)
            .arg(terms.Of(nearest.total));
    }
    case FitProblem::FixedGap:
        return QStringLiteral("Подбор: шаг к уровню %1 не определён при любом значении «%2»: %3.")
            .arg(failure.gap.level)
            .arg(caption, dialog.progression()->DescribeGap(failure.gap));
    case FitProblem::LevelOutOfRange:
        return QStringLiteral("Подбор: уровня %1 нет в конфигурации (уровни 1–%2).")
            .arg(request.level)
            .arg(QString::fromStdString(dialog.model().levelCountText));
    case FitProblem::NotAParameterOfTheMode:
    case FitProblem::NoValue:
        break;
    }
    return QStringLiteral("Подбор: при любом значении «%1» значения таблицы выходят за 32 бита или шаг до уровня %2 "
                          "не определён.")
        .arg(caption)
        .arg(request.level);
}

}  // namespace

void FitToTarget(CTarnekChangeLevelDlg& dialog)
{
    const ClimbTargetRow& row = *dialog.climbTarget();
    QLabel& status = *dialog.statusLine();
    const int kills = row.killsBox()->value();
    const double hours = row.hoursBox()->value();
    const ClimbTerms terms{kills > 0 ? 0 : dialog.progression()->killsPerHourBox()->value()};
    FitRequest request{row.mode(), row.levelBox()->value(), kills, row.parameter()};
    if (kills == 0) {
        if (hours <= 0 || terms.killsPerHour <= 0) {
            status.setText(QStringLiteral("Подбор: укажите цель — часы вместе с «Убийств в час» или число убийств."));
            return;
        }
        request.targetKills = std::llround(hours * terms.killsPerHour);
    }
    const QString target = kills > 0 ? terms.Of(kills) : QStringLiteral("%1 ч").arg(QString::number(hours, 'g', 7));

    // The fill takes every box first, so the value is found for the configuration it will fill.
    const std::vector<TextAssignment> boxes = dialog.xpTables()->BoxTexts();
    tarnekArrayStruct boxed = dialog.model();
    for (const auto& [text, value] : boxes)
        boxed.*text = value;
    const auto fit = FitParameter(boxed, request);
    if (!fit) {
        status.setText(Refusal(dialog, request, fit.failure(), terms, target) + QStringLiteral(" Ничего не изменено."));
        return;
    }

    const ParameterDescriptor& parameter = Parameters()[request.parameter];
    const std::string value = FormatInteger(fit->value);
    for (std::size_t box = 0; box < boxes.size(); ++box)
        if (boxes[box].first == parameter.text)
            dialog.xpTables()->parameterBox(static_cast<int>(box))->setText(QString::fromStdString(value));
    dialog.OnFillXp(static_cast<int>(fit->list));
    // A save that gave way to another program's settings leaves nothing of the fill.
    if (dialog.model().*parameter.text != value)
        return;
    const std::vector<ProgressionStep> steps = ComputeProgression(dialog.model(), request.mode);
    const ProgressionStep& step = steps.at(static_cast<std::size_t>(request.level - 1));
    status.setText(QStringLiteral("%1 %2: уровень %3 за %4 (цель %5)")
                       .arg(ToQString(parameter.table), QString::fromStdString(value))
                       .arg(request.level)
                       .arg(terms.Of(step.total.value_or(fit->total)), target));
}
