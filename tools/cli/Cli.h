#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

namespace zendra::cli {

// Each subcommand gets the arguments after its name and returns the exit status.
int runParse(const QStringList& args);
int runIndex(const QStringList& args);
int runLesson(const QStringList& args);
int runNames(const QStringList& args);
int runCheck(const QStringList& args);
int runRecords(const QStringList& args);
int runRender(const QStringList& args);

// Writes a JSON document to stdout as UTF-8, followed by a line end.
void printJson(const QJsonObject& object);
QJsonArray toJsonArray(const QStringList& list);
// Writes a line to stderr (UTF-8) and returns 1, for usage and file errors.
int fail(const QString& text);

// A program folder given on the command line, as the program uses it: absolute, ending
// with '/'.
QString programFolderArg(const QString& arg);

} // namespace zendra::cli
