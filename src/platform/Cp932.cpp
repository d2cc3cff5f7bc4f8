#include "platform/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace zendra::cp932 {

namespace {

constexpr const char* kCodecName = "windows-31j";

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

int charBytes(char16_t c)
{
    if (c < 0x80)
        return 1;
    if (c >= 0xFF61 && c <= 0xFF9F) // half-width katakana
        return 1;
    return 2;
}

} // namespace

qsizetype firstInvalidByte(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        if (b < 0x80)
            continue;
        if (isLeadByte(b)) {
            if (i + 1 >= n || !isTrailByte(p[i + 1]))
                return i;
            ++i;
            continue;
        }
        // 0x80 and 0xA0 are single bytes in some tables but not in Windows' own.
        if (b >= 0xA1 && b <= 0xDF)
            continue;
        return i;
    }
    return -1;
}

namespace {

// What every byte from 0x80 up is on its own, and the character of every pair: taken once from
// the converter, so that decoding is a table look-up per character. Bytes below 0x80 stand
// for themselves in the Microsoft table (the converter Qt offers swaps three of them, 0x1A,
// 0x1C and 0x7F, as an IBM table does), so they are not looked up.
class DecodeTable
{
public:
    static constexpr char16_t kNone = 0; // no character: not CP932, a bad trail or unassigned
    static constexpr char16_t kLead = 1; // the first byte of a pair

    DecodeTable();

    // The character that starts at p[0] (0x80 or above) and the bytes it takes, or 0 bytes
    // when none starts there; end is the end of the text.
    int decode(const uchar* p, const uchar* end, char16_t& out) const
    {
        const char16_t single = high_[p[0] - 0x80];
        if (single == kLead) {
            if (end - p < 2)
                return 0;
            out = pairs_[rows_[p[0] - 0x80] * 256 + p[1]];
            return out == kNone ? 0 : 2;
        }
        out = single;
        return single == kNone ? 0 : 1;
    }

private:
    static constexpr int kRows = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);

    std::array<char16_t, 128> high_{};
    std::array<quint8, 128> rows_{};
    std::array<char16_t, kRows * 256> pairs_{}; // by row and trail byte
};

DecodeTable::DecodeTable()
{
    struct Entry
    {
        char16_t* slot;
        char bytes[2];
        qsizetype size;
        QByteArrayView view() const { return QByteArrayView(bytes, size); }
    };
    std::vector<Entry> entries;
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (isLeadByte(uchar(b))) {
            high_[b - 0x80] = kLead;
            const int row = b <= 0x9F ? b - 0x81 : b - 0xE0 + (0x9F - 0x81 + 1);
            rows_[b - 0x80] = quint8(row);
            for (int trail = 0x40; trail <= 0xFC; ++trail)
                if (isTrailByte(uchar(trail)))
                    entries.push_back({&pairs_[row * 256 + trail], {char(b), char(trail)}, 2});
        } else if (b >= 0xA1 && b <= 0xDF) {
            // 0x80 and 0xA0 are single bytes in some tables but not in Windows' own.
            entries.push_back({&high_[b - 0x80], {char(b), 0}, 1});
        }
    }

    // The converter's error flag stays raised once an unassigned pair has raised it, so each
    // entry is first judged by what comes out alone: one character, which is neither U+FFFD
    // nor a control character (the converter reports some unassigned pairs so without raising
    // its flag). What passes is then decoded again in one go by a fresh converter, which must
    // raise no error and give the same characters.
    QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
    QVarLengthArray<QChar, 16> buffer(decoder.requiredSpace(2));
    const auto judge = [](QStringView text) {
        if (text.size() != 1)
            return kNone;
        const char16_t c = text.at(0).unicode();
        return c == 0xFFFD || c < 0x80 ? kNone : c;
    };
    QByteArray accepted;
    QString expected;
    accepted.reserve(2 * qsizetype(entries.size()));
    expected.reserve(qsizetype(entries.size()));
    for (const Entry& e : entries) {
        const QChar* end = decoder.appendToBuffer(buffer.data(), e.view());
        *e.slot = judge(QStringView(buffer.data(), end));
        if (*e.slot != kNone) {
            accepted += e.view();
            expected += QChar(*e.slot);
        }
    }
    QStringDecoder check(kCodecName, QStringConverter::Flag::Stateless);
    const QString again = check.decode(accepted);
    if (!check.hasError() && again == expected)
        return;
    // A converter that reads pairs differently in a run: ask a fresh one for each entry.
    for (const Entry& e : entries) {
        QStringDecoder single(kCodecName, QStringConverter::Flag::Stateless);
        const QString text = single.decode(e.view());
        *e.slot = single.hasError() ? kNone : judge(text);
    }
}

