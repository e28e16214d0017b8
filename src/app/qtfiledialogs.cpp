#include "qtfiledialogs.h"

#include <QDir>
#include <QFileDialog>

namespace {

// A bare name is proposed in the current folder.
QString startpath(const QString &filename)
{
    return QDir::current().absoluteFilePath(filename);
}

std::optional<QString> answer(const QString &chosen)
{
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}

} // namespace

std::optional<QString> QtFileDialogs::openfile(const FileDialogRequest &request)
{
    return answer(
        QFileDialog::getOpenFileName(m_parent, request.title, startpath(request.filename), qtfilter(request.filter)));
}

std::optional<QString> QtFileDialogs::savefile(const FileDialogRequest &request)
{
    // The commands ask their own overwrite question.
    return answer(QFileDialog::getSaveFileName(m_parent, request.title, startpath(request.filename),
                                               qtfilter(request.filter), nullptr, QFileDialog::DontConfirmOverwrite));
}
