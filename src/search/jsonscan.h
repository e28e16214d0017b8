#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// A pull reader of one JSON document held one byte per character (the fetcher's text) and
// encoded in UTF-8. The caller walks down to the members it wants and skips the rest, which is
// checked as strictly as what is read but never built, so a large reply costs little more than
// one pass over its bytes.
//
//     JsonScan scan(body);
//     if (scan.enterobject())
//         while (scan.nextkey())
//             scan.key() == u"name" ? void(name = scan.string()) : scan.skip();
//     if (!scan.finish()) ... scan.error() ...
//
// After nextkey() or nextitem() said yes, the caller reads exactly one value (or skips it).
// The first fault stops the reader: every later call finds nothing more, and error() says
// what was wrong and at which byte. Nesting is bounded, and nothing recurses, so a hostile
// reply cannot exhaust the stack.
class JsonScan final
{
public:
    static constexpr int kMaxDepth = 1024;

    explicit JsonScan(QStringView text);
    // The reader views its text, which must outlive it.
    explicit JsonScan(QString &&) = delete;

    // Enters the next value when it is an object (or an array); any other value is skipped.
    bool enterobject();
    bool enterarray();
    // The next member of the object entered last, its key then in key(); false at its end.
    bool nextkey();
    // Whether the array entered last holds another element; false at its end.
    bool nextitem();
    // The member's key, valid until the next call.
    QStringView key() const { return m_key; }

    // The next value as text; a null string, the value skipped, when it is not a string.
    QString string();
    // Whether the next value is a string; nothing is read.
    bool atstring() { return peek() == u'"'; }
    // The next value when it is a number with a whole value that fits; skipped otherwise.
    std::optional<qint64> integer();
    void skip();

    // Whether the text held one well-formed value and nothing after it but white space.
    bool finish();
    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }

private:
    enum class Close : bool
    {
        Object,
        Array
    };

    char16_t peek();
    bool fail(const char *what);
    bool expect(char16_t c, const char *what);
    bool opencontainer(char16_t open);
    bool nextmember(Close kind);
    bool readkey();
    bool scanstring(QString *out);
    bool decodeescape(const char16_t *&p, char16_t *&out);
    bool decodeutf8(const char16_t *&p, char16_t *&out);
    bool scalar();
    bool literal(QStringView word);
    bool number(std::optional<qint64> *value);

    const char16_t *m_begin;
    const char16_t *m_pos;
    const char16_t *m_end;
    int m_depth = 0;
    bool m_fresh = false; // just inside a container, before its first element
    bool m_started = false;
    QStringView m_key;
    QStringView m_plain; // the string read last, when it needed no decoding
    QString m_keybuffer; // a key that had to be decoded
    QString m_error;
};
