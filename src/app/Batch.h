#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The commands that run without a window, for build pipelines: check a map
// against its texture, carry a map to a repacked texture, map every shape.
namespace ravelock::batch {

// Whether `word`, the program's first argument, names one of the commands.
bool IsCommand(const QString& word);

// Runs the command that `args` names (the command's name first) and returns
// the exit status: 0 when there is nothing to say, 1 with findings, 2 when a
// file cannot be read or written or the arguments are wrong.
int Run(const QStringList& args, QTextStream& out, QTextStream& err);

// How each command is called, a line each, as --help lists them.
QString Usage();

} // namespace ravelock::batch
