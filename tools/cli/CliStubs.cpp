// Subcommands not built yet; each file that implements one removes it from here.
#include "Cli.h"

namespace zendra::cli {

int runRender(const QStringList&) { return fail(QStringLiteral("render: not available yet")); }

} // namespace zendra::cli
