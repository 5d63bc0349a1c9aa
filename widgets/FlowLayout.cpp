#include "widgets/FlowLayout.h"

#include <algorithm>

#include <QWidget>

FlowLayout::FlowLayout(QWidget* parent, int spacing) : QLayout(parent)
{
    setSpacing(spacing);
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem* item)
{
    items_.append(item);
}

QLayoutItem* FlowLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

QSize FlowLayout::minimumSize() const
{
    // As narrow as the widest item: narrower, an item would be cut.
    QSize size;
    for (const QLayoutItem* item : items_)
        size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const
{
    // Everything on one line.
    int width = 0;
    int height = 0;
    for (const QLayoutItem* item : items_) {
        width += item->sizeHint().width() + (width > 0 ? spacing() : 0);
        height = std::max(height, item->sizeHint().height());
    }
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), height + m.top() + m.bottom()};
}

void FlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    Arrange(rect, true);
}

int FlowLayout::Arrange(const QRect& rect, bool place) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    QList<QList<QLayoutItem*>> lines(1);
    int lineWidth = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const int width = item->sizeHint().width();
        if (lineWidth > 0 && lineWidth + spacing() + width > area.width()) {
            lines.append(QList<QLayoutItem*>());
            lineWidth = 0;
        }
        lineWidth += (lineWidth > 0 ? spacing() : 0) + width;
        lines.last().append(item);
    }
    int y = area.y();
    for (const QList<QLayoutItem*>& line : lines) {
        if (line.isEmpty())
            continue;
        int lineHeight = 0;
        for (const QLayoutItem* item : line)
            lineHeight = std::max(lineHeight, item->sizeHint().height());
        int x = area.x();
        for (QLayoutItem* item : line) {
            const QSize size = item->sizeHint();
            if (place)
                item->setGeometry(QRect(QPoint(x, y + (lineHeight - size.height()) / 2), size));
            x += size.width() + spacing();
        }
        y += lineHeight + spacing();
    }
    const QMargins m = contentsMargins();
    return y - spacing() - rect.y() + m.bottom() + (y == area.y() ? spacing() : 0);
}
