#include "inistore.h"

#include "diagnostics/guard.h"
#include "diagnostics/numtext.h"
#include "search/competitors.h"
#include "servertools.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>

using namespace Qt::Literals::StringLiterals;
using servertools::readini;
using servertools::writeini;

namespace {

const QString kSettings = u"settings"_s;
constexpr QByteArrayView kSettingsBytes = "settings";

Int16 edgeofrange(long long value)
{
    return Int16(int(qBound(-32768LL, value, 32767LL)));
}

QString setting(const QString &key, const SearchState &state)
{
    return readini(key, kSettings, state.inifile);
}

QString setting(const SettingKey &entry, const SearchState &state)
{
    return readini(entry.bytes, kSettingsBytes, state.inifile);
}

// A whole number as the file spells it, on the stack: shut-down stores thousands of counts and
// positions.
class Decimal
{
public:
    explicit Decimal(long long number)
        : m_size(int(std::to_chars(m_digits, m_digits + sizeof m_digits, number).ptr - m_digits))
    {}
    operator QByteArrayView() const { return QByteArrayView(m_digits, m_size); }

private:
    char m_digits[24];
    int m_size;
};

// A key or section name that ends in a number ("urls12", "URL3"), built on the stack: the
// keywords and hits of the domains are named by thousands of them.
class NumberedName
{
public:
    NumberedName(QByteArrayView stem, long long number)
    {
        const Decimal digits(number);
        const QByteArrayView text = digits;
        m_bytes.append(stem.data(), stem.size());
        m_bytes.append(text.data(), text.size());
    }
    operator QByteArrayView() const { return QByteArrayView(m_bytes.constData(), m_bytes.size()); }

private:
    QVarLengthArray<char, 32> m_bytes;
};

// Numbers and flags are read from the stored bytes: their characters are the same in text.
long long storednumber(QByteArrayView key, QByteArrayView section, const QString &inifile)
{
    codepage::ShortBytes value;
    servertools::readinibytes(key, section, inifile, value);
    return leadingnumber(QLatin1StringView(value.constData(), value.size()));
}

long long storednumber(const QString &key, const QString &section, const QString &inifile)
{
    codepage::ShortBytes keyname, sectionname;
    codepage::toBytes(key, keyname);
    codepage::toBytes(section, sectionname);
    return storednumber(QByteArrayView(keyname.constData(), keyname.size()),
                        QByteArrayView(sectionname.constData(), sectionname.size()), inifile);
}

Int16 readnumber(const QString &key, const QString &section, const SearchState &state)
{
    return Int16(storednumber(key, section, state.inifile));
}

Int16 readnumber(QByteArrayView key, QByteArrayView section, const SearchState &state)
{
    return Int16(storednumber(key, section, state.inifile));
}

// A flag that is missing by default is set only by "1"; one that is set by default is cleared
// only by "0".
bool readvalue(const SettingKey &entry, const SettingField<bool> &field, const SearchState &state)
{
    codepage::ShortBytes value;
    servertools::readinibytes(entry.bytes, kSettingsBytes, state.inifile, value);
    const QByteArrayView text(value.constData(), value.size());
    return field.missing ? text != "0" : text == "1";
}

Int16 readvalue(const SettingKey &entry, const SettingField<Int16> &field, const SearchState &state)
{
    const Int16 value = Int16(storednumber(entry.bytes, kSettingsBytes, state.inifile));
    return value == 0 ? field.missing : value;
}

// A size outside the range the program takes reads as the default, as a missing one does.
qint64 readvalue(const SettingKey &entry, const SettingField<qint64> &field, const SearchState &state)
{
    const long long value = storednumber(entry.bytes, kSettingsBytes, state.inifile);
    return value < Settings::leastMaxReply || value > Settings::mostMaxReply ? field.missing : value;
}

QString readvalue(const SettingKey &entry, const SettingField<QString> &field, const SearchState &state)
{
    const QString text = setting(entry, state);
    return text.isEmpty() ? field.missing : text;
}

// A number for which 0 means something of its own: only a missing or empty entry takes the
// default.
void readcount(SearchState &state, Int16 Settings::*member)
{
    const SettingKey &entry = settingkey(member);
    const QString text = setting(entry, state);
    state.settings.*member = text.trimmed().isEmpty() ? missingvalue(member) : Int16(leadingnumber(text));
}

// Reads the options in the order given, each by its entry in the settings table.
template <typename... T> void readsettings(SearchState &state, T Settings::*...members)
{
    const auto read = [&state](const SettingKey &entry) {
        std::visit([&](const auto &field) { state.settings.*field.member = readvalue(entry, field, state); },
                   entry.field);
    };
    (read(settingkey(members)), ...);
}

// Stops a damaged file from sizing arrays far beyond anything it could hold.
class ElementBudget
{
public:
    explicit ElementBudget(const SearchState &state)
    {
        servertools::IniBatch *batch = servertools::IniBatch::active(state.inifile);
        m_left = 100000 + (batch ? 4LL * batch->profile().lineCount() : 0);
    }
    void take(int count)
    {
        m_left -= qMax(count, 0);
        if (m_left < 0)
            throw Failure(7, u"Out of memory"_s);
    }

private:
    long long m_left = 0;
};

template <typename T> Array1<T> sized(Int16 upper, ElementBudget &budget)
{
    if (upper < 0)
        throw Failure::subscriptOutOfRange();
    budget.take(upper);
    Array1<T> result;
    result.reserve(upper);
    for (int i = 1; i <= upper; ++i)
        result.append(T());
    return result;
}

// The colour scheme is one of the two the window knows.
void correctscheme(Settings &settings)
{
    if (settings.colorscheme != Settings::standardScheme() && settings.colorscheme != Settings::greyScheme())
        settings.colorscheme = missingvalue(&Settings::colorscheme);
}

void readplacement(const SearchState &state, WindowPlacement &window, bool restorewindow)
{
    const QString &ini = state.inifile;
    placewindow(window, storedwindownumber(ini, u"meleft"_s), storedwindownumber(ini, u"metop"_s),
                storedwindownumber(ini, u"mewidth"_s), storedwindownumber(ini, u"meheight"_s), restorewindow);
}

void readcolumns(const SearchState &state, WindowSettings &windowsettings)
{
    const Int16 countreshead = readnumber(u"countreshead"_s, kSettings, state);
    if (countreshead == 5) {
        for (int i = 1; i <= 5; ++i)
            windowsettings.reswid[i] = storedwindownumber(state.inifile, u"reswid"_s + QString::number(i));
    }
}

// The hit numbers run on across the keywords of one domain; countkeysk says how many are keyword k's.
// They only name keys, so they run past 16 bits: a domain of 32767 keywords has ten times as many.
void readkeyword(KeywordResult &keyword, int k, QByteArrayView section, QByteArrayView topSection, int &j, int &top,
                 const SearchState &state, ElementBudget &budget)
{
    const QString &ini = state.inifile;
    keyword.key = readini(NumberedName("keys", k), section, ini);
    keyword.action = readini(NumberedName("action", k), section, ini);
    keyword.positions = sized<SearchHit>(readnumber(NumberedName("countkeys", k), section, state), budget);
    for (SearchHit &hit : keyword.positions) {
        hit.position = readnumber(NumberedName("position", j), section, state);
        hit.url = readini(NumberedName("urls", j), section, ini);
        hit.title = readini(NumberedName("title", j), section, ini);
        hit.abstract = readini(NumberedName("abstract", j), section, ini);
        ++j;
    }
    const Int16 count = readnumber(NumberedName("countkeys", k), topSection, state);
    keyword.urls = sized<QString>(count, budget);
    keyword.titles = sized<QString>(count, budget);
    for (int i = 1; i <= count; ++i) {
        keyword.urls[i] = readini(NumberedName("urls", top), topSection, ini);
        keyword.titles[i] = readini(NumberedName("title", top), topSection, ini);
        ++top;
    }
}

void readdomain(SearchSession &session, int n, const SearchState &state, ElementBudget &budget)
{
    const QString section = u"URL"_s + QString::number(n);
    const QString &ini = state.inifile;
    session.resulttime = readini(u"resulttime"_s, section, ini);
    session.pagedepth = readini(u"pagedepth"_s, section, ini);
    session.checkstop = readini(u"checkstop"_s, section, ini);
    session.checkfirst = readini(u"checkfirst"_s, section, ini);
    session.lastscheduletime = readini(u"lastscheduletime"_s, section, ini);
    session.competitors = competitors::read(readini(u"competitors"_s, section, ini), session.url);
    for (const LocaleField &field : searchlocale::fields())
        session.locale.*field.member = readini(field.name, section, ini);
    session.keys = sized<KeywordResult>(readnumber(u"countkeys"_s, section, state), budget);
    const NumberedName sectionName("URL", n);
    const NumberedName topName("URLS", n);
    int j = 1;
    int top = 1;
    for (int k = 1; k <= session.keys.ubound(); ++k)
        readkeyword(session.keys[k], k, sectionName, topName, j, top, state, budget);
}

void readdomains(SearchState &state)
{
    ElementBudget budget(state);
    state.urldata = sized<SearchSession>(readnumber(u"counturls"_s, kSettings, state), budget);
    state.txturl = setting(u"txturl"_s, state);
    for (int n = 1; n <= state.urldata.ubound(); ++n) {
        const QString url = readini(u"url"_s, u"URL"_s + QString::number(n), state.inifile);
        if (url.isEmpty())
            continue;
        state.urldata[n].url = url;
        readdomain(state.urldata[n], n, state, budget);
    }
}

void store(const QString &value, const QString &key, const QString &section, const SearchState &state)
{
    writeini(value, key, section, state.inifile);
}

void store(const QString &value, QByteArrayView key, QByteArrayView section, const SearchState &state)
{
    writeini(value, key, section, state.inifile);
}

void store(long long number, QByteArrayView key, QByteArrayView section, const SearchState &state)
{
    servertools::writeinibytes(Decimal(number), key, section, state.inifile);
}

void storesetting(const QString &value, const QString &key, const SearchState &state)
{
    store(value, key, kSettings, state);
}

void writesetting(const SearchState &state, const SettingKey &entry)
{
    std::visit(
        [&](const auto &field) {
            const auto &value = state.settings.*field.member;
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, QString>)
                writeini(value, entry.bytes, kSettingsBytes, state.inifile);
            else
                servertools::writeinibytes(Decimal(value), entry.bytes, kSettingsBytes, state.inifile);
        },
        entry.field);
}

