// A save killed at any moment leaves each file as it was or whole as it was to become.
#include "courseware/CopyFile.h"
#include "courseware/RecordFile.h"
#include "courseware/UnitWriter.h"
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

// Two versions of a large master file: 300 units of 60 question lines, one unit differing.
QStringList masterLines(int version)
{
    QStringList lines;
    for (int unit = 1; unit <= 300; ++unit) {
        UnitBlocks blocks;
        for (int q = 1; q <= 60; ++q)
            blocks.ques.append(
                QStringLiteral("（%1）　%2 + %3 = #%4#").arg(q).arg(unit).arg(q).arg(unit + q));
        if (unit == 7)
            blocks.ques.first() = QStringLiteral("版 %1").arg(version);
        WriteUnit(lines, QStringLiteral("[[unit%1").arg(unit), blocks);
    }
    return lines;
}

CopySheet copySheet(int version)
{
    CopySheet sheet;
    sheet.title = QStringLiteral("コピー %1").arg(version);
    for (int q = 1; q <= 60; ++q)
        sheet.questions.append(
            QStringLiteral("%1 × %2 = #%3#").arg(q).arg(version + 2).arg(q * (version + 2)));
    return sheet;
}

QStringList indexLines(int version)
{
    QStringList lines{QStringLiteral("整数"), QString()};
    for (int s = 1; s <= 40 + version; ++s)
        lines << QStringLiteral("[[sect%1").arg(s) << QStringLiteral("第%1章").arg(s)
              << QStringLiteral("<<") << QStringLiteral("SubMenu %1").arg(s) << QStringLiteral(">>")
              << QStringLiteral("]]");
    return lines;
}

const QString kKey = QStringLiteral("S11たし算");

struct Targets
{
    QString master, copy, record, index;
};

// One save of file `f` (0 master, 1 copy, 2 record, 3 index). The record file toggles: a
// record is appended when there is none (also after a killed round left one) and erased
// when there is one, so it holds either zero or one.
void saveOne(const Targets& t, int f, int version, const QStringList masters[2],
             const QStringList indexes[2])
{
    switch (f) {
    case 0:
        TextFile::write(t.master, masters[version]);
        break;
    case 1:
        SaveCopy(copySheet(version), t.copy, QString());
        break;
    case 2:
        if (RecordCount(t.record, kKey) == 0)
            AppendRecord(t.record, kKey,
                         QStringLiteral("2005年06月21日 14:03 [0102]  3/ 4  75点 01:27"));
        else
            EraseRecords(t.record, kKey);
        break;
    default:
        TextFile::write(t.index, indexes[version]);
    }
}

void saveAll(const Targets& t, int version, const QStringList masters[2],
             const QStringList indexes[2])
{
    for (int f = 0; f < 4; ++f)
        saveOne(t, f, version, masters, indexes);
}

QByteArray bytesOf(const QString& path)
{
    return test::readBytes(path);
}

} // namespace

TEST(KillSafeSaves, EveryFileIsTheOldOrTheWholeNewOneAfterAKill)
{
    QTemporaryDir dir;
    const Targets t{dir.filePath("Seisu1.que"), dir.filePath("copy.prp"), dir.filePath("rec.ini"),
                    dir.filePath("Seisu.ind")};
    const QStringList masters[2] = {masterLines(0), masterLines(1)};
    const QStringList indexes[2] = {indexLines(0), indexLines(1)};

    // Every state a file may be in: the bytes of both versions, as the savers write them.
    test::writeLines(t.record, {"[S1other]", "1=kept"});
    QList<QByteArray> allowed[4];
    QElapsedTimer round;
    round.start();
    for (int version : {0, 1}) {
        saveAll(t, version, masters, indexes);
        allowed[0].append(bytesOf(t.master));
        allowed[1].append(bytesOf(t.copy));
        allowed[2].append(bytesOf(t.record));
        allowed[3].append(bytesOf(t.index));
    }
    const qint64 roundMs = std::max<qint64>(1, round.elapsed() / 2);
    std::printf("one round of saves: %lld ms\n", static_cast<long long>(roundMs));
    ASSERT_GT(allowed[0].at(0).size(), 400000); // large enough to be killed mid-write

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> savesBefore(0, 7);
    std::uniform_int_distribution<int> delayUs(0, int(roundMs * 1000 / 4));
    const QString names[4] = {t.master, t.copy, t.record, t.index};
    // What each kill left: the version of every file and whether a save was cut short. The
    // kills must fall at several different moments for the test to mean anything.
    QSet<QString> moments;
    for (int kill = 0; kill < 100; ++kill) {
        // The child reports every save it finished, so a kill falls after a chosen number
        // of saves plus a random part of the next one, however slow the saver runs (a
        // forked process under the sanitizers is many times slower than its parent).
        int progress[2];
        ASSERT_EQ(pipe(progress), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            alarm(10); // never outlive a parent that died
            ::close(progress[0]);
            const char done = 1;
            for (int i = 0;; ++i) {
                for (int f = 0; f < 4; ++f) {
                    saveOne(t, f, i % 2, masters, indexes);
                    if (::write(progress[1], &done, 1) != 1)
                        _exit(1);
                }
            }
        }
        ::close(progress[1]);
        for (int saves = savesBefore(random); saves > 0; --saves) {
            char done = 0;
            ASSERT_EQ(::read(progress[0], &done, 1), 1);
        }
        usleep(useconds_t(delayUs(random)));
        ::kill(child, SIGKILL);
        ::close(progress[0]);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped by itself";

        QString moment;
        for (int f = 0; f < 4; ++f) {
            const QByteArray now = bytesOf(names[f]);
            const bool whole = allowed[f].contains(now);
            EXPECT_TRUE(whole) << "kill " << kill << ": " << names[f].toStdString() << " has "
                               << now.size() << " bytes that neither version has";
            if (!whole)
                return;
            moment += now == allowed[f].at(0) ? u'0' : u'1';
        }
        moment += QDir(dir.path()).entryList(QDir::Files).size() > 4 ? u'+' : u'.';
        moments.insert(moment);
        // A killed save may leave its temporary file beside the target; the next save of
        // that file removes it.
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
            for (int f = 0; f < 4; ++f)
                if (name != QFileInfo(names[f]).fileName() &&
                    name.startsWith(QFileInfo(names[f]).fileName()))
                    saveOne(t, f, 1, masters, indexes);
        const QStringList left = QDir(dir.path()).entryList(QDir::Files);
        EXPECT_EQ(left.size(), 4) << "kill " << kill << ": " << left.join(' ').toStdString();
    }
    std::printf("the kills fell at %lld different moments\n",
                static_cast<long long>(moments.size()));
    EXPECT_GE(moments.size(), 4) << QStringList(moments.values()).join(' ').toStdString();
}
