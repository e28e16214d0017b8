#include "numberbox.h"

#include "diagnostics/guard.h"
#include "search/boxnumbers.h"

#include <QLineEdit>

namespace numberbox {

bool check(const QLineEdit &box, const BoxNumber &rule, const Say &say)
{
    bool ok = false;
    guard("Numberbox", "Function check", [&] {
        ok = readbox(rule, box.text()).has_value();
        say(ok ? QString() : boxrefusal(rule));
    });
    return ok;
}

void refuseonleave(QLineEdit &box, const BoxNumber &rule, const Say &say)
{
    // Qt emits editingFinished once per edit, so a message box taking the focus away does not
    // raise a second one.
    QObject::connect(&box, &QLineEdit::editingFinished, &box, [&box, &rule, say] { check(box, rule, say); });
}

bool refuse(QLineEdit &box, const BoxNumber &rule, const Say &say)
{
    const bool ok = check(box, rule, say);
    if (!ok) {
        box.setFocus(Qt::OtherFocusReason);
        box.selectAll();
    }
    return ok;
}

} // namespace numberbox
