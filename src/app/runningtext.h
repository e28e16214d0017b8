#pragma once

#include <QString>

// The running message box's text: time-stamped lines, trimmed when it grows large. With logging
// on, each line goes to the day log as it is written, so a crash or a kill loses none of them.
class RunningText final
{
public:
    // Appends date-time text, "-", text and "\r\n", and with uselog hands the log whatever of
    // the box it does not hold yet. Past 10000 characters the oldest 5000 go first.
    void writemessagebox(const QString &text, bool uselog);
    // Hands the log whatever of the box it does not hold yet, followed by closing (the line that
    // ends a run, or logging).
    void endlog(const QString &closing);
    const QString &text() const { return m_text; }

    static constexpr int Limit = 10000;
    static constexpr int Cut = 5000;

private:
    void tolog(const QString &closing);

    QString m_text;
    qsizetype m_logged = 0; // how much of m_text the log holds
};
