#pragma once

#include "platform/prompts.h"

#include <QMessageBox>

#include <functional>

class QWidget;

// The engine's message boxes as the toolkit's modal boxes over the main window: OK for a
// message, OK and Cancel for a confirmation, Yes, No and Cancel for a question. What a box
// answers is read from the button pressed; closing it without a button answers Cancel.
class QtPrompts final : public Prompts
{
public:
    // Shows a box and returns once one of its buttons was pressed. Tests press a button of the
    // real box instead, without showing it.
    using Presenter = std::function<void(QMessageBox &box)>;

    explicit QtPrompts(QWidget *parent, Presenter presenter = {});

    void message(const QString &text) override;
    Answer question(const QString &text) override;
    bool confirm(const QString &text) override;

private:
    QMessageBox::StandardButton ask(const QString &text, QMessageBox::StandardButtons buttons) const;

    QWidget *m_parent;
    Presenter m_presenter;
};