// Writes the options in the order given, each under its key in the settings table.
template <typename... T> void writesettings(const SearchState &state, T Settings::*...members)
{
    (writesetting(state, settingkey(members)), ...);
}

void writeflags(const SearchState &state)
{
    // All the set flags first, then all the cleared ones.
    for (const bool set : {true, false}) {
        for (const SettingKey &entry : settingkeys()) {
            const auto *flag = std::get_if<SettingField<bool>>(&entry.field);
            if (flag != nullptr && state.settings.*flag->member == set)
                writesetting(state, entry);
        }
    }
}

void writekeyword(const KeywordResult &keyword, int k, QByteArrayView section, QByteArrayView topSection, int &j,
                  int &top, const SearchState &state)
{
    store(keyword.key, NumberedName("keys", k), section, state);
    store(keyword.action, NumberedName("action", k), section, state);
    store(keyword.positions.ubound(), NumberedName("countkeys", k), section, state);
    for (const SearchHit &hit : keyword.positions) {
        store(int(hit.position), NumberedName("position", j), section, state);
        store(hit.url, NumberedName("urls", j), section, state);
        store(hit.title, NumberedName("title", j), section, state);
        store(hit.abstract, NumberedName("abstract", j), section, state);
        ++j;
    }
    store(keyword.urls.ubound(), NumberedName("countkeys", k), topSection, state);
    for (int i = 1; i <= keyword.urls.ubound(); ++i) {
        // The titles run parallel to the URLs; a missing one is stored empty.
        const QString title = keyword.title(i);
        store(keyword.urls[i], NumberedName("urls", top), topSection, state);
        store(title, NumberedName("title", top), topSection, state);
        ++top;
    }
}

