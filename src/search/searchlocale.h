#pragma once

#include <QList>
#include <QString>

// Where and on what a domain's rankings are wanted. Every field is optional: an empty locale
// sends exactly the requests a domain without one sends.
struct SearchLocale
{
    QString country;  // two-letter country code, "us"
    QString language; // two-letter language code, "en"
    QString device;   // "desktop", "mobile" or empty
    QString location; // a place name, "Berlin, Germany"

    bool isEmpty() const { return country.isEmpty() && language.isEmpty() && device.isEmpty() && location.isEmpty(); }
    bool operator==(const SearchLocale &other) const = default;
};

// One field by the name the files store it under ("country", ...), in the order they store them.
struct LocaleField
{
    QString name;
    QString SearchLocale::*member;
};

namespace searchlocale {

const QList<LocaleField> &fields();

// What a field's text must look like, when the text is not that (and not empty); "" when it
// is fine. For example "a two-letter country code such as us".
QString fault(QString SearchLocale::*member, const QString &text);
// The first field that is wrong, with what it must look like ("device must be desktop or
// mobile"); "" when every field is fine.
QString problem(const SearchLocale &locale);
// As typed, trimmed, with the country and the device in lower case.
SearchLocale normalised(const SearchLocale &locale);
// The set fields for a person to read: "country de, language de, mobile, Berlin"; "" for none.
QString summary(const SearchLocale &locale);

// The language code taken apart, in lower case: the language ("zh") and its region, from the
// code ("zh-tw") or else from the searched country. Services that name the variants of a
// language their own way build their codes from it.
struct LanguageParts
{
    QString language;
    QString region;
    // Chinese written in traditional characters: of Taiwan, Hong Kong or Macao, or "zh-hant".
    bool traditional() const;
};
LanguageParts languageparts(const SearchLocale &locale);

} // namespace searchlocale
