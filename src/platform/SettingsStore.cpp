#include "platform/SettingsStore.h"

#include <QSettings>

#include <memory>

namespace zendra {

namespace {

QString overrideFolder;

std::unique_ptr<QSettings> open(bool shared)
{
    const QString organization = shared ? QStringLiteral("Zendra") : QStringLiteral("Zendra++");
    const QString application = shared ? QStringLiteral("Common") : QStringLiteral("ZendraSK");
    if (!overrideFolder.isEmpty())
        return std::make_unique<QSettings>(overrideFolder + u'/' + organization + u'/' +
                                               application + QStringLiteral(".ini"),
                                           QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organization,
                                       application);
}

// Reads a value, writing the default when it is missing. A value of the wrong type (edited
// by hand) reads as the default and is left as it is.
template <typename T, typename Convert>
T readWithDefault(bool shared, const QString& name, const T& defaultValue, Convert convert)
{
    auto settings = open(shared);
    if (!settings->contains(name)) {
        settings->setValue(name, defaultValue);
        settings->sync();
        return defaultValue;
    }
    T value;
    if (!convert(settings->value(name), value))
        return defaultValue;
    return value;
}

bool toBool(const QVariant& v, bool& out)
{
    const QString text = v.toString().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) {
        out = true;
        return true;
    }
    if (text == QLatin1String("false") || text == QLatin1String("0")) {
        out = false;
        return true;
    }
    return false;
}

bool toInt(const QVariant& v, int& out)
{
    bool ok = false;
    out = v.toString().trimmed().toInt(&ok);
    return ok;
}

bool toText(const QVariant& v, QString& out)
{
    out = v.toString();
    return true;
}

void write(const QString& name, const QVariant& value)
{
    auto settings = open(false);
    settings->setValue(name, value);
    settings->sync();
}

} // namespace

bool ReadBoolSetting(const QString& name, bool defaultValue)
{
    return readWithDefault(false, name, defaultValue, toBool);
}

int ReadIntSetting(const QString& name, int defaultValue)
{
    return readWithDefault(false, name, defaultValue, toInt);
}

QString ReadStringSetting(const QString& name, const QString& defaultValue)
{
    return readWithDefault(false, name, defaultValue, toText);
}

QString ReadCommonString(const QString& name, const QString& defaultValue)
{
    return readWithDefault(true, name, defaultValue, toText);
}

void WriteBoolSetting(const QString& name, bool value)
{
    write(name, value);
}

void WriteIntSetting(const QString& name, int value)
{
    write(name, value);
}

void WriteStringSetting(const QString& name, const QString& value)
{
    write(name, value);
}

void SettingsStore::useFolder(const QString& folder)
{
    overrideFolder = folder;
}

} // namespace zendra
