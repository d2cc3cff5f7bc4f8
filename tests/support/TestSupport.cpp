#include "TestSupport.h"

#include "courseware/CoursewareIndex.h"
#include "learners/LearnerPlace.h"
#include "platform/Fonts.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace zendra::test {

QString sourceDir()
{
    return QString::fromUtf8(ZENDRA_SOURCE_DIR);
}

QString sampleCourseware()
{
    return sourceDir() + QStringLiteral("/examples/courseware/");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeLines(const QString& path, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const TextFile::Result r = TextFile::write(path, lines);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
}

QJsonObject CliResult::json() const
{
    return QJsonDocument::fromJson(out).object();
}

QStringList CliResult::outLines() const
{
    return QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
}

CliResult runCli(const QStringList& args)
{
    return runCli(args, {});
}

CliResult runCli(const QStringList& args, const QStringList& unset)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset)
        env.remove(name);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QString::fromUtf8(ZENDRA_CLI_PATH), args);
    CliResult result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

int pdfPageCount(const QByteArray& pdf)
{
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                            pdf.count("/Type /Page "));
}

std::optional<QString> pdfText(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, {path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QMap<QChar, int> characterCounts(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\d{4}\\.\\d\\d\\.\\d\\d-\\d\\d:\\d\\d")));
    QMap<QChar, int> counts;
    for (const QChar c : text)
        if (!c.isSpace())
            ++counts[c];
    return counts;
}

QMap<QChar, int> beyond(const QMap<QChar, int>& a, const QMap<QChar, int>& b)
{
    QMap<QChar, int> more;
    for (auto it = a.begin(); it != a.end(); ++it)
        if (it.value() > b.value(it.key()))
            more[it.key()] = it.value() - b.value(it.key());
    return more;
}

bool ensureGuiApplication()
{
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "zendra-test";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv); // lives for the rest of the test program
        InstallFontSubstitutions();
    }
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

bool PlaceInLessonOne(const CoursewareCopy& copy, LearnerPlace& place)
{
    place = LearnerPlace{};
    place.programFolder = copy.folder();
    place.lesson = 1;
    return LoadMainIndex(place.programFolder, place.lessonTable);
}

CoursewareCopy::CoursewareCopy()
{
    const QString from = sampleCourseware();
    const QString to = folder();
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
}

} // namespace zendra::test
