#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zendra {

// Shift-JIS as Windows writes it (code page 932, the Microsoft mapping).
namespace cp932 {

// Where a byte sequence stops being valid CP932: the 0-based byte offset, or -1 when valid.
qsizetype firstInvalidByte(const QByteArray& bytes);

// Decodes bytes that firstInvalidByte() accepted. Returns false when a pair is well formed
// but unassigned (the decoder has no character for it).
bool decode(const QByteArray& bytes, QString& out);

// Decodes bytes and splits them into lines at CR LF, LF or CR, in one pass: a final line end
// starts no further line. Returns false, with no lines, when decode() would.
bool decodeLines(QByteArrayView bytes, QStringList& lines);

// Whether decode() would accept the bytes, found without decoding them.
bool decodes(QByteArrayView bytes);

// Encodes text; returns false when a character has no CP932 form (nothing is replaced).
bool encode(const QString& text, QByteArray& out);

// Whether every character of the text can be written in CP932.
bool canEncode(const QString& text);

// Length of the text in CP932 bytes: one for ASCII and half-width katakana, two otherwise.
// The program's byte-counting rules (title length, answer padding, soft keys) all use this.
int byteLength(const QString& text);

// The longest prefix of the text that fits in maxBytes CP932 bytes without splitting a
// character.
QString leftBytes(const QString& text, int maxBytes);

} // namespace cp932
} // namespace zendra
