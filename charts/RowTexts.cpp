#include "charts/RowTexts.h"

#include <QAbstractItemModel>
#include <QTimer>

QStringList RowTexts(const QAbstractItemModel* model)
{
    QStringList texts;
    if (model == nullptr || model->rowCount() == 0)
        return texts;
    const int columns = model->columnCount();
    texts.reserve(columns);
    for (int c = 0; c < columns; ++c)
        texts.append(model->index(0, c).data(Qt::DisplayRole).toString());
    return texts;
}

QList<QMetaObject::Connection> FollowRowTexts(const QAbstractItemModel* model, const QObject* receiver,
                                              const std::function<void()>& changed)
{
    QList<QMetaObject::Connection> connections;
    if (model == nullptr)
        return connections;
    connections.append(QObject::connect(model, &QAbstractItemModel::dataChanged, receiver,
                                        [changed](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                                            if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                                                changed();
                                        }));
    auto any = [changed] { changed(); };
    connections.append(QObject::connect(model, &QAbstractItemModel::columnsInserted, receiver, any));
    connections.append(QObject::connect(model, &QAbstractItemModel::columnsRemoved, receiver, any));
    connections.append(QObject::connect(model, &QAbstractItemModel::rowsInserted, receiver, any));
    connections.append(QObject::connect(model, &QAbstractItemModel::rowsRemoved, receiver, any));
    connections.append(QObject::connect(model, &QAbstractItemModel::modelReset, receiver, any));
    connections.append(QObject::connect(model, &QObject::destroyed, receiver, any));
    return connections;
}

void CallOnNextTurn(bool& pending, const QObject* receiver, const std::function<void()>& call)
{
    if (pending)
        return;
    pending = true;
    QTimer::singleShot(0, receiver, call);
}
