#include "base64.h"

#include "diagnostics/guard.h"
#include "platform/codepage.h"

QString encode(const QString &text)
{
    QString result;
    guard("Base64", "Function encode", [&] {
        // Proxy credentials travel as the bytes the user typed, one byte per character.
        result = codepage::toText(codepage::toBytes(text).toBase64());
    });
    return result;
}
