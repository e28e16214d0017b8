#include "fileops.h"

#include "guard.h"
#include "platform/codepage.h"
#include "platform/programfolder.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace fileops {

namespace {

std::unique_ptr<QFile> s_log;

void openStream(const QString &path, QIODevice::OpenMode mode)
{
    s_log = std::make_unique<QFile>(path);
    if (!s_log->open(mode)) {
        const QString why = s_log->errorString();
        s_log.reset();
        throw Failure::fileError(path + u": "_s + why);
    }
}

} // namespace

bool isthere(const QString &path)
{
    bool result = false;
    guard("Fileops", "Function isthere", [&] { result = QFileInfo(path).isFile(); });
    return result;
}

bool createlogfile(const QString &path)
{
    bool result = false;
    guard("Fileops", "Function createlogfile", [&] {
        openStream(path, QIODevice::WriteOnly | QIODevice::Truncate);
        result = true;
    });
    return result;
}

bool openlogfile(const QString &path)
{
    bool result = false;
    guard("Fileops", "Function openlogfile", [&] {
        if (!QFileInfo(path).isFile())
            throw Failure(53, u"File not found: "_s + path);
        openStream(path, QIODevice::WriteOnly | QIODevice::Append);
        result = true;
    });
    return result;
}

void writelogfile(const QString &text)
{
    guard("Fileops", "Sub writelogfile", [&] {
        if (!s_log)
            throw Failure(52, u"Bad file name or number"_s);
        const QByteArray bytes = codepage::toBytes(text);
        if (s_log->write(bytes) != bytes.size())
            throw Failure::fileError(s_log->fileName() + u": "_s + s_log->errorString());
    });
}

void closelogfile()
{
    guard("Fileops", "Sub closelogfile", [&] {
        if (!s_log)
            return;
        const bool flushed = s_log->flush();
        const QString name = s_log->fileName();
        const QString why = s_log->errorString();
        s_log.reset();
        if (!flushed)
            throw Failure::fileError(name + u": "_s + why);
    });
}

void writelog(const QString &fileName, const QString &text)
{
    guard("Fileops", "Sub writelog", [&] {
        const QString path = programfolder::path() + u'/' + fileName;
        const bool opened = isthere(path) ? openlogfile(path) : createlogfile(path);
        if (!opened)
            return;
        QString lines;
        lines.reserve(text.size() + text.size() / 8 + 2);
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == u'\r' || c == u'\n') {
                lines += QStringView(text).sliced(start, i - start) + u"\r\n"_s;
                start = i + 1;
            }
        }
        if (start < text.size())
            lines += QStringView(text).sliced(start) + u"\r\n"_s;
        writelogfile(lines);
        closelogfile();
    });
}

} // namespace fileops
