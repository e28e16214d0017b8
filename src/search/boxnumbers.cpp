#include "boxnumbers.h"

#include "diagnostics/guard.h"

using namespace Qt::Literals::StringLiterals;

namespace boxnumbers {
const BoxNumber pagedepth{u"Search depth"_s, u"result pages"_s, 1, 32767};
// More than a thousand at once is no longer a search but an attack on the service.
const BoxNumber connections{u"connections"_s, u"connections"_s, 1, 1000};
// 0 would give every page up before its reply could arrive.
const BoxNumber timeout{u"time-out"_s, u"seconds"_s, 1, 32767};
} // namespace boxnumbers

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
