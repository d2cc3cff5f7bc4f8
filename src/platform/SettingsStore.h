#pragma once

#include <QString>

namespace zendra {

// The per-user settings. Every read creates a missing value with its default, so after the
// first start every setting the program reads is present. On Windows the values live in the
// registry under HKCU\Software\Zendra++\ZendraSK (product) and HKCU\Software\Zendra\Common
// (shared, read only); elsewhere in per-user configuration files of the same names.

bool ReadBoolSetting(const QString& name, bool defaultValue);
int ReadIntSetting(const QString& name, int defaultValue);
QString ReadStringSetting(const QString& name, const QString& defaultValue);
QString ReadCommonString(const QString& name, const QString& defaultValue);

void WriteBoolSetting(const QString& name, bool value);
void WriteIntSetting(const QString& name, int value);
void WriteStringSetting(const QString& name, const QString& value);

namespace SettingsStore {
// Keeps the settings in ini files under `folder` instead (tests, and a portable setup);
// an empty folder restores the platform's place.
void useFolder(const QString& folder);
} // namespace SettingsStore

} // namespace zendra
