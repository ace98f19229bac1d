// The command line of the window rur: [--data DIR] [--version] [--help]
// [A] [FILE].
// The first remaining argument "A" switches the block text to scaled whole
// numbers; a remaining argument after it (or the first one when it is not
// "A") names a program to load at start.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

namespace app {

struct WindowArgs {
  bool version = false;
  bool help = false;  // --help or -h
  QString dataDirectory;  // --data DIR; empty: not given
  QString firstArgument;  // the first remaining argument
  QString programFile;    // empty: none
};

// args: the command line without the program name. "--data" takes the
// next argument as its value wherever it stands; "--data" as the last
// argument is dropped.
WindowArgs ParseWindowArgs(const QStringList& args);

// Answers --version ("rur " and the version on a line); the exit status,
// 1 when the text could not be written.
int PrintVersion(std::ostream& out);

// Answers --help with the usage; the exit status, 1 when the text could
// not be written.
int PrintUsage(std::ostream& out);

}  // namespace app
