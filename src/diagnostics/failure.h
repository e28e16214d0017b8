#pragma once

#include <QString>

#include <exception>

// A failure raised inside a procedure and carried to its guard, which hands it to the error
// trap. The numbers follow the classic runtime error numbers users may look up.
class Failure final : public std::exception
{
public:
    Failure(int number, QString description, QString source = productName());

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }
    const char *what() const noexcept override { return "Failure"; }

    static Failure overflow();
    static Failure subscriptOutOfRange();
    static Failure divisionByZero();
    static Failure typeMismatch();
    static Failure invalidCall(const QString &detail = {});
    static Failure fileError(const QString &detail);
    static QString productName();

private:
    int m_number;
    QString m_description;
    QString m_source;
};
