#pragma once

#include <QStringList>

// bootwright-cli: the headless front end. Exit statuses: 0 done, 1 ended by a message of the
// program, 2 usage error, 3 an input/output error ended the run.
namespace Cli {
enum Exit { Done = 0, Message = 1, Usage = 2, IoFailure = 3 };
int run(const QStringList& arguments);
// --quiet was given: no line per diskette, no confirmation of a save.
bool quiet();
} // namespace Cli
