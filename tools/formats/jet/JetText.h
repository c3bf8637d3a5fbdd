#pragma once

#include <QByteArray>
#include <QString>

// Text as Jet 4 stores it: UTF-16LE, or "compressed" when it starts with the
// bytes FF FE, after which each 00 byte switches between runs of one byte
// per character (U+0001 to U+00FF) and runs of UTF-16LE. The importer
// decodes it itself rather than through libmdb, whose conversion from
// UCS-2 turns each half of a character outside the Basic Multilingual Plane
// into '?'.
namespace JetText {

QString decode(const QByteArray& stored);

} // namespace JetText
