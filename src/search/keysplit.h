#pragma once

#include <QStringList>

// The keywords of a keyword text and the keyword box's selection afterwards.
struct KeySplit
{
    QStringList keys;
    int selstart = 0;
    int sellength = 0;
};

// Splits the keyword box's text into keys: the selected text when the selection is not
// empty (the selection then collapses, the caret stays), otherwise the whole text. A
// carriage return ends a line, line feeds are dropped, empty lines are skipped, nothing is
// trimmed.
KeySplit splitkeys(const QString &text, int selstart, int sellength);

// Drops the keys that repeat an earlier one exactly, keeping the first; returns how many went.
int dropduplicates(QStringList &keys);
