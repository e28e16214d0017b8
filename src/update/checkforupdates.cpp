#include "checkforupdates.h"

#include "diagnostics/guard.h"
#include "platform/codepage.h"
#include "platform/product.h"
#include "search/requests.h"
#include "search/requesttarget.h"
#include "search/secureconnect.h"
#include "search/settings.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString crlf = u"\r\n"_s;
const QString UpdatePath = u"/update.txt"_s;

} // namespace

Checkforupdates::Checkforupdates(const Settings &settings, QObject *parent)
    : QObject(parent), m_settings(settings), m_socket(this)
{
    connect(&m_timer, &QTimer::timeout, this, &Checkforupdates::Timer1_Timer);
    connect(&m_socket, &SocketControl::dataArrival, this, &Checkforupdates::winsock1_DataArrival);
    connect(&m_socket, &SocketControl::closeEvent, this, &Checkforupdates::winsock1_Close);
}

void Checkforupdates::go()
{
    guard("Checkforupdates", "Sub go", [&] {
        if (m_running)
            return;
        m_running = true;
        m_requested = false;
        m_ticks = 0;
        m_timer.setInterval(m_interval);
        m_timer.start();
    });
}

void Checkforupdates::Timer1_Timer()
{
    guard("Checkforupdates", "Sub Timer1_Timer", [&] {
        if (m_requested) {
            if (m_ticks == m_timeout)
                stop(Outcome::TimedOut);
            m_ticks += 1;
            return;
        }
        switch (m_socket.state()) {
        case SocketControl::Closed: {
            QString problem;
            const Endpoint endpoint = endpointfor(m_settings, update::target(m_settings), problem);
            if (problem.isEmpty())
                m_socket.connectTo(endpoint);
            else
                stop(Outcome::SocketError);
            break;
        }
        case SocketControl::Error:
            stop(Outcome::SocketError);
            break;
        case SocketControl::Connected:
            m_requested = true;
            m_reply.clear();
            m_socket.send(codepage::toBytes(update::request(m_settings)));
            break;
        default: // still resolving or connecting
            break;
        }
    });
}

void Checkforupdates::stop(Outcome outcome)
{
    m_socket.close();
    m_running = false;
    m_timer.stop();
    emit ended(outcome);
}

void Checkforupdates::winsock1_DataArrival(qint64 bytes)
{
    guard("Checkforupdates", "Sub winsock1_DataArrival", [&] {
        Q_UNUSED(bytes) // everything available is taken at once
        m_reply += codepage::toText(m_socket.read());
    });
}

void Checkforupdates::winsock1_Close()
{
    guard("Checkforupdates", "Sub winsock1_Close", [&] {
        m_timer.stop();
        m_reply += codepage::toText(m_socket.read()); // what arrived together with the close
        m_socket.close();
        m_ticks = 0;
        const QString own = product::versiontag();
        const QString announced = update::announcedversion(m_reply);
        m_finished = true;
        if (!announced.isEmpty()) {
            // An announcement too long to read counts as the version we have.
            const Int16 ownnumber = update::getint(own);
            bool ok = false;
            const Int16 announcednumber = update::getint(announced, &ok);
            if (ok && ownnumber < announcednumber) {
                m_announced = announced;
                emit newversion(update::updatemessage(announced));
            }
        }
        m_running = false;
        emit ended(Outcome::Evaluated);
    });
}

namespace update {

RequestTarget target(const Settings &settings)
{
    return requesttarget(settings, settings.updatehost);
}

QString request(const Settings &settings)
{
    QString result;
    guard("Checkforupdates", "Function request", [&] {
        const RequestTarget to = target(settings);
        const QString path = to.proxyform() ? u"http://"_s + to.host + UpdatePath : UpdatePath;
        result = u"GET "_s + path + u" HTTP/1.0"_s + crlf;
        if (to.proxyform())
            result += proxyauthorization(to.proxyauth);
        result += u"Accept: */*"_s + crlf;
        result += u"Accept-Language: en-us"_s + crlf;
        result += u"Pragma: no-cache"_s + crlf;
        result += useragent() + crlf;
        result += u"Host: "_s + to.host + crlf;
        result += u"Connection: Keep-Alive"_s + crlf;
        result += crlf;
    });
    return result;
}

QString announcedversion(const QString &reply)
{
    QString result;
    guard("Checkforupdates", "Function announcedversion", [&] {
        const qsizetype tag = reply.indexOf(u"<V"_s);
        if (tag < 0)
            return;
        const qsizetype start = tag + 1;
        qsizetype end = start + 1;
        while (end < reply.size() && reply[end] != u'>' && reply[end] != u'\r' && reply[end] != u'\n')
            ++end;
        // An unterminated tag runs to the end of the reply, less its last character.
        if (end == reply.size())
            end = qMax(start, end - 1);
        result = reply.sliced(start, end - start);
    });
    return result;
}

Int16 getint(const QString &text, bool *ok)
{
    Int16 result;
    bool done = false;
    guard("Checkforupdates", "Function getint", [&] {
        for (const QChar c : text) {
            if (c >= u'0' && c <= u'9') {
                result *= 10;
                result += c.unicode() - u'0';
            }
        }
        done = true;
    });
    if (ok)
        *ok = done;
    return result;
}

QString updatemessage(const QString &announced)
{
    QString result;
    guard("Checkforupdates", "Function updatemessage", [&] {
        const QString name = product::name();
        result = u"You are using "_s + name + u" Version "_s + product::versiontag() + crlf +
                 u"a new version is available! "_s + announced + crlf + crlf +
                 u"You may visit the download page, or let "_s + name + u" automatic update itself."_s + crlf + crlf +
                 u"Automatic update should take only a minute or so to complete after which "_s + name +
                 u" will be restarted."_s;
    });
    return result;
}

} // namespace update
