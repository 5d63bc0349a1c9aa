#include "app/ClimbTargetRow.h"

#include <algorithm>
#include <limits>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "model/Descriptors.h"
#include "model/ProgressionFit.h"

namespace {

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ClimbTargetRow::ClimbTargetRow(QWidget* parent)
    : QWidget(parent), level_(new QSpinBox(this)), hours_(new QDoubleSpinBox(this)), kills_(new QSpinBox(this)),
      mode_(new QComboBox(this)), parameter_(new QComboBox(this)),
      fit_(new QPushButton(QStringLiteral("Подобрать"), this))
{
    level_->setObjectName(QStringLiteral("targetLevel"));
    level_->setRange(1, 1);
    hours_->setObjectName(QStringLiteral("targetHours"));
    hours_->setRange(0, 1e7);
    hours_->setDecimals(1);
    hours_->setSpecialValueText(QStringLiteral("—"));
    hours_->setToolTip(QStringLiteral("Сколько часов игры должен занять подъём; часы считаются по «Убийств в час»."));
    kills_->setObjectName(QStringLiteral("targetKills"));
    kills_->setRange(0, std::numeric_limits<int>::max());
    kills_->setSpecialValueText(QStringLiteral("—"));
    kills_->setToolTip(QStringLiteral("Или сразу число убийств; оно важнее часов."));
    mode_->setObjectName(QStringLiteral("targetMode"));
    mode_->addItems(
        {QStringLiteral("Не сохраняемые XP (kq4_save_xp 0)"), QStringLiteral("Сохраняемые XP (kq4_save_xp 1)")});
    mode_->setCurrentIndex(static_cast<int>(XpMode::Saved));
    parameter_->setObjectName(QStringLiteral("targetParameter"));
    fit_->setObjectName(QStringLiteral("fitButton"));
    fit_->setToolTip(QStringLiteral("Найти значение параметра, при котором подъём до уровня займёт столько, "
                                    "и заполнить его таблицу, как кнопка заполнения."));
    ListParameters();
    connect(mode_, &QComboBox::currentIndexChanged, this, &ClimbTargetRow::ListParameters);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto label = [this, row](const QString& text) { row->addWidget(new QLabel(text, this)); };
    label(QStringLiteral("Цель: уровень"));
    row->addWidget(level_);
    label(QStringLiteral("за"));
    row->addWidget(hours_);
    label(QStringLiteral("ч (или"));
    row->addWidget(kills_);
    label(QStringLiteral("убийств)"));
    row->addWidget(mode_);
    row->addWidget(parameter_, 1);
    row->addWidget(fit_);
}

XpMode ClimbTargetRow::mode() const
{
    return static_cast<XpMode>(mode_->currentIndex());
}

std::size_t ClimbTargetRow::parameter() const
{
    return parameter_->currentData().value<std::size_t>();
}

void ClimbTargetRow::FollowLevelCount(int levels)
{
    const bool atTop = level_->value() == level_->maximum();
    level_->setMaximum(std::max(1, levels));
    if (atTop)
        level_->setValue(level_->maximum());
}

// The parameters of the chosen mode's two lists, each named by its caption and its table,
// the table without the console setting the mode box shows already.
void ClimbTargetRow::ListParameters()
{
    parameter_->clear();
    for (const std::size_t p : FitParameters(mode())) {
        const ParameterDescriptor& d = Parameters()[p];
        const std::string_view table = d.column.substr(0, d.column.find(" ("));
        parameter_->addItem(QStringLiteral("%1 — %2").arg(FromView(d.table), FromView(table)), QVariant::fromValue(p));
    }
}
