#pragma once

#include "platform/prompts.h"

#include <QList>
#include <QStringList>

// Answers questions from a queue (No when it runs dry) and records every text shown.
class TestPrompts final : public Prompts
{
public:
    void message(const QString &text) override { m_messages.append(text); }
    Answer question(const QString &text) override
    {
        m_questions.append(text);
        return m_answers.isEmpty() ? Answer::No : m_answers.takeFirst();
    }

    void setNextAnswer(Answer answer) { m_answers.append(answer); }
    const QStringList &messages() const { return m_messages; }
    const QStringList &questions() const { return m_questions; }
    void clear()
    {
        m_messages.clear();
        m_questions.clear();
    }

private:
    QList<Answer> m_answers;
    QStringList m_messages;
    QStringList m_questions;
};
