#include "charts/ChartPane.h"

#include <algorithm>

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>

#include "charts/ChartVisibility.h"
#include "charts/CurveChart.h"

ChartPane::ChartPane(QWidget& window, QWidget* controls, const QString& switchText, const QString& shownKey,
                     int smallestChartHeight)
    : QObject(&window), controlsArea_(new QScrollArea()), chart_(new CurveChart()), views_(new QStackedWidget()),
      viewTabs_(new QTabBar()), switch_(new QCheckBox(switchText)), splitter_(new QSplitter(Qt::Vertical)),
      row_(new QHBoxLayout())
{
    controlsArea_->setWidget(controls);
    controlsArea_->setFrameShape(QFrame::NoFrame);
    chart_->setMinimumHeight(smallestChartHeight);
    views_->addWidget(chart_);
    viewTabs_->setShape(QTabBar::RoundedSouth);
    viewTabs_->setDrawBase(false);
    viewTabs_->setExpanding(false);
    viewTabs_->addTab(switchText);
    viewTabs_->setVisible(false);
    connect(viewTabs_, &QTabBar::currentChanged, this, [this](int index) {
        views_->setCurrentIndex(index);
        // The line under the row speaks of the chart only.
        chart_->pointedLine()->setVisible(index == 0);
    });

    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(controlsArea_);
    splitter_->addWidget(views_);

    switch_->setToolTip(QStringLiteral("Показывает или скрывает график; выбор запоминается"));
    row_->addWidget(switch_);
    row_->addWidget(viewTabs_);
    row_->addSpacing(12);
    row_->addWidget(chart_->pointedLine(), 1);
    // Once the chart has a parent: showing it before would open it as a window of its own.
    BindChartVisibility(switch_, views_, shownKey);
}

ChartPane* ChartPane::Of(const QWidget& window)
{
    return window.findChild<ChartPane*>(QString(), Qt::FindDirectChildrenOnly);
}

QAbstractButton* ChartPane::chartSwitch() const
{
    return switch_;
}

void ChartPane::AddView(QWidget* view, const QString& title)
{
    views_->addWidget(view);
    viewTabs_->addTab(title);
    viewTabs_->setVisible(true);
}

void ChartPane::ShareHeight(int controlsHeight, int height)
{
    splitter_->setSizes({controlsHeight, std::max(chart_->minimumHeight(), height - controlsHeight)});
}

QRect AvailableArea(const QWidget& window)
{
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
}
