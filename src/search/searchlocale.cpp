#include "searchlocale.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace searchlocale {

namespace {

// A place name goes into a request and on one line of the settings and history files.
constexpr qsizetype LongestPlace = 100;

bool matches(const QString &pattern, const QString &text)
{
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption).match(text).hasMatch();
}

} // namespace

const QList<LocaleField> &fields()
{
    static const QList<LocaleField> table = {{u"country"_s, &SearchLocale::country},
                                             {u"language"_s, &SearchLocale::language},
                                             {u"device"_s, &SearchLocale::device},
                                             {u"location"_s, &SearchLocale::location}};
    return table;
}

QString fault(QString SearchLocale::*member, const QString &text)
{
    const QString value = text.trimmed();
    if (value.isEmpty())
        return {};
    if (member == &SearchLocale::country && !matches(u"^[a-z]{2}$"_s, value))
        return u"a two-letter country code such as us or de"_s;
    // "en", or with a region or script as the services take it: "pt-br", "zh-hans".
    if (member == &SearchLocale::language && !matches(u"^[a-z]{2,3}(-[a-z0-9]{2,4})?$"_s, value))
        return u"a language code such as en, de or pt-br"_s;
    if (member == &SearchLocale::device && value.toLower() != u"desktop" && value.toLower() != u"mobile")
        return u"desktop or mobile"_s;
    if (member == &SearchLocale::location &&
        (value.size() > LongestPlace || std::any_of(value.begin(), value.end(), [](QChar c) { return c < u' '; })))
        return u"a place name on one line, at most 100 characters"_s;
    return {};
}

QString problem(const SearchLocale &locale)
{
    for (const LocaleField &field : fields()) {
        const QString why = fault(field.member, locale.*field.member);
        if (!why.isEmpty())
            return field.name + u" must be "_s + why;
    }
    return {};
}

SearchLocale normalised(const SearchLocale &locale)
{
    SearchLocale out;
    for (const LocaleField &field : fields())
        out.*field.member = (locale.*field.member).trimmed();
    out.country = out.country.toLower();
    out.device = out.device.toLower();
    return out;
}

QString summary(const SearchLocale &locale)
{
    // The codes alone would not say which is the country and which the language.
    QStringList parts;
    if (!locale.country.isEmpty())
        parts << u"country "_s + locale.country;
    if (!locale.language.isEmpty())
        parts << u"language "_s + locale.language;
    for (const QString &plain : {locale.device, locale.location}) {
        if (!plain.isEmpty())
            parts << plain;
    }
    return parts.join(u", "_s);
}

bool LanguageParts::traditional() const
{
    return language == u"zh" && QStringList{u"tw"_s, u"hk"_s, u"mo"_s, u"hant"_s}.contains(region);
}

LanguageParts languageparts(const SearchLocale &locale)
{
    const QString code = locale.language.toLower();
    const QString tail = code.section(u'-', 1);
    return {code.section(u'-', 0, 0), tail.isEmpty() ? locale.country.toLower() : tail};
}

} // namespace searchlocale
