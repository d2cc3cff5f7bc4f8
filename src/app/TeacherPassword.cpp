#include "app/TeacherPassword.h"

#include "platform/Cp932.h"
#include "platform/SettingsStore.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace zendra {

namespace {

const QString kSaltSetting = QStringLiteral("TeacherPasswordSalt");
const QString kHashSetting = QStringLiteral("TeacherPasswordHash");

QByteArray hashOf(const QByteArray& salt, const QString& password)
{
    return QCryptographicHash::hash(salt + password.toUtf8(), QCryptographicHash::Sha256);
}

} // namespace

bool HasTeacherPassword()
{
    return !ReadStringSetting(kHashSetting, QString()).isEmpty();
}

bool TeacherPasswordMatches(const QString& typed)
{
    const QByteArray stored =
        QByteArray::fromHex(ReadStringSetting(kHashSetting, QString()).toLatin1());
    if (stored.isEmpty())
        return false;
    const QByteArray salt =
        QByteArray::fromHex(ReadStringSetting(kSaltSetting, QString()).toLatin1());
    const QByteArray given = hashOf(salt, typed);
    // Compared whole, whatever the first difference.
    unsigned char difference = stored.size() == given.size() ? 0 : 1;
    for (qsizetype i = 0; i < std::min(stored.size(), given.size()); ++i)
        difference |= static_cast<unsigned char>(stored.at(i) ^ given.at(i));
    return difference == 0;
}

void SetTeacherPassword(const QString& password)
{
    if (password.isEmpty()) {
        WriteStringSetting(kHashSetting, QString());
        WriteStringSetting(kSaltSetting, QString());
        return;
    }
    QByteArray salt(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()),
                                          salt.size() / sizeof(quint32));
    WriteStringSetting(kSaltSetting, QString::fromLatin1(salt.toHex()));
    WriteStringSetting(kHashSetting, QString::fromLatin1(hashOf(salt, password).toHex()));
}

QString RefuseTeacherPassword(const QString& password, const QString& repeated)
{
    if (password != repeated)
        return QStringLiteral("確認のため再入力してください");
    if (!password.isEmpty() && cp932::byteLength(password) < 4)
        return QStringLiteral("４文字以上にしてください");
    return {};
}

} // namespace zendra
