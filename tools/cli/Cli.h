#pragma once

#include "courseware/CoursewareIndex.h"
#include "courseware/UnitChoice.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <optional>

namespace zendra::cli {

// Exit statuses: a problem in the files (missing, unreadable, not as the program reads
// them), and a command line the program does not understand.
inline constexpr int kFileProblem = 1;
inline constexpr int kUsageError = 2;

// The help of a FOLDER argument.
inline const QString kFolderHelp =
    QStringLiteral("the program folder: the courseware tree that holds Main.ind");

// Each subcommand gets the arguments after its name and returns the exit status.
int runParse(const QStringList& args);
int runIndex(const QStringList& args);
int runLesson(const QStringList& args);
int runNames(const QStringList& args);
int runCheck(const QStringList& args);
int runRecords(const QStringList& args);
int runRender(const QStringList& args);
int runGenerate(const QStringList& args);

// A command's own command line: its arguments, its options and --help.
class CommandLine
{
public:
    // `synopsis` follows "zendra-cli" in the usage line ("index FOLDER"); `description`
    // opens the command's help.
    CommandLine(const QString& synopsis, const QString& description);

    QCommandLineParser& parser() { return parser_; }
    // Adds a positional argument to the help.
    void argument(const QString& name, const QString& description);

    // Parses the command's arguments. Returns the status to end with when the command
    // ends here: 0 after --help (printed on stdout), kUsageError after an unknown option,
    // a missing value or a count of arguments outside [minimum, maximum].
    std::optional<int> parse(const QStringList& args, qsizetype minimum, qsizetype maximum);
    QStringList arguments() const { return parser_.positionalArguments(); }

    // Writes the problem and the usage line to stderr; returns kUsageError.
    int usageError(const QString& problem = QString()) const;

private:
    QString synopsis_;
    QCommandLineParser parser_;
};

// Writes a JSON document to stdout as UTF-8, followed by a line end.
void printJson(const QJsonObject& object);
QJsonArray toJsonArray(const QStringList& list);
// Writes a line to stderr (UTF-8) and returns kFileProblem.
int fail(const QString& text);

// A program folder given on the command line, as the program uses it: absolute, ending
// with '/'.
QString programFolderArg(const QString& arg);

// "L/S/U" or "L/S/U/V": lesson, section and unit from 1, the variant from 0.
std::optional<UnitChoice> parseUnit(const QString& text);
// A seed as typed: decimal digits only, within 64 bits.
std::optional<quint64> parseSeed(const QString& text);

// Loads the index of the choice's lesson into `sections` unless `loadedLesson` names it
// already, and says so when the index lists no such lesson, section or unit.
bool loadUnitListing(const QString& programFolder, const LessonTable& table,
                     const UnitChoice& choice, SectionUnits& sections, int& loadedLesson);

} // namespace zendra::cli
