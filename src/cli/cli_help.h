#pragma once

#include <QString>

// What `bootwright-cli COMMAND --help` prints.
namespace CliHelp {
// The help of one command, or a null text when there is no command of that name.
QString command(const QString& name);
} // namespace CliHelp
