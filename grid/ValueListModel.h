#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QString>

#include "model/Descriptors.h"
#include "model/ValueList.h"

// What a request to change cells comes from.
enum class CellEdit { Typed, Pasted, Cleared };

// The name of such an edit in the undo history, as it reads after "Отменить" and "Повторить".
QString CellEditName(CellEdit kind);

// One value list as a one-row table: column i is element i, headed "i". The model keeps
// no texts of its own and never writes the list: it reads the list through its source
// whenever a view asks, and hands every edit (one typed cell, a pasted run of cells, the
// cleared ones) to its edit request as one call. Whoever owns the list applies the edit and
// then tells the model what changed: CellsChanged for cells, Reset when the whole list was
// replaced.
class ValueListModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ValueListModel)

public:
    using ListSource = std::function<const ValueList&()>;
    using EditRequest = std::function<void(std::size_t first, std::vector<std::string> texts, CellEdit kind)>;

    ValueListModel(ListSource list, EditRequest edit, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit request for the one cell; the cell shows the text once its owner applied it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Asks for texts[i] in cell first + i. Texts that would land beyond the last cell are
    // dropped; returns how many were. Nothing is requested when no text lands in a cell.
    std::size_t RequestEdit(std::size_t first, std::vector<std::string> texts, CellEdit kind);

    // The whole list was replaced (its length may differ).
    void Reset();
    // Cells first .. first + count - 1 hold new texts.
    void CellsChanged(std::size_t first, std::size_t count);

    // From now on the cells carry the marks of what the plugin's compiler would reject in
    // this list, with `declared` the element count the plugin declares for its array.
    void MarkAgainst(const ListDescriptor& list, std::size_t declared);
    // Why the list as a whole is marked (its length); empty when it is not.
    QString lengthReason() const;

signals:
    void marksChanged();

private:
    QString textAt(int column) const;
    void RemarkLength();

    ListSource list_;
    EditRequest edit_;
    int columns_ = 0;
    const ListDescriptor* marked_ = nullptr;
    std::size_t declared_ = 0;
    std::optional<std::string> lengthReason_;
};

// An edit request applied to the list it came from: texts[i] into element first + i, as
// far as the list reaches. Returns how many elements were written.
std::size_t WriteCells(ValueList& list, std::size_t first, std::vector<std::string> texts);
