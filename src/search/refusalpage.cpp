#include "refusalpage.h"

#include "diagnostics/guard.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Challenge = u"challenge page"_s;
const QString Captcha = u"captcha page"_s;
const QString Consent = u"consent page"_s;

// The landmarks of a page: its first title and the targets, ids and sources that matter.
struct Landmarks
{
    QString title;
    QStringList formactions;
    QStringList formids;
    QStringList scripts; // a script's source, or its inline text
};

// The value of one attribute in a tag's attribute text, lower case; "" when it is missing.
QString attribute(QStringView attributes, QStringView name)
{
    for (qsizetype at = 0; (at = attributes.indexOf(name, at, Qt::CaseInsensitive)) >= 0; at += name.size()) {
        const bool starts = at == 0 || attributes[at - 1].isSpace();
        qsizetype after = at + name.size();
        while (after < attributes.size() && attributes[after].isSpace())
            ++after;
        if (!starts || after >= attributes.size() || attributes[after] != u'=')
            continue;
        ++after;
        while (after < attributes.size() && attributes[after].isSpace())
            ++after;
        if (after >= attributes.size())
            return {};
        const QChar quote = attributes[after];
        const bool quoted = quote == u'"' || quote == u'\'';
        qsizetype end = quoted ? attributes.indexOf(quote, after + 1) : after;
        if (!quoted) {
            while (end < attributes.size() && !attributes[end].isSpace())
                ++end;
        }
        if (end < 0)
            end = attributes.size();
        return attributes.sliced(after + (quoted ? 1 : 0), end - after - (quoted ? 1 : 0)).toString().toLower();
    }
    return {};
}

// The text from `from` up to the closing tag of that name (case-insensitive), and where the
// scan goes on.
QStringView element(QStringView page, qsizetype from, QStringView closing, qsizetype &next)
{
    const qsizetype end = page.indexOf(closing, from, Qt::CaseInsensitive);
    next = end < 0 ? page.size() : end + closing.size();
    return page.sliced(from, (end < 0 ? page.size() : end) - from);
}

Landmarks landmarks(QStringView page)
{
    Landmarks found;
    bool titled = false;
    qsizetype at = 0;
    while ((at = page.indexOf(u'<', at)) >= 0) {
        qsizetype end = at + 1;
        while (end < page.size() && page[end].isLetter())
            ++end;
        const QString name = page.sliced(at + 1, end - at - 1).toString().toLower();
        const qsizetype close = page.indexOf(u'>', end);
        if (name.isEmpty() || close < 0) {
            at += 1;
            continue;
        }
        const QStringView attributes = page.sliced(end, close - end);
        at = close + 1;
        if (name == u"title" && !titled) {
            titled = true;
            found.title = element(page, at, u"</title", at).toString().simplified().toLower();
        } else if (name == u"form") {
            found.formactions.append(attribute(attributes, u"action"));
            found.formids.append(attribute(attributes, u"id"));
        } else if (name == u"script") {
            const QString source = attribute(attributes, u"src");
            const QStringView inline_ = element(page, at, u"</script", at);
            found.scripts.append(source.isEmpty() ? inline_.toString() : source);
        }
    }
    return found;
}

bool anycontains(const QStringList &texts, std::initializer_list<QStringView> markers)
{
    for (const QString &text : texts) {
        for (QStringView marker : markers) {
            if (text.contains(marker))
                return true;
        }
    }
    return false;
}

// Whether a form sends to a host whose name begins "consent.".
bool consentform(const QStringList &actions)
{
    for (const QString &action : actions) {
        const qsizetype slashes = action.indexOf(u"//");
        if (slashes >= 0 && QStringView(action).sliced(slashes + 2).startsWith(u"consent."))
            return true;
    }
    return false;
}

QString kind(const Landmarks &page)
{
    // Anubis's proof-of-work page, which guards many public SearXNG instances.
    if (page.title == u"just a moment..." || page.title == u"attention required! | cloudflare" ||
        page.title == u"making sure you&#39;re not a bot!")
        return Challenge;
    if (page.title == u"sorry..." || page.title == u"captcha")
        return Captcha;
    if (page.title.startsWith(u"before you continue"))
        return Consent;
    if (anycontains(page.formactions, {u"/cdn-cgi/", u"__cf_chl", u"anomaly"}) ||
        page.formids.contains(u"challenge-form"))
        return Challenge;
    if (anycontains(page.formactions, {u"/sorry/"}) || page.formids.contains(u"captcha-form"))
        return Captcha;
    if (consentform(page.formactions))
        return Consent;
    if (anycontains(page.scripts, {u"/cdn-cgi/challenge-platform/", u"challenges.cloudflare.com", u"_cf_chl_opt",
                                   u"/.within.website/x/cmd/anubis/"}))
        return Challenge;
    if (anycontains(page.scripts, {u"/recaptcha/", u"hcaptcha.com", u"altcha"}))
        return Captcha;
    return {};
}

} // namespace

QString refusalpage(QStringView page)
{
    QString result;
    guard("Fetcher", "Function refusalpage", [&] { result = kind(landmarks(page)); });
    return result;
}
