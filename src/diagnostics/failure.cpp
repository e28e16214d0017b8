#include "failure.h"

#include "platform/checkedfile.h"
#include "platform/product.h"

#include <QIODevice>

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

Failure Failure::fileproblem(const QString &verb, const QString &file, const QString &reason)
{
    const QString what = file.isEmpty() ? verb : verb + u' ' + file;
    return Failure(FileProblem, what + u": "_s + (reason.isEmpty() ? u"unknown error"_s : reason));
}

Failure Failure::cannotRead(const QString &file, const QString &reason)
{
    return fileproblem(u"Could not read"_s, file, reason);
}

Failure Failure::cannotWrite(const QString &file, const QString &reason)
{
    return fileproblem(u"Could not write"_s, file, reason);
}

Failure Failure::cannotWrite(const QIODevice &device)
{
    return cannotWrite(devicefilename(device), device.errorString());
}
