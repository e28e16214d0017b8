#pragma once

#include <QString>

#include <exception>

class QIODevice;

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
    // A file that could not be read or written (a missing folder, no permission, a full disk, a
    // folder in its place) is the user's situation, not a program error: the error trap says it
    // in plain words, naming the file and the system's reason, and makes no error report.
    static Failure cannotRead(const QString &file, const QString &reason);
    static Failure cannotWrite(const QString &file, const QString &reason);
    // The device's file (when it has one) and the reason its last write failed.
    static Failure cannotWrite(const QIODevice &device);
    bool fileproblem() const { return m_number == FileProblem; }
    static QString productName();

private:
    static constexpr int FileProblem = 75;
    static Failure fileproblem(const QString &verb, const QString &file, const QString &reason);

    int m_number;
    QString m_description;
    QString m_source;
};
