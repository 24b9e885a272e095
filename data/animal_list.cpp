// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/animal_list.h"

#include <QFile>

const Text &builtInAnimalList()
{
    static const Text list = [] {
        QFile file(QStringLiteral(":/data/tiere.cp1252"));
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        return Text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }();
    return list;
}
