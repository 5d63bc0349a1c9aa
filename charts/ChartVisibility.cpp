#include "charts/ChartVisibility.h"

#include <QAbstractButton>
#include <QSettings>
#include <QWidget>

void BindChartVisibility(QAbstractButton* toggle, QWidget* chart, const QString& key, bool shownByDefault)
{
    const bool shown = QSettings().value(key, shownByDefault).toBool();
    toggle->setCheckable(true);
    toggle->setChecked(shown);
    chart->setVisible(shown);
    QObject::connect(toggle, &QAbstractButton::toggled, chart, [chart, key](bool on) {
        chart->setVisible(on);
        QSettings().setValue(key, on);
    });
}
