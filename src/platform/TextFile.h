#pragma once

#include <QString>
#include <QStringList>

namespace zendra {

// Whole-file reading and writing of the program's text files: CP932 with CR LF line ends.
// Reading also accepts LF or CR alone. Bytes that are not valid CP932 are an error naming
// the file and the line; nothing is dropped or replaced.
class TextFile
{
public:
    struct Result
    {
        bool ok = false;
        QString error; // the text to show the user when !ok
        int line = 0;  // the 1-based line at fault, when the fault lies in one line
        explicit operator bool() const { return ok; }
    };

    // Reads the whole file as a list of lines (without their line ends). A final line end
    // does not start another line: "a\r\n" is one line, "a\r\n\r\n" is two.
    static Result read(const QString& path, QStringList& lines);

    // Reads the lines from the first line that equals `first` up to and including the next
    // line that starts with `stop`, or to the end of the file; `lines` is empty when no line
    // equals `first`, and `anyLines` tells whether the file holds a line at all. The whole
    // file is checked as read() checks it and is refused with the same error, but only these
    // lines are decoded, which for one unit of a large master file saves most of the time.
    static Result readFrom(const QString& path, const QString& first, QLatin1StringView stop,
                           QStringList& lines, bool& anyLines);

    // Writes every line followed by CR LF, atomically: the file is written beside the
    // target and renamed into place, so a failed save leaves the old file whole. A
    // character CP932 cannot hold is refused before anything is written, naming its line.
    static Result write(const QString& path, const QStringList& lines);

    // Writes bytes to a file atomically, as write() does.
    static Result saveBytes(const QString& path, const QByteArray& bytes);

    // Splits decoded text at CR LF, LF or CR.
    static QStringList splitLines(const QString& text);

    // The bytes write() would produce, or an error naming the 1-based line at fault.
    static Result encodeLines(const QStringList& lines, QByteArray& out,
                              const QString& pathForMessages);
};

} // namespace zendra
