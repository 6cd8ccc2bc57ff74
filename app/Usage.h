// What the command line tells about its own use: the usage line, --help, and usage errors as coreutils words them.
#pragma once

#include <QString>

class QCommandLineParser;

namespace quillora {

// "Usage: quillora (--to FOLDER | --in-place) [OPTION]... PATH...", the first line of --help and of usage errors.
QString usageLine();
// "Try 'quillora --help' for more information.", the last line of a usage error.
QString tryHelpLine();
// All of --help, ending in a line break.
QString helpText();
// The line printed when no arguments are given and the windows have no display to open on.
QString noDisplayLine();
// Why parser refused the arguments, in getopt's words ("unrecognized option '--bogus'",
// "option '--to' requires an argument").
QString parseErrorWords(const QCommandLineParser& parser);

} // namespace quillora
