#include "platform/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

// Bytes below 0x80 stand for themselves in the Microsoft table. The converter Qt offers
// swaps three of them (0x1A, 0x1C, 0x7F, as an IBM table does), so only the runs of
// non-ASCII bytes go through it and everything else is copied as it is.
bool decode(const QByteArray& bytes, QString& out)
{
    out.clear();
    if (firstInvalidByte(bytes) >= 0)
        return false; // also a lead byte cut off at the end, which the converter would drop
    QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    out.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        if (p[i] < 0x80) {
            out.append(QChar(char16_t(p[i])));
            ++i;
            continue;
        }
        // A run of characters that do not start below 0x80: pairs (whose trail byte may be
        // below 0x80) and half-width katakana.
        const qsizetype from = i;
        while (i < n && p[i] >= 0x80)
            i += isLeadByte(p[i]) ? 2 : 1;
        const QString run = decoder.decode(QByteArrayView(bytes).sliced(from, i - from));
        if (decoder.hasError())
            return false;
        // The converter reports some unassigned pairs as U+FFFD or as a control character
        // without raising its error flag; no pair or katakana byte means either.
        for (QChar c : run)
            if (c.unicode() == 0xFFFD || c.unicode() < 0x80)
                return false;
        out.append(run);
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
