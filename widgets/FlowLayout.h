#pragma once

#include <QLayout>
#include <QList>

// Lays its items out left to right and starts a new line where the next would not fit,
// as Qt's flow layout example does; every item keeps its own size, and the items of a line
// are centred on it. A window's row of buttons stays whole at any width this way: what
// does not fit moves down instead of out of sight.
class FlowLayout final : public QLayout {
public:
    explicit FlowLayout(QWidget* parent, int spacing);
    ~FlowLayout() override;
    FlowLayout(const FlowLayout&) = delete;
    FlowLayout& operator=(const FlowLayout&) = delete;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return Arrange(QRect(0, 0, width, 0), false); }
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in `rect` (or only measures) and returns the height they take.
    int Arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> items_;
};