// A domain without a place writes none of its keys, so a file from before them, or one the
// Windows program reads, stays as it was; a place cleared is stored empty, never left behind.
void writelocale(const SearchLocale &locale, const QString &section, const SearchState &state)
{
    for (const LocaleField &field : searchlocale::fields()) {
        const QString &value = locale.*field.member;
        if (!value.isEmpty() || !readini(field.name, section, state.inifile).isEmpty())
            store(value, field.name, section, state);
    }
}

void writedomain(const SearchSession &session, int n, const SearchState &state)
{
    const QString section = u"URL"_s + QString::number(n);
    store(session.url, u"url"_s, section, state);
    store(session.resulttime, u"resulttime"_s, section, state);
    store(session.pagedepth, u"pagedepth"_s, section, state);
    store(session.checkstop, u"checkstop"_s, section, state);
    store(session.checkfirst, u"checkfirst"_s, section, state);
    store(session.lastscheduletime, u"lastscheduletime"_s, section, state);
    // Only a domain that has or had competitors names them: other files stay as they were.
    if (!session.competitors.isEmpty() || !readini(u"competitors"_s, section, state.inifile).isEmpty())
        store(competitors::text(session.competitors), u"competitors"_s, section, state);
    writelocale(session.locale, section, state);
    const NumberedName sectionName("URL", n);
    store(session.keys.ubound(), "countkeys", sectionName, state);
    const NumberedName topName("URLS", n);
    int j = 1;
    int top = 1;
    for (int k = 1; k <= session.keys.ubound(); ++k)
        writekeyword(session.keys[k], k, sectionName, topName, j, top, state);
}

