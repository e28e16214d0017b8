#include "fileops.h"

#include "guard.h"
#include "platform/checkedfile.h"
#include "platform/codepage.h"
#include "platform/programfolder.h"

#include <QFile>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace fileops {

namespace {

// The problem said last, "" once a write worked again. Every line of the message box goes to
// the log, so a log that cannot be written would otherwise be said once a line.
QString s_problem;

} // namespace

QString loglines(const QString &text)
{
    QString lines;
    guard("Fileops", "Function loglines", [&] {
        lines.reserve(text.size() + text.size() / 8 + 2);
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c != u'\r' && c != u'\n')
                continue;
            lines += QStringView(text).sliced(start, i - start) + u"\r\n"_s;
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
        if (start < text.size())
            lines += QStringView(text).sliced(start) + u"\r\n"_s;
    });
    return lines;
}

void writelog(const QString &fileName, const QString &text)
{
    guard("Fileops", "Sub writelog", [&] {
        const QString path = programfolder::path() + u'/' + fileName;
        QFile file(path);
        QString reason;
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            reason = file.errorString();
        else
            reason = appendchecked(file, codepage::toBytes(loglines(text)), false);
        if (reason.isEmpty()) {
            s_problem.clear();
            return;
        }
        const QString problem = path + u'\n' + reason;
        if (std::exchange(s_problem, problem) != problem)
            throw Failure::cannotWrite(path, reason);
    });
}

} // namespace fileops
