#include "keysplit.h"

#include "diagnostics/guard.h"

#include <QSet>

KeySplit splitkeys(const QString &text, int selstart, int sellength)
{
    KeySplit result{{}, selstart, sellength};
    guard("Search", "Function splitkeys", [&] {
        QStringView source(text);
        if (sellength > 0 && selstart >= 0 && selstart < text.size()) {
            source = source.sliced(selstart, qMin<qsizetype>(sellength, text.size() - selstart));
            result.sellength = 0;
        }
        QString line;
        for (const QChar c : source) {
            if (c == u'\r') {
                if (!line.isEmpty())
                    result.keys.append(line);
                line.clear();
            } else if (c != u'\n') {
                line += c;
            }
        }
        if (!line.isEmpty())
            result.keys.append(line);
    });
    return result;
}

int dropduplicates(QStringList &keys)
{
    QSet<QString> seen;
    const qsizetype before = keys.size();
    keys.removeIf([&seen](const QString &key) {
        if (seen.contains(key))
            return true;
        seen.insert(key);
        return false;
    });
    return int(before - keys.size());
}
