#include "grid/tarnekBaseListCtrl.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

#include "grid/GridOperations.h"
#include "model/Descriptors.h"
#include "model/NumberFormats.h"
#include "widgets/StatusLine.h"

namespace {

// A key that types a character into a cell rather than moving, copying or closing.
bool TypesText(const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// An action of the grid's menu whose shortcuts work while the grid has the focus (and not
// while its cell editor has it: the editor copies, pastes and deletes its own text).
QAction* AddGridAction(QWidget* grid, const QString& text, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, grid);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    grid->addAction(action);
    return action;
}

}  // namespace

bool OpensOnSingleClick(int targetCode)
{
    const auto code = static_cast<std::size_t>(targetCode);
    return targetCode >= 0 && code < ValueLists().size() && ValueLists()[code].band.opensOnSingleClick;
}

tarnekBaseListCtrl::tarnekBaseListCtrl(int targetCode, SessionSignals& session, QUndoStack& undo, QWidget* parent)
    : QTableView(parent), targetCode_(targetCode), singleClick_(OpensOnSingleClick(targetCode)),
      model_(new ValueListModel(session, undo, static_cast<std::size_t>(targetCode), this))
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
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
    setModel(model_);

    connect(this, &QAbstractItemView::clicked, this, &tarnekBaseListCtrl::onClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, &tarnekBaseListCtrl::onDoubleClicked);
    connect(model_, &QAbstractItemModel::dataChanged, this, &tarnekBaseListCtrl::onDataChanged);
    // The header keeps its sections' sizes through a reset; a refilled list starts over
    // at the initial width, as a list that was cleared and filled again, and widens to its
    // texts.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        horizontalHeader()->setDefaultSectionSize(kInitialColumnWidth);
        SizeGridColumns(this, columnCount());
    });
    SizeGridColumns(this, columnCount());
    connect(AddGridAction(this, QStringLiteral("Копировать"), {QKeySequence::Copy}), &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(copiedText()); });
    connect(AddGridAction(this, QStringLiteral("Вставить"), {QKeySequence::Paste}), &QAction::triggered, this,
            [this] { Paste(QApplication::clipboard()->text()); });
    connect(AddGridAction(this, QStringLiteral("Очистить"),
                          {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Backspace)}),
            &QAction::triggered, this, &tarnekBaseListCtrl::ClearSelectedCells);
    // Beyond the last cell, the grid itself says why its length is marked.
    connect(model_, &ValueListModel::marksChanged, this, [this] { setToolTip(model_->lengthReason()); });
}

QString tarnekBaseListCtrl::cellText(int column) const
{
    return model_->index(0, column).data(Qt::DisplayRole).toString();
}

void tarnekBaseListCtrl::DiscardEditor(QWidget* editor)
{
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

QString tarnekBaseListCtrl::copiedText() const
{
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty()) {
        for (int c = 0; c < columnCount(); ++c)
            cells.append(model_->index(0, c));
    }
    std::sort(cells.begin(), cells.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.column() < b.column(); });
    QStringList texts;
    texts.reserve(cells.size());
    for (const QModelIndex& cell : cells)
        texts.append(cell.data(Qt::DisplayRole).toString());
    return texts.join(QLatin1Char('\t'));
}

std::size_t tarnekBaseListCtrl::Paste(const QString& text)
{
    std::vector<std::string> values = SplitPastedValues(text);
    if (values.empty())
        return 0;
    const QModelIndex current = currentIndex();
    const auto first = static_cast<std::size_t>(current.isValid() ? current.column() : 0);
    const std::size_t dropped = model_->Edit(first, std::move(values), CellEdit::Pasted);
    if (dropped > 0)
        emit valuesDropped(static_cast<int>(dropped));
    return dropped;
}

void tarnekBaseListCtrl::ClearSelectedCells()
{
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid())
        cells.append(currentIndex());
    if (cells.isEmpty())
        return;
    std::vector<bool> cleared(static_cast<std::size_t>(columnCount()), false);
    for (const QModelIndex& cell : cells)
        cleared[static_cast<std::size_t>(cell.column())] = true;
    // One run from the first cleared cell to the last, so that one edit clears them all;
    // the cells between them that are not selected keep their texts.
    const auto first = static_cast<std::size_t>(std::find(cleared.begin(), cleared.end(), true) - cleared.begin());
    const auto last = static_cast<std::size_t>(cleared.rend() - std::find(cleared.rbegin(), cleared.rend(), true));
    std::vector<std::string> texts;
    for (std::size_t c = first; c < last; ++c)
        texts.push_back(cleared[c] ? std::string() : cellText(static_cast<int>(c)).toStdString());
    model_->Edit(first, std::move(texts), CellEdit::Cleared);
}

void tarnekBaseListCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addActions(actions());
    if (const QList<QAction*> around = window()->actions(); !around.isEmpty()) {
        menu.addSeparator();
        menu.addActions(around);
    }
    menu.exec(event->globalPos());
}

void tarnekBaseListCtrl::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    const bool typing = TypesText(event);
    if (current.isValid() && (typing || event->key() == Qt::Key_F2)) {
        emit cellEditRequested(current.row(), current.column());
        // The editor opens with its whole text selected: the typed character replaces it.
        if (QWidget* editor = indexWidget(current); editor != nullptr && typing)
            QCoreApplication::sendEvent(editor, event);
        return;
    }
    QTableView::keyPressEvent(event);
}

void tarnekBaseListCtrl::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    QScrollBar* row = horizontalScrollBar();
    if (delta.x() != 0 || delta.y() == 0) {
        QTableView::wheelEvent(event);
        return;
    }
    if (row->maximum() == row->minimum()) {
        // Nothing to scroll in one row that fits: the form around the grid scrolls.
        event->ignore();
        return;
    }
    // A horizontal bar takes the vertical turn of the wheel as its own: down is right.
    QCoreApplication::sendEvent(row, event);
    event->accept();
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

void tarnekBaseListCtrl::onDataChanged(const QModelIndex&, const QModelIndex&, const QList<int>& roles)
{
    // A changed text may need a wider column; the marks alone never do.
    if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
        SizeGridColumns(this, columnCount());
}

void ReportDroppedValues(tarnekBaseListCtrl* grid, QLabel* statusLine)
{
    QObject::connect(grid, &tarnekBaseListCtrl::valuesDropped, statusLine, [statusLine](int count) {
        const std::string dropped =
            FormatCountOf(static_cast<std::size_t>(std::max(count, 0)), {"значение", "значения", "значений"});
        ShowStatus(statusLine,
                   QStringLiteral("Вставлены не все значения: за концом строки отброшено %1.")
                       .arg(QString::fromUtf8(dropped.c_str())),
                   StatusTone::Warning);
    });
}
