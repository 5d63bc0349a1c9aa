#include "grid/ValueListModel.h"

#include <algorithm>

#include <QBrush>

#include "grid/CellMarking.h"
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

ValueListModel::ValueListModel(ListSource list, EditRequest edit, QObject* parent)
    : QAbstractTableModel(parent), list_(std::move(list)), edit_(std::move(edit)),
      columns_(static_cast<int>(list_().size()))
{}

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
    // until its owner says so, rather than reading past its end.
    const ValueList& list = list_();
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
    if (marked_ == nullptr)
        return {};
    const auto textReason = CheckPluginNumber(textAt(index.column()).toStdString(), marked_->kind);
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
    RequestEdit(static_cast<std::size_t>(index.column()), {value.toString().toStdString()}, CellEdit::Typed);
    return true;
}

std::size_t ValueListModel::RequestEdit(std::size_t first, std::vector<std::string> texts, CellEdit kind)
{
    const auto columns = static_cast<std::size_t>(columns_);
    const std::size_t fitting = first < columns ? std::min(texts.size(), columns - first) : 0;
    const std::size_t dropped = texts.size() - fitting;
    if (fitting == 0)
        return dropped;
    texts.resize(fitting);
    edit_(first, std::move(texts), kind);
    return dropped;
}

void ValueListModel::Reset()
{
    beginResetModel();
    columns_ = static_cast<int>(list_().size());
    RemarkLength();
    endResetModel();
    if (marked_ != nullptr)
        emit marksChanged();
}

void ValueListModel::CellsChanged(std::size_t first, std::size_t count)
{
    if (count == 0 || first >= static_cast<std::size_t>(columns_))
        return;
    const auto last = static_cast<int>(std::min(first + count, static_cast<std::size_t>(columns_)) - 1);
    emit dataChanged(index(0, static_cast<int>(first)), index(0, last));
}

void ValueListModel::MarkAgainst(const ListDescriptor& list, std::size_t declared)
{
    if (marked_ == &list && declared_ == declared)
        return;
    marked_ = &list;
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

std::size_t WriteCells(ValueList& list, std::size_t first, std::vector<std::string> texts)
{
    const std::size_t count = first < list.size() ? std::min(texts.size(), list.size() - first) : 0;
    for (std::size_t i = 0; i < count; ++i)
        list.set(first + i, std::move(texts[i]));
    return count;
}

void ValueListModel::RemarkLength()
{
    if (marked_ != nullptr)
        lengthReason_ = GridLengthReason(*marked_, static_cast<std::size_t>(columns_), declared_);
}
