#pragma once

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
