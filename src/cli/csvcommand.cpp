#include "commands.h"

#include "csvout.h"
#include "viewinput.h"
#include "views/resultrows.h"

#include <QFile>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

int printcsv(const QList<csvexport::CsvLine> &lines, const std::optional<QString> &filename)
{
    if (filename) {
        const QString problem = csvexport::savecsv(*filename, lines);
        if (problem.isEmpty())
            return 0;
        QTextStream(stderr) << "zorvane-cli: could not write " << *filename << ": " << problem
                            << " (an earlier file of that name is unchanged)\n";
        return 1;
    }
    QFile out;
    // A pipe gets no byte order mark: the next program reads UTF-8 anyway.
    if (out.open(stdout, QIODevice::WriteOnly) && csvexport::writecsv(out, lines, false) && out.flush())
        return 0;
    QTextStream(stderr) << "zorvane-cli: could not write the CSV to standard output\n";
    return 1;
}

QString resultsUsageText()
{
    return u"usage: zorvane-cli --dir DIR results csv [--out F]\n"
           "          the selected domain's results as CSV, to F or to standard output\n"_s;
}

int runResults(const QStringList &args)
{
    const QCommandLineOption outoption(u"out"_s, {}, u"F"_s);
    QCommandLineParser parser;
    if (!parseview(parser, u"results"_s, args, {outoption}, 1, resultsUsageText().sliced(7)))
        return 2;
    if (parser.positionalArguments().first() != u"csv") {
        QTextStream(stderr) << "zorvane-cli results: unknown subcommand \"" << parser.positionalArguments().first()
                            << "\"\n"
                            << resultsUsageText();
        return 2;
    }
    ViewInput input;
    SearchState &state = input.state();
    const int d = findsession(state);
    if (d == 0) {
        QTextStream(stderr) << "zorvane-cli results: no domain is selected in the settings file\n";
        return 1;
    }
    // As the list shows them: the first hit of each keyword only when the domain asks for it.
    const std::optional<StoredInputs> inputs = resultrows::storedinputs(state);
    const List1<ResultRow> rows = resultrows::build(state, d, inputs && inputs->chkdispfirst);
    const QList<csvexport::CsvLine> lines = csvexport::resultlines(rows, state.urldata[d].resulttime);
    if (reportfailures())
        return 1;
    return printcsv(lines, parser.isSet(outoption) ? std::optional(parser.value(outoption)) : std::nullopt);
}
