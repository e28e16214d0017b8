#include "commands.h"

#include "storage/historyindex.h"
#include "viewinput.h"
#include "views/historyrows.h"
#include "views/rankseries.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSize>
#include <QTextStream>

#ifdef ZORVANE_CHARTS
#include "views/rankchart.h"

#include <QApplication>
#endif

using namespace Qt::Literals::StringLiterals;

namespace {

const QCommandLineOption KeywordOption(u"keyword"_s, {}, u"K"_s);
const QCommandLineOption DomainOption(u"domain"_s, {}, u"D"_s);
const QCommandLineOption OutOption(u"out"_s, {}, u"FILE"_s);
const QCommandLineOption SizeOption(u"size"_s, {}, u"WxH"_s);

constexpr int MinSide = 50;
constexpr int MaxSide = 8000;

int fail(const QString &problem, int status = 1)
{
    QTextStream(stderr) << "zorvane-cli history chart: " << problem << '\n';
    return status;
}

std::optional<QSize> parsesize(const QString &text)
{
    static const QRegularExpression pattern(u"^(\\d{1,5})x(\\d{1,5})$"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < MinSide || size.height() < MinSide || size.width() > MaxSide || size.height() > MaxSide)
        return std::nullopt;
    return size;
}

// The command line's first command and the word after it, past the options before it.
bool chartrequested(int argc, char **argv)
{
    int i = 1;
    while (i < argc && argv[i][0] == '-')
        i += qstrcmp(argv[i], "--dir") == 0 ? 2 : 1;
    return i + 1 < argc && qstrcmp(argv[i], "history") == 0 && qstrcmp(argv[i + 1], "chart") == 0;
}

#ifdef ZORVANE_CHARTS
int draw(const QString &keyword, const QList<RankSeries> &series, QSize size, const std::optional<QString> &out)
{
    QString problem;
    if (out) {
        problem = rankchart::writechart(keyword, series, size, QFileInfo(*out).absoluteFilePath());
    } else {
        QFile stdoutfile;
        if (!stdoutfile.open(stdout, QIODevice::WriteOnly))
            return fail(u"cannot write to standard output"_s);
        problem = rankchart::writechart(keyword, series, size, true, stdoutfile);
    }
    return problem.isEmpty() ? 0 : fail(problem);
}
#endif

} // namespace

std::unique_ptr<QCoreApplication> cliapplication(int &argc, char **argv)
{
#ifdef ZORVANE_CHARTS
    // Drawing needs a GUI application, but never a display.
    if (chartrequested(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }
#else
    Q_UNUSED(chartrequested);
#endif
    return std::make_unique<QCoreApplication>(argc, argv);
}

int runHistoryChart(const QString &filename, const QStringList &args)
{
    QCommandLineParser parser;
    if (!parseview(parser, u"history chart"_s, args, {KeywordOption, DomainOption, OutOption, SizeOption}, 0,
                   u"zorvane-cli history chart FILE --keyword K [--domain D] [--out F.svg|F.png] [--size WxH]"_s))
        return 2;
    if (!parser.isSet(KeywordOption))
        return fail(u"--keyword is needed"_s, 2);
    const std::optional<QSize> size = parsesize(parser.isSet(SizeOption) ? parser.value(SizeOption) : u"800x500"_s);
    if (!size)
        return fail(u"--size takes WIDTHxHEIGHT, each from %1 to %2"_s.arg(MinSide).arg(MaxSide), 2);
    std::optional<QString> out;
    if (parser.isSet(OutOption)) {
        out = parser.value(OutOption);
        const QString suffix = QFileInfo(*out).suffix().toLower();
        if (suffix != u"svg" && suffix != u"png")
            return fail(u"--out must name a .svg or .png file"_s, 2);
    }
#ifdef ZORVANE_CHARTS
    if (!QFileInfo::exists(filename))
        return fail(u"File doesn't exist! "_s);
    const HistoryIndex historydata = HistoryIndex::open(filename);
    const bool failed = reportfailures();
    const QString keyword = parser.value(KeywordOption);
    const QString domain = parser.isSet(DomainOption) ? parser.value(DomainOption) : historyrows::ShowAll;
    const QList<RankSeries> series = rankseries::build(historydata, keyword, domain);
    if (series.isEmpty())
        return fail(u"no record with a readable date searched \""_s + keyword + u"\" for "_s +
                    (domain == historyrows::ShowAll ? u"any domain"_s : domain));
    const int status = draw(keyword, series, *size, out);
    return failed ? 1 : status;
#else
    Q_UNUSED(filename);
    return fail(u"charts are not available in this build (it was made without the desktop program)"_s);
#endif
}
