// Subcommands not built yet; each file that implements one removes it from here.
#include "Cli.h"

namespace zendra::cli {

int runParse(const QStringList&) { return fail(QStringLiteral("parse: not available yet")); }
int runIndex(const QStringList&) { return fail(QStringLiteral("index: not available yet")); }
int runLesson(const QStringList&) { return fail(QStringLiteral("lesson: not available yet")); }
int runNames(const QStringList&) { return fail(QStringLiteral("names: not available yet")); }
int runCheck(const QStringList&) { return fail(QStringLiteral("check: not available yet")); }
int runRecords(const QStringList&) { return fail(QStringLiteral("records: not available yet")); }
int runRender(const QStringList&) { return fail(QStringLiteral("render: not available yet")); }

} // namespace zendra::cli
