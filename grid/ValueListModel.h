#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QPointer>
#include <QString>

#include "grid/SessionSignals.h"
#include "model/Descriptors.h"
#include "model/ValueList.h"

class QUndoStack;

// What a request to change cells comes from.
enum class CellEdit { Typed, Pasted, Cleared };

// The name of such an edit in the undo history, as it reads after "Отменить" and "Повторить".
QString CellEditName(CellEdit kind);

// One value list of a session as a one-row table: column i is element i, headed "i". The
// model keeps no texts of its own: it reads the list from the session whenever a view
// asks, and follows the session's announcements (cells changed, the list replaced, a level
// count that changes its marks). Every edit (one typed cell, a pasted run of cells, the
// cleared ones) becomes one step of the undo stack, made through the session.
class ValueListModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ValueListModel)

public:
    // `list` is an index in ValueLists().
    ValueListModel(SessionSignals& session, QUndoStack& undo, std::size_t list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The one cell as a typed edit.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // texts[i] into cell first + i, as one step. Texts that would land beyond the last cell
    // are dropped; returns how many were. Nothing happens when no text lands in a cell.
    std::size_t Edit(std::size_t first, std::vector<std::string> texts, CellEdit kind);

    // From now on the cells carry the marks of what the plugin's compiler would reject in
    // this list, against the element count the plugin declares for its array at the
    // session's level count.
    void Mark();
    // Why the list as a whole is marked (its length); empty when it is not.
    QString lengthReason() const;

signals:
    void marksChanged();

private:
    const ValueList& cells() const;
    QString textAt(int column) const;
    void Follow(const ConfigurationEdit& edit);
    void Reset();
    void RemarkLength();

    QPointer<SessionSignals> session_;  // a view may ask once more while its window goes
    QUndoStack& undo_;
    const ListDescriptor& list_;
    std::size_t index_;
    int columns_ = 0;
    bool marked_ = false;
    std::size_t declared_ = 0;
    std::optional<std::string> lengthReason_;
};
