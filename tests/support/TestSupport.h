#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace zendra {
struct LearnerPlace;
}

namespace zendra::test {

// The repository's folder, and the bundled sample courseware inside it.
QString sourceDir();
QString sampleCourseware();

// Writes raw bytes to a file (creating folders), for fixtures that must hold exact bytes.
void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

// Writes lines as CP932 with CR LF; the test fails when a line cannot be encoded.
void writeLines(const QString& path, const QStringList& lines);

// Runs the built zendra-cli and collects what it printed.
struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QString errors;
    QJsonObject json() const;
    QStringList outLines() const;
};
CliResult runCli(const QStringList& args);
// The same with the variables in `unset` removed from its environment.
CliResult runCli(const QStringList& args, const QStringList& unset);

// The number of pages of a PDF document.
int pdfPageCount(const QByteArray& pdf);
// The text of a PDF file through pdftotext; nothing when the tool is missing.
std::optional<QString> pdfText(const QString& path);
// How often each character stands in a page's text, blanks and the date line's time left
// out (two renders may fall in different minutes).
QMap<QChar, int> characterCounts(QString text);
// The characters of `a` that `b` lacks, with their counts.
QMap<QChar, int> beyond(const QMap<QChar, int>& a, const QMap<QChar, int>& b);

// Makes an off-screen QGuiApplication (fonts, pictures) for the rest of the test program,
// unless an application object exists; false when that one is not a GUI application.
bool ensureGuiApplication();

// A copy of the sample courseware in a temporary folder, for tests that write.
class CoursewareCopy
{
public:
    CoursewareCopy();
    QString folder() const { return dir_.path() + QStringLiteral("/courseware/"); }

private:
    QTemporaryDir dir_;
};

// The learner place of lesson 1 of `copy`, its lesson table loaded from the copy's index;
// false when the index does not load.
bool PlaceInLessonOne(const CoursewareCopy& copy, LearnerPlace& place);

} // namespace zendra::test
