#pragma once

#include "platform/filedialogs.h"

#include <QFileDialog>

#include <memory>

// The toolkit's own open and save dialogs, modal over `parent`.
class QtFileDialogs final : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *parent) : m_parent(parent) {}

    std::optional<QString> openfile(const FileDialogRequest &request) override;
    std::optional<QString> savefile(const FileDialogRequest &request) override;

    // The dialog a request opens (AcceptOpen or AcceptSave), set up but not yet shown.
    std::unique_ptr<QFileDialog> dialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode) const;

private:
    QWidget *m_parent;
};
