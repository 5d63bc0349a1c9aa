#include "tarnekBaseListCtrl.h"

#include <QHeaderView>

#include "Descriptors.h"

bool OpensOnSingleClick(int targetCode)
{
    static const auto ankh = FindList("ankhList");
    return ankh && static_cast<std::size_t>(targetCode) == *ankh;
}

tarnekBaseListCtrl::tarnekBaseListCtrl(int targetCode, QWidget* parent)
    : QTableWidget(parent), targetCode_(targetCode), singleClick_(OpensOnSingleClick(targetCode))
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(true);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultSectionSize(kInitialColumnWidth);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);

    connect(this, &QAbstractItemView::clicked, this, &tarnekBaseListCtrl::onClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, &tarnekBaseListCtrl::onDoubleClicked);
}

QString tarnekBaseListCtrl::cellText(int column) const
{
    const QTableWidgetItem* cell = item(0, column);
    return cell ? cell->text() : QString();
}

void tarnekBaseListCtrl::discardEditor(QWidget* editor)
{
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void tarnekBaseListCtrl::onClicked(const QModelIndex& index)
{
    if (singleClick_ && index.isValid())
        emit cellEditRequested(index.row(), index.column());
}

void tarnekBaseListCtrl::onDoubleClicked(const QModelIndex& index)
{
    if (!singleClick_ && index.isValid())
        emit cellEditRequested(index.row(), index.column());
}
