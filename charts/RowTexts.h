#pragma once

#include <functional>

#include <QList>
#include <QMetaObject>
#include <QStringList>

class QAbstractItemModel;
class QObject;

// Charts read a one-row grid through its item model: row 0, one column per level.

// The texts of row 0, column by column; none without a model or a row.
QStringList RowTexts(const QAbstractItemModel* model);

// Calls `changed` (in the context of `receiver`) whenever row 0's texts may have changed:
// a text edited, columns or rows added or removed, a reset, the model gone. Changes of
// other roles (the marking's tints and tooltips) do not count.
QList<QMetaObject::Connection> FollowRowTexts(const QAbstractItemModel* model, const QObject* receiver,
                                              const std::function<void()>& changed);

// Calls `call` (in the context of `receiver`) on the next turn of the event loop, once
// however many changes ask for it before then: `pending` says a call is on its way; the
// called function clears it when it runs.
void CallOnNextTurn(bool& pending, const QObject* receiver, const std::function<void()>& call);
