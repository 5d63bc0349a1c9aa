#pragma once

#include <QString>

#include "model/Descriptors.h"

// A fill button's tooltip: its list's rule in words, with the parameter texts it reads
// ("Заполнить: приращение 500 от исходного 0").
QString FillButtonTip(const ListDescriptor& list, const QString& firstParameter, const QString& secondParameter);
