#pragma once

#include <QStringList>

// The `tintora` command line. `arguments` excludes the program name.
namespace Cli {

int run(const QStringList &arguments);

} // namespace Cli
