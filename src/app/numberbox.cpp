#include "numberbox.h"

#include "diagnostics/guard.h"
#include "search/boxnumbers.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

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
    QObject::connect(&box, &QLineEdit::editingFinished, &box, [&box, &rule, say] {
        // Said once the focus has moved: a message box opened while a click is taking the focus
        // would swallow the click's release. A command that opened its own box meanwhile has
        // said what matters.
        QTimer::singleShot(0, &box, [&box, &rule, say] {
            if (QApplication::activeModalWidget() == nullptr)
                check(box, rule, say);
        });
    });
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