// The file holds these as 16-bit numbers. A window or column on a very large screen is stored
// at the edge of the range, where storedwindownumber holds a larger number too.
long long wholeNumber(double value)
{
    return static_cast<long long>(qBound(-32768.0, std::trunc(value), 32767.0));
}

void writeplacement(const SearchState &state, const WindowPlacement &window, const QList<int> &columnwidths)
{
    store(columnwidths.size(), "countreshead", kSettingsBytes, state);
    for (int i = 1; i <= columnwidths.size(); ++i)
        store(wholeNumber(columnwidths[i - 1]), NumberedName("reswid", i), kSettingsBytes, state);
    // A minimised or maximised window would store a place the user never chose.
    if (window.state != WindowState::Normal)
        return;
    store(wholeNumber(window.left), "meleft", kSettingsBytes, state);
    store(wholeNumber(window.top), "metop", kSettingsBytes, state);
    store(wholeNumber(window.width), "mewidth", kSettingsBytes, state);
    store(wholeNumber(window.height), "meheight", kSettingsBytes, state);
}

} // namespace

void readi(SearchState &state, WindowSettings &windowsettings, WindowPlacement &window, bool restorewindow)
{
    servertools::IniBatch batch(state.inifile);
    guard("Inistore", "Sub readi", [&] {
        using S = Settings;
        readsettings(state, &S::showrunning, &S::uselog, &S::isautoconnect, &S::isautodisconnect, &S::autostart,
                     &S::contexthelp, &S::schedulerunning, &S::useapi, &S::useproxy, &S::proxyserver, &S::proxyport,
                     &S::proxyuser, &S::proxypass, &S::apikey, &S::colorscheme);
        correctscheme(state.settings);
        readplacement(state, window, restorewindow);
        readcolumns(state, windowsettings);
        readsettings(state, &S::maxconnections, &S::inettimeout, &S::readfile, &S::writefile, &S::historyfile);
        // The scheduler's file dialog starts where its results go.
        windowsettings.scheduledialogpath = setting(settingkey(&S::schedulefile), state);
        readsettings(state, &S::htmlfile, &S::csvfile, &S::searchhost, &S::apihost, &S::updatehost, &S::searchhour,
                     &S::searchday, &S::searchweek, &S::schedulefile, &S::alertdelta, &S::alertcommand);
        readsettings(state, &S::engine, &S::engineurl, &S::enginekey);
        readdomains(state);
        readsettings(state, &S::cafile, &S::requestdelay, &S::shuffle, &S::searxngengines, &S::maxreply);
        readcount(state, &S::maxretries);
    });
}

Int16 storedwindownumber(const QString &inifile, const QString &key)
{
    return edgeofrange(storednumber(key, kSettings, inifile));
}

bool writei(const SearchState &state, const WindowSettings &windowsettings, const WindowPlacement &window,
            const QList<int> &columnwidths)
{
    servertools::IniBatch batch(state.inifile);
    guard("Inistore", "Sub writei", [&] {
        using S = Settings;
        writeflags(state);
        writesettings(state, &S::proxyserver, &S::proxyport, &S::proxyuser, &S::proxypass, &S::apikey, &S::colorscheme,
                      &S::inettimeout, &S::maxconnections, &S::searchhost, &S::apihost, &S::updatehost, &S::alertdelta,
                      &S::alertcommand, &S::readfile, &S::writefile, &S::historyfile);
        storesetting(windowsettings.scheduledialogpath, settingkey(&S::schedulefile).key, state);
        // The results file is written last, so it is the value that stays.
        writesettings(state, &S::htmlfile, &S::csvfile, &S::schedulefile);
        writesettings(state, &S::engine, &S::engineurl, &S::enginekey);
        writesettings(state, &S::cafile, &S::maxretries, &S::requestdelay, &S::searxngengines, &S::maxreply);
        storesetting(state.txturl, u"txturl"_s, state);
        store(state.urldata.ubound(), "counturls", kSettingsBytes, state);
        for (int n = 1; n <= state.urldata.ubound(); ++n) {
            if (!state.urldata[n].url.isEmpty())
                writedomain(state.urldata[n], n, state);
        }
        writeplacement(state, window, columnwidths);
    });
    // Whatever was stored before a failure is still written.
    return batch.save();
}
