#pragma once

#include "platform/prompts.h"

class QWidget;

// The engine's message boxes as the toolkit's modal boxes over the main window.
class QtPrompts final : public Prompts
{
public:
    explicit QtPrompts(QWidget *parent) : m_parent(parent) {}

    void message(const QString &text) override;
    Answer question(const QString &text) override;

private:
    QWidget *m_parent;
};
