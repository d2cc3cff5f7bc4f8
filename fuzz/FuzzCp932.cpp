// The CP932 codec and TextFile: whatever decodes encodes back to the same text, and a file
// that reads saves back to the same lines.
#include "FuzzSupport.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"

using namespace zendra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    QString text;
    const bool valid = cp932::firstInvalidByte(bytes) < 0;
    if (cp932::decode(bytes, text)) {
        FUZZ_ASSERT(valid);
        // Byte for byte, except that a character the table holds twice (NEC and IBM rows)
        // comes back as the one code Windows writes for it: same text, same length, and
        // writing it again changes nothing.
        QByteArray back;
        FUZZ_ASSERT(cp932::encode(text, back));
        FUZZ_ASSERT(back.size() == bytes.size());
        QString again;
        FUZZ_ASSERT(cp932::decode(back, again) && again == text);
        QByteArray backAgain;
        FUZZ_ASSERT(cp932::encode(again, backAgain) && backAgain == back);
        FUZZ_ASSERT(cp932::byteLength(text) == bytes.size());
    }
    // The same bytes as text to encode (what a user might type).
    const QString typed = QString::fromUtf8(bytes);
    QByteArray encoded;
    if (cp932::encode(typed, encoded)) {
        QString again;
        FUZZ_ASSERT(cp932::decode(encoded, again) && again == typed);
    }

    const QString path = fuzz::writeInput(QStringLiteral("in.txt"), bytes);
    QStringList lines;
    if (TextFile::read(path, lines).ok) {
        const QString out = fuzz::scratch().filePath(QStringLiteral("out.txt"));
        FUZZ_ASSERT(TextFile::write(out, lines).ok);
        QStringList back;
        FUZZ_ASSERT(TextFile::read(out, back).ok && back == lines);
    }
    return 0;
}
