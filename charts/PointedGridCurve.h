#pragma once

#include <QList>
#include <QObject>
#include <QString>

class CurveChart;
class QAbstractItemView;

// One chart for many grids: its single curve shows the grid the mouse is over or, when
// the mouse is elsewhere, the grid that last took the focus. A dialog with eight bands
// thus needs one chart instead of eight.
class PointedGridCurve final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PointedGridCurve)

public:
    struct Band {
        QString name;
        QAbstractItemView* grid = nullptr;
        QWidget* area = nullptr;  // the band around the grid, if the mouse there counts too
    };

    // The chart gets one curve, showing the first band until another is pointed at.
    PointedGridCurve(CurveChart* chart, QList<Band> bands, QObject* parent = nullptr);

    // Index of the band the chart shows.
    int shownBand() const { return shown_; }
    void ShowBand(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int BandOf(const QObject* watched) const;

    CurveChart* chart_;
    QList<Band> bands_;
    int curve_ = -1;
    int shown_ = -1;
};
