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

bool decode(const QByteArray& bytes, QString& out)
{
    QStringDecoder decoder(kCodecName);
    out = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    // The decoder reports some unassigned pairs as U+FFFD or U+001A without raising its
    // error flag; a U+001A that the bytes do not hold is such a substitute.
    if (out.contains(QChar(0xFFFD)))
        return false;
    if (out.contains(QChar(0x1A)) && out.count(QChar(0x1A)) != bytes.count('\x1A'))
        return false;
    return true;
}

bool encode(const QString& text, QByteArray& out)
{
    QStringEncoder encoder(kCodecName);
    out = encoder.encode(text);
    if (encoder.hasError())
        return false;
    // The encoder writes 0xFC 0xFC for some characters it cannot map without reporting
    // it; a text that does not come back unchanged was not encodable.
    QString back;
    if (firstInvalidByte(out) >= 0 || !decode(out, back))
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
