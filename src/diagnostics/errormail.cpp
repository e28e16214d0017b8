#include "errormail.h"

#include "guard.h"
#include "platform/product.h"

using namespace Qt::Literals::StringLiterals;

namespace errormail {

QString address(const QString &report)
{
    QString result;
    guard("Errorreports", "Function mailaddress", [&] {
        QString body = report;
        body.replace(u"\r\n"_s, u"%0D%0A"_s);
        result = u"mailto:"_s + SupportAddress + u"?subject="_s + u"Zorvane ERROR REPORT "_s + u"V"_s +
                 product::version() + u"&body="_s + body;
    });
    return result;
}

} // namespace errormail
