#include "boxnumbers.h"

#include "diagnostics/guard.h"

using namespace Qt::Literals::StringLiterals;

std::optional<int> readbox(const BoxNumber &rule, const QString &text)
{
    std::optional<int> number;
    guard("Boxnumbers", "Function readbox", [&] {
        bool ok = false;
        const QString trimmed = text.trimmed();
        const int n = trimmed.toInt(&ok);
        // toInt takes a sign; a count is digits alone.
        if (ok && n >= rule.min && n <= rule.max && trimmed.front().isDigit())
            number = n;
    });
    return number;
}

QString boxrefusal(const BoxNumber &rule)
{
    return u"The "_s + rule.box + u" box takes a whole number of "_s + rule.what + u" from "_s +
           QString::number(rule.min) + u" to "_s + QString::number(rule.max) + u'.';
}
