#include "failure.h"

#include "platform/product.h"

using namespace Qt::Literals::StringLiterals;

Failure::Failure(int number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source))
{}

QString Failure::productName()
{
    return product::name();
}

Failure Failure::overflow()
{
    return Failure(6, u"Overflow"_s);
}

Failure Failure::subscriptOutOfRange()
{
    return Failure(9, u"Subscript out of range"_s);
}

Failure Failure::divisionByZero()
{
    return Failure(11, u"Division by zero"_s);
}

Failure Failure::typeMismatch()
{
    return Failure(13, u"Type mismatch"_s);
}

Failure Failure::invalidCall(const QString &detail)
{
    return Failure(5, detail.isEmpty() ? u"Invalid procedure call or argument"_s
                                       : u"Invalid procedure call or argument: "_s + detail);
}

Failure Failure::fileError(const QString &detail)
{
    return Failure(75, u"Path/File access error: "_s + detail);
}
