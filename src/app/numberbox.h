#pragma once

#include <functional>

class QLineEdit;
class QString;
struct BoxNumber;

// Refusing, where it is typed, a number a search cannot use. `say` is handed the message that
// names the box and its range, or "" once the box holds a usable number again.
namespace numberbox {
using Say = std::function<void(const QString &)>;

// Leaving the box or pressing Enter in it with an unusable number says so.
void refuseonleave(QLineEdit &box, const BoxNumber &rule, const Say &say);

// Checks the box now, saying an unusable number; returns whether the number is usable.
bool check(const QLineEdit &box, const BoxNumber &rule, const Say &say);

// Checks the box now: an unusable number is said and the box focused, its text selected for
// typing over; returns whether the number is usable.
bool refuse(QLineEdit &box, const BoxNumber &rule, const Say &say);
} // namespace numberbox
