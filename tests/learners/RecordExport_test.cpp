#include "learners/RecordExport.h"

#include "courseware/RecordFile.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

// Reads RFC 4180 text back into its records, so that the test sees what a spreadsheet sees.
QList<QStringList> readCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"')
                field += c, ++i;
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(field), field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            row.append(field), field.clear();
            rows.append(row), row.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

} // namespace

TEST(RecordExport, QuotesFieldsAsRfc4180Says)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"３けたのたし算", "３けたのたし算"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {" padded ", " padded "},
    };
    for (const auto& [text, field] : cases)
        EXPECT_EQ(CsvField(QString::fromUtf8(text)), QString::fromUtf8(field)) << text;
    const QList<QStringList> rows = {{QStringLiteral("a,b"), QStringLiteral("\"")},
                                     {QStringLiteral("x\ny"), QString()}};
    EXPECT_EQ(readCsv(CsvText(rows)), rows);
}

TEST(RecordExport, OneRowPerRecordLineOfEveryLearner)
{
    test::CoursewareCopy courseware;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    const QString seisu = courseware.folder() + QStringLiteral("Seisu/");
    const QString shosu = courseware.folder() + QStringLiteral("Shosu/");
    const auto append = [](const QString& path, const char* key, const char* line) {
        ASSERT_TRUE(AppendRecord(path, QString::fromUtf8(key), QString::fromUtf8(line)).ok);
    };
    append(seisu + QStringLiteral("太郎.ini"), "S12４けたのたし算",
           "2005年06月21日 14:03 [0102]  3/ 4  75点 01:27");
    append(seisu + QStringLiteral("太郎.ini"), "S12４けたのたし算",
           "類題2)2010年01月05日 09:07 [] 10/10 100点 100:05");
    append(seisu + QStringLiteral("太郎.ini"), "S12４けたのたし算",
           "新5821)2026年12月08日 17:40 [01]  2/ 2 100点 01:05");
    append(seisu + QStringLiteral("太郎.ini"), "Matome1.prp",
           "2024年12月31日 00:00 [00]  2/ 2 100点 00:09");
    ASSERT_TRUE(WritePassword(seisu + QStringLiteral("花子.ini"), QStringLiteral("abcd")).ok);
    append(seisu + QStringLiteral("花子.ini"), "S21２けた×１けた", "書き換えた, \"行\"");
    append(shosu + QStringLiteral("花子.ini"), "S11小数の表し方",
           "2011年03月04日 10:00 [1]  1/ 1 100点 00:30");

    QList<QStringList> rows;
    ASSERT_TRUE(CollectRecordRows(courseware.folder(), rows));
    const QStringList header = RecordExportHeader();
    EXPECT_EQ(header.size(), 14);
    const auto row = [](std::initializer_list<const char*> fields) {
        QStringList r;
        for (const char* f : fields)
            r.append(QString::fromUtf8(f));
        return r;
    };
    const QList<QStringList> want = {
        row({"太郎", "整数の計算", "1", "2", "４けたのたし算", "", "2005-06-21", "14:03", "0102",
             "3", "4", "75", "87", ""}),
        row({"太郎", "整数の計算", "1", "2", "４けたのたし算", "2", "2010-01-05", "09:07", "", "10",
             "10", "100", "6005", ""}),
        row({"太郎", "整数の計算", "1", "2", "４けたのたし算", "新5821", "2026-12-08", "17:40",
             "01", "2", "2", "100", "65", ""}),
        row({"太郎", "整数の計算", "", "", "Matome1.prp", "", "2024-12-31", "00:00", "00", "2", "2",
             "100", "9", ""}),
        row({"花子", "整数の計算", "2", "1", "２けた×１けた", "", "", "", "", "", "", "", "",
             "書き換えた, \"行\""}),
        row({"花子", "小数の計算", "1", "1", "小数の表し方", "", "2011-03-04", "10:00", "1", "1",
             "1", "100", "30", ""}),
    };
    EXPECT_EQ(rows, want);
    EXPECT_TRUE(messages.entries().isEmpty()) << messages.texts().join('\n').toStdString();

    // Read back from the bytes a spreadsheet gets, in both encodings.
    QList<QStringList> all = {header};
    all += rows;
    QByteArray utf8;
    ASSERT_TRUE(EncodeCsv(all, CsvEncoding::Utf8WithBom, utf8));
    ASSERT_TRUE(utf8.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(readCsv(QString::fromUtf8(utf8.mid(3))), all);
    QByteArray sjis;
    ASSERT_TRUE(EncodeCsv(all, CsvEncoding::Cp932, sjis));
    QString decoded;
    ASSERT_TRUE(cp932::decode(sjis, decoded));
    EXPECT_EQ(readCsv(decoded), all);

    // CP932 cannot hold every name a UTF-8 file can.
    EXPECT_FALSE(EncodeCsv({{QStringLiteral("😀")}}, CsvEncoding::Cp932, sjis));
    EXPECT_EQ(messages.texts().size(), 1);
}
