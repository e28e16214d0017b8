#include "qtfiledialogs.h"

#include <QDir>

namespace {

// Shows the dialog and waits; a cancel is nothing.
std::optional<QString> chosen(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

std::unique_ptr<QFileDialog> QtFileDialogs::dialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode) const
{
    // A bare name is proposed in the current folder.
    auto dialog = std::make_unique<QFileDialog>(
        m_parent, request.title, QDir::current().absoluteFilePath(request.filename), qtfilter(request.filter));
    dialog->setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen)
        dialog->setFileMode(QFileDialog::ExistingFile);
    else
        dialog->setOption(QFileDialog::DontConfirmOverwrite); // the commands ask their own overwrite question
    return dialog;
}

std::optional<QString> QtFileDialogs::openfile(const FileDialogRequest &request)
{
    return chosen(*dialog(request, QFileDialog::AcceptOpen));
}

std::optional<QString> QtFileDialogs::savefile(const FileDialogRequest &request)
{
    return chosen(*dialog(request, QFileDialog::AcceptSave));
}
