#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace zendra {

// The class export: every record line of every learner in every lesson of a courseware tree,
// one CSV row each, for a teacher's gradebook.

// The columns: learner, lesson, section, unit, unit title (or the copy file), the set (the
// similar-question set's number, "新" + seed for numbers generated in study, else empty),
// date (ISO 8601), time, tries, correct, total, percent, elapsed seconds, and the line
// itself when it could not be read (the other values of the record are empty then).
QStringList RecordExportHeader();

// The rows below the header: lessons in the order of Main.ind, learners in file-name order,
// units in the order of the record file, records in key order. False, after a message,
// when Main.ind cannot be read or a record file cannot (the other files still give rows).
bool CollectRecordRows(const QString& coursewareFolder, QList<QStringList>& rows);

// A field as RFC 4180 writes it: quoted, with quotes doubled, when it holds a quote, a
// comma or a line break.
QString CsvField(const QString& text);
// Records separated by CR LF, the last one ended too.
QString CsvText(const QList<QStringList>& rows);

enum class CsvEncoding { Utf8WithBom, Cp932 };
// False, after a message naming the row, when CP932 cannot hold a character.
bool EncodeCsv(const QList<QStringList>& rows, CsvEncoding encoding, QByteArray& out);

} // namespace zendra
