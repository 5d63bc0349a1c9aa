#include "grid/ValueListModel.h"

#include <algorithm>

#include <QBrush>

#include "grid/CellMarking.h"
#include "grid/ConfigurationEditCommand.h"
#include "model/PluginNumbers.h"

QString CellEditName(CellEdit kind)
{
    switch (kind) {
    case CellEdit::Pasted:
        return QStringLiteral("вставку");
    case CellEdit::Cleared:
        return QStringLiteral("очистку ячеек");
    case CellEdit::Typed:
        break;
    }
    return QStringLiteral("изменение ячейки");
}

ValueListModel::ValueListModel(SessionSignals& session, QUndoStack& undo, std::size_t list, QObject* parent)
    : QAbstractTableModel(parent), session_(&session), undo_(undo), list_(ValueLists().at(list)), index_(list),
      columns_(static_cast<int>(cells().size()))
{
    connect(&session, &SessionSignals::changed, this, &ValueListModel::Follow);
}

const ValueList& ValueListModel::cells() const
{
    static const ValueList none;
    return session_ ? session_->configuration().*list_.list : none;
}

int ValueListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

int ValueListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QString ValueListModel::textAt(int column) const
{
    // The count is taken at each reset; a list that shrank since then shows empty cells
    // until the session says so, rather than reading past its end.
    const ValueList& list = cells();
    const auto i = static_cast<std::size_t>(column);
    return i < list.size() ? QString::fromStdString(list.at(i)) : QString();
}

QVariant ValueListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return textAt(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
    case Qt::ToolTipRole:
        break;
    default:
        return {};
    }
    if (!marked_)
        return {};
    const auto textReason = CheckPluginNumber(textAt(index.column()).toStdString(), list_.kind);
    if (role == Qt::BackgroundRole) {
        if (textReason)
            return QBrush(kRejectedTextTint);
        return lengthReason_ ? QVariant(QBrush(kWrongLengthTint)) : QVariant();
    }
    QStringList reasons;
    if (textReason)
        reasons.append(QString::fromStdString(*textReason));
    if (lengthReason_)
        reasons.append(QString::fromStdString(*lengthReason_));
    return reasons.isEmpty() ? QVariant() : QVariant(reasons.join(QLatin1Char('\n')));
}

QVariant ValueListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return QString::number(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags ValueListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool ValueListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    Edit(static_cast<std::size_t>(index.column()), {value.toString().toStdString()}, CellEdit::Typed);
    return true;
}

std::size_t ValueListModel::Edit(std::size_t first, std::vector<std::string> texts, CellEdit kind)
{
    const auto columns = static_cast<std::size_t>(columns_);
    const std::size_t fitting = first < columns ? std::min(texts.size(), columns - first) : 0;
    const std::size_t dropped = texts.size() - fitting;
    if (fitting == 0)
        return dropped;
    texts.resize(fitting);
    if (session_)
        PushEdit(undo_, session_->session(), CellEditName(kind),
                 [list = index_, first, texts = std::move(texts)](EditingSession& session) {
                     return session.SetCells(list, first, texts);
                 });
    return dropped;
}

void ValueListModel::Follow(const ConfigurationEdit& edit)
{
    bool replaced = false;
    for (const ListChange& change : edit.lists) {
        if (change.list != index_)
            continue;
        if (change.before.size() != change.after.size()) {
            replaced = true;
        } else if (!change.after.empty() && change.first < static_cast<std::size_t>(columns_)) {
            const std::size_t last = std::min(change.first + change.after.size(), static_cast<std::size_t>(columns_));
            emit dataChanged(index(0, static_cast<int>(change.first)), index(0, static_cast<int>(last) - 1));
        }
    }
    if (replaced)
        Reset();
    else if (marked_ && Touches(edit, LevelCountValue().text))
        Mark();  // the size the plugin declares follows the level count
}

void ValueListModel::Reset()
{
    beginResetModel();
    columns_ = static_cast<int>(cells().size());
    if (marked_ && session_)
        declared_ = DeclaredArraySize(list_, session_->configuration());
    RemarkLength();
    endResetModel();
    if (marked_)
        emit marksChanged();
}

void ValueListModel::Mark()
{
    const std::size_t declared = session_ ? DeclaredArraySize(list_, session_->configuration()) : 0;
    if (marked_ && declared_ == declared)
        return;
    marked_ = true;
    declared_ = declared;
    RemarkLength();
    if (columns_ > 0)
        emit dataChanged(index(0, 0), index(0, columns_ - 1), {Qt::BackgroundRole, Qt::ToolTipRole});
    emit marksChanged();
}

QString ValueListModel::lengthReason() const
{
    return lengthReason_ ? QString::fromStdString(*lengthReason_) : QString();
}

void ValueListModel::RemarkLength()
{
    if (marked_)
        lengthReason_ = GridLengthReason(list_, static_cast<std::size_t>(columns_), declared_);
}