const DecodeTable& decodeTable()
{
    static const DecodeTable table;
    return table;
}

} // namespace

bool decode(const QByteArray& bytes, QString& out)
{
    const DecodeTable& table = decodeTable();
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const uchar* const end = p + bytes.size();
    out.resize(bytes.size());
    char16_t* const first = reinterpret_cast<char16_t*>(out.data());
    char16_t* d = first;
    while (p < end) {
        if (*p < 0x80) {
            *d++ = *p++;
            continue;
        }
        const int taken = table.decode(p, end, *d++);
        if (taken == 0) {
            out.clear();
            return false;
        }
        p += taken;
    }
    out.resize(d - first);
    return true;
}

namespace {

// Master files repeat their short lines (">>", "0", "False", "<<font") thousands of times.
// Each such line is made once and then shared, which spares an allocation per line.
class ShortLines
{
public:
    QString make(const char16_t* text, qsizetype length)
    {
        const auto* chars = reinterpret_cast<const QChar*>(text);
        if (length == 0 || length > kLongest)
            return QString(chars, length);
        quint32 hash = quint32(length);
        for (qsizetype i = 0; i < length; ++i)
            hash = hash * 31 + text[i];
        QString& kept = kept_[(hash ^ (hash >> 10)) % kept_.size()];
        if (kept.size() != length || !std::equal(text, text + length, kept.utf16()))
            kept = QString(chars, length);
        return kept;
    }

private:
    static constexpr qsizetype kLongest = 8;
    std::array<QString, 512> kept_;
};

} // namespace

bool decodeLines(QByteArrayView bytes, QStringList& lines)
{
    lines.clear();
    const DecodeTable& table = decodeTable();
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const uchar* const end = p + bytes.size();
    // Each line is decoded into the front of one buffer and copied out at its end; a line
    // has no more characters than bytes.
    const auto buffer = std::make_unique_for_overwrite<char16_t[]>(size_t(bytes.size()));
    char16_t* const first = buffer.get();
    char16_t* d = first;
    ShortLines shortLines;
    const auto endLine = [&] {
        lines.append(shortLines.make(first, d - first));
        d = first;
    };
    while (p < end) {
        const uchar b = *p;
        if (b >= 0x80) {
            const int taken = table.decode(p, end, *d++);
            if (taken == 0) {
                lines.clear();
                return false;
            }
            p += taken;
        } else if (b == '\n') {
            endLine();
            ++p;
        } else if (b == '\r') {
            endLine();
            p += end - p > 1 && p[1] == '\n' ? 2 : 1;
        } else {
            *d++ = b;
            ++p;
        }
    }
    if (d != first)
        endLine();
    return true;
}

bool decodes(QByteArrayView bytes)
{
    const DecodeTable& table = decodeTable();
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const uchar* const end = p + bytes.size();
    char16_t ignored;
    while (p < end) {
        // Most of a master file is ASCII: it is passed over eight bytes at a time.
        quint64 word;
        while (end - p >= 8 && (std::memcpy(&word, p, 8), (word & 0x8080808080808080u) == 0))
            p += 8;
        if (p == end)
            break;
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const int taken = table.decode(p, end, ignored);
        if (taken == 0)
            return false;
        p += taken;
    }
    return true;
}

bool encode(const QString& text, QByteArray& out)
{
    out.clear();
    QStringEncoder encoder(kCodecName, QStringConverter::Flag::Stateless);
    out.reserve(text.size() * 2);
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (text.at(i).unicode() < 0x80) {
            out.append(char(text.at(i).unicode()));
            ++i;
            continue;
        }
        const qsizetype from = i;
        while (i < n && text.at(i).unicode() >= 0x80)
            ++i;
        out.append(encoder.encode(QStringView(text).sliced(from, i - from)));
        if (encoder.hasError())
            return false;
    }
    // The encoder writes 0xFC 0xFC for some characters it cannot map without reporting
    // it; a text that does not come back unchanged was not encodable.
    QString back;
    if (!decode(out, back))
        return false;
    return back == text;
}

bool canEncode(const QString& text)
{
    QByteArray ignored;
    return encode(text, ignored);
}

int byteLength(const QString& text)
{
    int n = 0;
    for (QChar c : text)
        n += charBytes(c.unicode());
    return n;
}

QString leftBytes(const QString& text, int maxBytes)
{
    int n = 0;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const int w = charBytes(text.at(i).unicode());
        if (n + w > maxBytes)
            break;
        n += w;
    }
    return text.left(i);
}

} // namespace zendra::cp932
