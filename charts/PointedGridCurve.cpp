#include "charts/PointedGridCurve.h"

#include <QAbstractItemView>
#include <QEvent>

#include "charts/CurveChart.h"

PointedGridCurve::PointedGridCurve(CurveChart* chart, QList<Band> bands, QObject* parent)
    : QObject(parent), chart_(chart), bands_(std::move(bands))
{
    for (const Band& band : bands_) {
        band.grid->installEventFilter(this);
        band.grid->viewport()->installEventFilter(this);
        if (band.area != nullptr)
            band.area->installEventFilter(this);
    }
    if (!bands_.isEmpty()) {
        curve_ = chart_->AddCurve(bands_.first().name, bands_.first().grid->model());
        shown_ = 0;
    }
}

void PointedGridCurve::ShowBand(int index)
{
    if (index < 0 || index >= bands_.size() || index == shown_ || curve_ < 0)
        return;
    shown_ = index;
    const Band& band = bands_[index];
    chart_->SetCurve(curve_, band.name, band.grid->model());
}

int PointedGridCurve::BandOf(const QObject* watched) const
{
    for (int i = 0; i < bands_.size(); ++i) {
        const Band& band = bands_[i];
        if (watched == band.grid || watched == band.grid->viewport() || (band.area != nullptr && watched == band.area))
            return i;
    }
    return -1;
}

bool PointedGridCurve::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::FocusIn)
        ShowBand(BandOf(watched));
    return QObject::eventFilter(watched, event);
}
