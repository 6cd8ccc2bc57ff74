// The help text is written out here, one option a line, rather than made by QCommandLineParser, so that it reads
// as the help of the tools it stands beside.
#include "app/Usage.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QStringList>

namespace quillora {

QString usageLine()
{
    return QStringLiteral("Usage: quillora (--to FOLDER | --in-place) [OPTION]... PATH...");
}

QString tryHelpLine()
{
    return QStringLiteral("Try 'quillora --help' for more information.");
}

QString helpText()
{
    // Lines of at most 79 columns, as a terminal of 80 shows them unbroken.
    return usageLine() + QStringLiteral(R"(
  or:  quillora [OPTION]... -
Rewrite text files so that every word stands on a line of its own: cut the
text at every space, drop the empty pieces and join the words with CR LF.
Results are UTF-8 without a byte-order mark.

One of --to and --in-place is required. A PATH that is a folder is walked,
with every folder below it, for files ending in .EXT. With - as the only PATH,
standard input is converted to standard output. With no arguments at all,
Quillora opens its windows.

  --to FOLDER        write every result into FOLDER, which must exist
  --to -             write the results to standard output; with a word list
                       option, one list of the words of every PATH
  --in-place         replace each file by its result
  --ext EXT          in folders, take files ending in .EXT (default txt;
                       * takes every file)
  --hidden           also walk files and folders whose names start with '.'
  --backup[=SUFFIX]  keep each replaced file as NAME+SUFFIX (default ~)
  --ansi CODEPAGE    read files without a byte-order mark that are not UTF-8
                       in this Windows code page: 874, 932, 936, 949, 950 or
                       1250 to 1258 (default: the one of the locale's language)
  --lf               join the words with LF instead of CR LF
  --quiet            show neither the progress line nor the summary line
  -h, --help         display this help and exit
  -v, --version      output version information and exit

Word lists: the words are the text cut at every space and every line break
(CR LF, CR, LF). Each line of a list ends with a line break, the last one too.
With --to FOLDER or --in-place, each file's list is its result.
  --unique           each word once, in the order it first appears
  --sort[=locale]    words in code-point order, or in the locale's collation
  --count            each word once as COUNT<TAB>WORD, most frequent first
  --fold-case        compare words by full Unicode case folding; print folded
  --merge            add up count lists (as --count writes them) into one;
                       with --to - or - only

Each file skipped or failed is told on standard error as PATH: reason, a bad
line of a count list as PATH:LINE: not a count line (COUNT<TAB>WORD): reason.

Exit status:
  0      every file was converted
  1      a file was skipped, failed or left out (its result would overwrite
           another's), a folder named held no file to take, or a count list
           held a bad line
  2      a usage error: an unknown option, no PATH, neither or both of --to
           and --in-place, a --to folder that does not exist, --count with
           --sort, --merge with --unique or --sort or without --to - or -,
           --fold-case without --unique, --sort, --count or --merge
  128+N  stopped by signal N (130 for Ctrl+C, 143 for SIGTERM); the files
           after the one being written are left untouched

Full documentation: man quillora
)");
}

QString noDisplayLine()
{
    return QStringLiteral("quillora: no display to open the windows on; start it on a desktop, or give files to "
                          "convert (see 'quillora --help')");
}

QString parseErrorWords(const QCommandLineParser& parser)
{
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
        const QString& name = unknown.first();
        return name.size() == 1 ? QStringLiteral("invalid option -- '%1'").arg(name)
                                : QStringLiteral("unrecognized option '--%1'").arg(name);
    }
    // Qt's other refusals name the argument as it was typed.
    static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
    static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '(.*)'\\.$"));
    const QString error = parser.errorText();
    if (const QRegularExpressionMatch match = missing.match(error); match.hasMatch())
        return QStringLiteral("option '%1' requires an argument").arg(match.captured(1));
    if (const QRegularExpressionMatch match = unexpected.match(error); match.hasMatch())
        return QStringLiteral("option '%1' doesn't allow an argument").arg(match.captured(1));
    return error;
}

} // namespace quillora
