#pragma once

#include <QString>

namespace zendra {

// The optional teacher password that leaving learner mode asks for. The settings store keeps
// only a random salt and the SHA-256 hash of salt and password ("TeacherPasswordSalt",
// "TeacherPasswordHash"), never the password itself.
bool HasTeacherPassword();
bool TeacherPasswordMatches(const QString& typed);
// An empty password removes it: the lock is one click again.
void SetTeacherPassword(const QString& password);

// Why the two fields of the setting dialog cannot be taken, or empty when they can: both
// must be the same, and a password has at least 4 bytes, as a learner's has.
QString RefuseTeacherPassword(const QString& password, const QString& repeated);

} // namespace zendra
