// Pupil and class records as JSON, for tinkeli-tool export and import.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"
#include "klasse.h"

#include <QJsonObject>
#include <QString>

#include <memory>

class ElevJson {
public:
    static QJsonObject FromElev(const tElev& e);
    static QJsonObject FromKlasse(const tKlasse& k);
    /// Builds a record with every stored field exactly as the JSON says. On
    /// bad input returns nothing and sets \a error.
    static std::unique_ptr<tElev> ToElev(const QJsonObject& o, QString& error);
    static std::unique_ptr<tKlasse> ToKlasse(const QJsonObject& o, QString& error);
    static bool IsKlasse(const QJsonObject& o) { return o.contains("Elever"); }
    /// Decodes base64 that holds exactly \a bytes bytes, refusing any
    /// character outside the alphabet and any other length.
    static bool StrictBase64(const QString& text, std::size_t bytes, QByteArray& out);
};
