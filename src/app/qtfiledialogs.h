#pragma once

#include "platform/filedialogs.h"

class QWidget;

// The toolkit's own open and save dialogs, modal over `parent`.
class QtFileDialogs final : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *parent) : m_parent(parent) {}

    std::optional<QString> openfile(const FileDialogRequest &request) override;
    std::optional<QString> savefile(const FileDialogRequest &request) override;

private:
    QWidget *m_parent;
};
