#include "charts/LevelChartFrame.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLegend>
#include <QLocale>
#include <QVBoxLayout>
#include <QValueAxis>

QChartView* NewLevelChartView(QChart* chart, QValueAxis* levelAxis, QWidget* owner)
{
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
    // Axis labels group their digits as a person writes a large number.
    chart->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    chart->setLocalizeNumbers(true);

    levelAxis->setLabelFormat(QStringLiteral("%.0f"));
    levelAxis->setTickType(QValueAxis::TicksDynamic);
    levelAxis->setTickAnchor(0);
    chart->addAxis(levelAxis, Qt::AlignBottom);

    auto* view = new QChartView(chart, owner);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMouseTracking(true);
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(owner);
    return view;
}

QLabel* NewPointedLine(const QString& hint, QWidget* owner)
{
    auto* line = new QLabel(hint, owner);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return line;
}

QVBoxLayout* NewChartLayout(QWidget* owner)
{
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    return layout;
}
