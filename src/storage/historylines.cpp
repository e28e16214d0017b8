#include "historylines.h"

#include "diagnostics/numtext.h"
#include "historyfile.h"
#include "platform/checkedfile.h"
#include "platform/codepage.h"
#include "platform/filelock.h"
#include "recordoptions.h"
#include "storage/inistore.h"

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace historyfile {

namespace {

constexpr qsizetype Chunk = 1 << 20;
// Longer values are rare and seldom repeated; keeping them out of the pool bounds its size.
constexpr qsizetype PooledLength = 1024;

enum class Kind : quint8
{
    Option,
    Window,
    Txturl,
    Url,
    Datetime,
    Pagedepth,
    Checkstop,
    Checkfirst,
    Locale,
    Key,
    Act,
    Pos,
    Hiturl,
    Hittitle,
    Hitabstract,
    Urls,
    Titles
};

struct Field
{
    Kind kind;
    const RecordOption *option = nullptr;
    int window = 0;
    QString SearchLocale::*locale = nullptr;
};

// The record's field names (each written with ": " after it), case-sensitive.
const QHash<QByteArray, Field> &fields()
{
    static const QHash<QByteArray, Field> table = [] {
        QHash<QByteArray, Field> t;
        for (const RecordOption &option : recordoptions())
            t.insert(option.name, {Kind::Option, &option});
        const char *window[] = {"metop",  "meleft", "mewidth", "meheight", "head1w",
                                "head2w", "head3w", "head4w",  "head5w"};
        for (int i = 0; i < 9; ++i)
            t.insert(window[i], {Kind::Window, nullptr, i});
        const std::pair<const char *, Kind> lines[] = {{"TXTURL", Kind::Txturl},
                                                       {"URL", Kind::Url},
                                                       {"DATETIME", Kind::Datetime},
                                                       {"PAGEDEPTH", Kind::Pagedepth},
                                                       {"CHECKSTOP", Kind::Checkstop},
                                                       {"CHECKFIRST", Kind::Checkfirst},
                                                       {"KEY", Kind::Key},
                                                       {"act", Kind::Act},
                                                       {"pos", Kind::Pos},
                                                       {"url", Kind::Hiturl},
                                                       {"title", Kind::Hittitle},
                                                       {"abstract", Kind::Hitabstract},
                                                       {"urls", Kind::Urls},
                                                       {"titles", Kind::Titles}};
        for (const auto &[name, kind] : lines)
            t.insert(name, {kind});
        // A domain's place: "COUNTRY", "LANGUAGE", "DEVICE", "LOCATION".
        for (const LocaleField &field : searchlocale::fields())
            t.insert(field.name.toUpper().toLatin1(), {Kind::Locale, nullptr, 0, field.member});
        return t;
    }();
    return table;
}

// The longest field name, "isautodisconnect" and "schedulefilename".
constexpr qsizetype LongestName = 16;

// A line is a field line when its first characters, as many as a prefix has, are that whole
// prefix; names hold no colon, so the prefix can only end at the line's first ": ".
const Field *fieldof(QByteArrayView line, qsizetype &valuestart)
{
    const qsizetype limit = qMin(line.size(), LongestName + 1);
    const void *colon = std::memchr(line.data(), ':', size_t(limit));
    if (!colon)
        return nullptr;
    const qsizetype at = static_cast<const char *>(colon) - line.data();
    if (at + 1 >= line.size() || line[at + 1] != ' ')
        return nullptr;
    const auto found = fields().constFind(QByteArray::fromRawData(line.data(), at));
    if (found == fields().cend())
        return nullptr;
    valuestart = at + 2;
    return &*found;
}

} // namespace

bool LineReader::fill()
{
    if (m_pos > 0) {
        m_base += m_pos;
        m_buffer.remove(0, m_pos);
        m_scanned -= m_pos;
        m_pos = 0;
    }
    const qsizetype want = m_left < 0 ? Chunk : qsizetype(qMin<qint64>(Chunk, m_left));
    if (want == 0)
        return false;
    const qsizetype old = m_buffer.size();
    // Grows by doubling, so a single line of any length is read in linear time.
    if (m_buffer.capacity() < old + want)
        m_buffer.reserve(qMax(old + want, 2 * m_buffer.capacity()));
    m_buffer.resize(old + want);
    const qint64 n = m_in.read(m_buffer.data() + old, want);
    if (n < 0)
        throw Failure::cannotRead(devicefilename(m_in), m_in.errorString());
    m_buffer.resize(old + n);
    if (m_left > 0)
        m_left -= n;
    return n > 0;
}

bool LineReader::next(QByteArrayView &line)
{
    for (;;) {
        const qsizetype from = qMax(m_pos, m_scanned);
        const char *hit = from < m_buffer.size()
                              ? static_cast<const char *>(
                                    std::memchr(m_buffer.constData() + from, '\n', size_t(m_buffer.size() - from)))
                              : nullptr;
        qsizetype end = -1;
        qsizetype nextpos = 0;
        if (hit) {
            end = hit - m_buffer.constData();
            nextpos = end + 1;
        } else {
            m_scanned = m_buffer.size();
            if (!m_end && fill())
                continue;
            m_end = true;
            if (m_pos >= m_buffer.size())
                return false;
            end = m_buffer.size();
            nextpos = end;
        }
        if (end > m_pos && m_buffer.at(end - 1) == '\r')
            --end;
        line = QByteArrayView(m_buffer.constData() + m_pos, end - m_pos);
        m_linestart = m_base + m_pos;
        m_pos = nextpos;
        return true;
    }
}

bool isseparator(QByteArrayView line)
{
    return line.size() > 10 && line.first(10) == "----------";
}

QString TextPool::text(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    if (bytes.size() > PooledLength)
        return codepage::toText(bytes);
    const auto found = m_texts.constFind(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (found != m_texts.cend())
        return *found;
    const QString text = codepage::toText(bytes);
    m_texts.insert(bytes.toByteArray(), text);
    return text;
}

void RecordBuilder::start()
{
    m_sink.urldata = Array1<SearchSession>();
    if (m_sink.jobs)
        *m_sink.jobs = List1<FetchJob>();
    if (m_sink.txturl)
        m_sink.txturl->clear();
    if (m_sink.controls) {
        m_sink.controls->setdomaintext({});
        m_sink.controls->clearrecord();
    }
    for (const RecordOption &option : recordoptions()) {
        if (option.flag)
            m_sink.settings.*option.flag = false;
    }
    m_seen.reset();
}

SearchSession *RecordBuilder::lastdomain()
{
    Array1<SearchSession> &urldata = m_sink.urldata;
    return urldata.isEmpty() ? nullptr : &urldata[urldata.ubound()];
}

KeywordResult *RecordBuilder::lastkeyword()
{
    SearchSession *domain = lastdomain();
    return domain && !domain->keys.isEmpty() ? &domain->keys[domain->keys.ubound()] : nullptr;
}

SearchHit *RecordBuilder::lasthit()
{
    KeywordResult *keyword = lastkeyword();
    return keyword && !keyword->positions.isEmpty() ? &keyword->positions[keyword->positions.ubound()] : nullptr;
}

void RecordBuilder::apply(QByteArrayView line)
{
    qsizetype at = 0;
    const Field *field = fieldof(line, at);
    if (!field)
        return;
    const QByteArrayView bytes = line.sliced(at);
    switch (field->kind) {
    case Kind::Option:
        applyoption(*field->option, bytes);
        return;
    case Kind::Window:
        if (m_sink.restorewindow) {
            m_window[field->window] = Int16(leadingnumber(codepage::toText(bytes)));
            m_seen.set(field->window);
        }
        return;
    case Kind::Txturl:
        if (m_sink.txturl)
            *m_sink.txturl = m_pool.text(bytes);
        if (m_sink.controls)
            m_sink.controls->setdomaintext(m_pool.text(bytes));
        return;
    case Kind::Url: {
        SearchSession domain;
        domain.url = m_pool.text(bytes);
        m_sink.urldata.append(domain);
        if (m_sink.controls)
            m_sink.controls->adddomain(domain.url);
        return;
    }
    case Kind::Key:
        if (SearchSession *domain = lastdomain()) {
            KeywordResult keyword;
            keyword.key = m_pool.text(bytes);
            domain->keys.append(keyword);
        }
        return;
    case Kind::Pos:
        if (KeywordResult *keyword = lastkeyword()) {
            SearchHit hit;
            hit.position = cint(codepage::toText(bytes));
            keyword->positions.append(hit);
        }
        return;
    case Kind::Locale:
        if (SearchSession *domain = lastdomain())
            domain->locale.*field->locale = m_pool.text(bytes);
        return;
    case Kind::Urls:
    case Kind::Titles:
        if (KeywordResult *keyword = lastkeyword())
            (field->kind == Kind::Urls ? keyword->urls : keyword->titles).append(m_pool.text(bytes));
        return;
    default:
        if (QString *target = fieldtarget(int(field->kind)))
            *target = m_pool.text(bytes);
    }
}

// A flag is set by a value that begins with "1"; any other leaves it cleared.
void RecordBuilder::applyoption(const RecordOption &option, QByteArrayView bytes)
{
    Settings &s = m_sink.settings;
    if (!option.readback)
        return;
    if (option.flag && bytes.startsWith('1'))
        s.*option.flag = true;
    else if (option.windowtext)
        m_sink.windowsettings.*option.windowtext = m_pool.text(bytes);
    else if (option.number)
        s.*option.number = Int16(leadingnumber(codepage::toText(bytes)));
    else if (option.text && !(option.secret && bytes.isEmpty()))
        s.*option.text = m_pool.text(bytes);
    if (option.text == &Settings::colorscheme && s.colorscheme != Settings::standardScheme() &&
        s.colorscheme != Settings::greyScheme())
        s.colorscheme = Settings::standardScheme();
}

// The field of the last domain, keyword or hit that a line sets; none when that is missing.
QString *RecordBuilder::fieldtarget(int kind)
{
    SearchSession *domain = lastdomain();
    KeywordResult *keyword = lastkeyword();
    SearchHit *hit = lasthit();
    switch (Kind(kind)) {
    case Kind::Datetime:
        return domain ? &domain->resulttime : nullptr;
    case Kind::Pagedepth:
        return domain ? &domain->pagedepth : nullptr;
    case Kind::Checkstop:
        return domain ? &domain->checkstop : nullptr;
    case Kind::Checkfirst:
        return domain ? &domain->checkfirst : nullptr;
    case Kind::Act:
        return keyword ? &keyword->action : nullptr;
    case Kind::Hiturl:
        return hit ? &hit->url : nullptr;
    case Kind::Hittitle:
        return hit ? &hit->title : nullptr;
    case Kind::Hitabstract:
        return hit ? &hit->abstract : nullptr;
    default:
        return nullptr;
    }
}

} // namespace historyfile
