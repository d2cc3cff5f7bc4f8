#pragma once

// What every fuzz target shares: a scratch folder for the files it writes, and the bytes of
// an input as a file.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace zendra::fuzz {

inline QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    return dir;
}

inline QString writeInput(const QString& name, const QByteArray& bytes)
{
    const QString path = scratch().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    return path;
}

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A finding the sanitizers cannot see: a broken promise of the code under test.
#define FUZZ_ASSERT(condition)                                                                     \
    do {                                                                                           \
        if (!(condition))                                                                          \
            std::abort();                                                                          \
    } while (false)

} // namespace zendra::fuzz
