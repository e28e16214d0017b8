#pragma once

#include "qtfiledialogs.h"

// The file dialogs the window's commands ask: the toolkit's, or those a test puts in their
// place after start-up. The controllers hold this one and so always reach the current ones.
class WindowFileDialogs final : public FileDialogs
{
public:
    explicit WindowFileDialogs(QWidget *parent) : m_toolkit(parent), m_current(&m_toolkit) {}

    FileDialogs &current() const { return *m_current; }
    // nullptr goes back to the toolkit's dialogs.
    void setcurrent(FileDialogs *dialogs) { m_current = dialogs != nullptr ? dialogs : &m_toolkit; }

    std::optional<QString> openfile(const FileDialogRequest &request) override { return m_current->openfile(request); }
    std::optional<QString> savefile(const FileDialogRequest &request) override { return m_current->savefile(request); }

private:
    QtFileDialogs m_toolkit;
    FileDialogs *m_current;
};
