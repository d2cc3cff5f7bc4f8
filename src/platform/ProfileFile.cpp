#include "platform/ProfileFile.h"

#include "platform/Paths.h"

#include <QFileInfo>
#include <QSet>

namespace zendra {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

// Only the blanks the profile functions skip; a full-width space is part of a name.
QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

TextFile::Result failure(QString text)
{
    return TextFile::Result{false, std::move(text)};
}

} // namespace

QString FoldProfileName(const QString& name)
{
    return trimBlanks(name).toCaseFolded();
}

ProfileFile::ProfileFile(const QString& path) : path_(path)
{
    readResult_ = TextFile::read(path_, lines_);
    if (!readResult_ && !QFileInfo::exists(path_))
        readResult_ = TextFile::Result{true, {}};
    if (!readResult_)
        lines_.clear();
    parse();
}

void ProfileFile::parse()
{
    parsed_.clear();
    parsed_.reserve(lines_.size());
    for (const QString& raw : lines_) {
        Line line;
        const QString text = trimBlanks(raw);
        if (text.startsWith(u'[')) {
            // The last ']' closes the name, so a title holding ']' stays whole. Text is
            // searched as characters: a CP932 trail byte 0x5D inside "ゾ" is no bracket.
            const qsizetype close = text.lastIndexOf(u']');
            if (close > 0) {
                line.kind = Line::Kind::Section;
                line.name = trimBlanks(text.mid(1, close - 1));
            }
        } else if (const qsizetype eq = text.indexOf(u'='); eq > 0) {
            line.name = trimBlanks(text.left(eq));
            if (!line.name.isEmpty()) {
                line.kind = Line::Kind::Key;
                line.value = trimBlanks(text.mid(eq + 1));
            }
        }
        if (line.kind != Line::Kind::Other)
            line.folded = line.name.toCaseFolded();
        parsed_.append(std::move(line));
    }
}

qsizetype ProfileFile::findSection(const QString& folded) const
{
    for (qsizetype i = 0; i < parsed_.size(); ++i) {
        const Line& line = parsed_.at(i);
        if (line.kind == Line::Kind::Section && line.folded == folded)
            return i;
    }
    return -1;
}

qsizetype ProfileFile::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < parsed_.size() && parsed_.at(i).kind != Line::Kind::Section)
        ++i;
    return i;
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const
{
    const qsizetype header = findSection(FoldProfileName(section));
    if (header < 0)
        return defaultValue;
    const QString foldedKey = FoldProfileName(key);
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& line = parsed_.at(i);
        if (line.kind == Line::Kind::Key && line.folded == foldedKey)
            return line.value;
    }
    return defaultValue;
}

QList<ProfileFile::Entry> ProfileFile::entries(const QString& section) const
{
    QList<Entry> result;
    const qsizetype header = findSection(FoldProfileName(section));
    if (header < 0)
        return result;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& line = parsed_.at(i);
        if (line.kind == Line::Kind::Key)
            result.append(Entry{line.name, line.value});
    }
    return result;
}

QStringList ProfileFile::keys(const QString& section) const
{
    QStringList result;
    for (const Entry& entry : entries(section))
        result.append(entry.key);
    return result;
}

QStringList ProfileFile::sections() const
{
    QStringList result;
    QSet<QString> seen;
    for (const Line& line : parsed_) {
        if (line.kind != Line::Kind::Section || seen.contains(line.folded))
            continue;
        seen.insert(line.folded);
        result.append(line.name);
    }
    return result;
}

TextFile::Result ProfileFile::save(const QStringList& lines)
{
    TextFile::Result result = TextFile::write(path_, lines);
    if (result) {
        lines_ = lines;
        parse();
    }
    return result;
}

TextFile::Result ProfileFile::writeString(const QString& section, const QString& key,
                                          const QString& value)
{
    if (!readResult_)
        return readResult_;
    // A line break, or a key that would read back as something else, would change the
    // file's structure (a value could add keys or sections of its own).
    const QString sectionName = trimBlanks(section);
    if (hasLineBreak(sectionName))
        return failure(QStringLiteral("ファイル %1 に書けないセクション名です: %2")
                           .arg(shownPath(path_), sectionName));
    const QString keyName = trimBlanks(key);
    if (keyName.isEmpty() || hasLineBreak(keyName) || keyName.contains(u'=') ||
        keyName.startsWith(u'['))
        return failure(
            QStringLiteral("ファイル %1 に書けないキー名です: %2").arg(shownPath(path_), keyName));
    if (hasLineBreak(value))
        return failure(QStringLiteral("ファイル %1 に改行を含む値は書けません: %2")
                           .arg(shownPath(path_), keyName));

    QStringList lines = lines_;
    const qsizetype header = findSection(sectionName.toCaseFolded());
    if (header < 0) {
        lines.append(u'[' + sectionName + u']');
        lines.append(keyName + u'=' + value);
        return save(lines);
    }
    const QString foldedKey = keyName.toCaseFolded();
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& line = parsed_.at(i);
        if (line.kind == Line::Kind::Key && line.folded == foldedKey) {
            lines[i] = line.name + u'=' + value;
            return save(lines);
        }
    }
    // After the section's last line, before the blank lines that part it from the next.
    qsizetype last = end - 1;
    while (last > header && trimBlanks(lines_.at(last)).isEmpty())
        --last;
    lines.insert(last + 1, keyName + u'=' + value);
    return save(lines);
}

TextFile::Result ProfileFile::eraseSection(const QString& section)
{
    if (!readResult_)
        return readResult_;
    const QString folded = FoldProfileName(section);
    QStringList lines;
    lines.reserve(lines_.size());
    bool erased = false;
    for (qsizetype i = 0; i < parsed_.size();) {
        const Line& line = parsed_.at(i);
        if (line.kind == Line::Kind::Section && line.folded == folded) {
            i = sectionEnd(i);
            erased = true;
            continue;
        }
        lines.append(lines_.at(i));
        ++i;
    }
    if (!erased)
        return TextFile::Result{true, {}};
    return save(lines);
}

} // namespace zendra
