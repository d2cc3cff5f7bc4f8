#pragma once

#include "platform/TextFile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zendra {

// An INI file with the semantics of the Windows profile-string functions: "[section]" lines
// and "key=value" lines, names compared without regard to case, blanks around names and
// values ignored, the first matching key wins. Unlike Windows, values are never cut and a
// section lists all of its keys however many there are.
//
// The object reads the file once when it is made; each write changes one line (or removes
// one section) and saves the whole file atomically. Lines it does not change are kept as
// they were; the file is always written with CR LF line ends.
// A section or key name as profile files compare it: blanks around it dropped (a full-width
// space is part of the name), case folded.
QString FoldProfileName(const QString& name);

class ProfileFile
{
public:
    struct Entry
    {
        QString key;
        QString value;
    };

    // Reads the file. A missing file reads as empty; an unreadable one reads as empty too,
    // but every write then fails with the read error so that the file is not overwritten.
    explicit ProfileFile(const QString& path);

    const QString& path() const { return path_; }
    // Whether the file could be read (a missing file counts as read).
    const TextFile::Result& readResult() const { return readResult_; }

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // The key names of the section in file order, one per key line (duplicates included).
    QStringList keys(const QString& section) const;
    // The key lines of the section in file order.
    QList<Entry> entries(const QString& section) const;
    // The section names in file order, each name once.
    QStringList sections() const;

    // Replaces the first line of the key, or adds "key=value" after the section's last
    // line, or adds the section at the end of the file. Creates the file.
    TextFile::Result writeString(const QString& section, const QString& key, const QString& value);
    // Removes every section of that name with all its lines. Writes nothing when there is
    // no such section.
    TextFile::Result eraseSection(const QString& section);

private:
    struct Line
    {
        enum class Kind { Other, Section, Key } kind = Kind::Other;
        QString name;   // as written, blanks removed
        QString folded; // name for comparison
        QString value;  // keys only, blanks removed
    };

    void parse();
    TextFile::Result save(const QStringList& lines);
    // The line index of the first header of the section, or -1.
    qsizetype findSection(const QString& folded) const;
    // One past the last line of the section whose header is at `header`.
    qsizetype sectionEnd(qsizetype header) const;

    QString path_;
    TextFile::Result readResult_;
    QStringList lines_;
    QList<Line> parsed_;
};

} // namespace zendra
