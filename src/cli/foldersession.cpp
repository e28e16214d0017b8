#include "foldersession.h"

#include "cli/headlesswindow.h"
#include "diagnostics/guard.h"
#include "diagnostics/numtext.h"
#include "platform/programfolder.h"
#include "search/searchstate.h"
#include "storage/historyfile.h"
#include "storage/inistore.h"
#include "storage/servertools.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <variant>

using namespace Qt::Literals::StringLiterals;

RecordWindow storedrecordwindow(const QString &inifile, const WindowSettings &windowsettings, const QString &txturls)
{
    RecordWindow window;
    guard("Cli", "Function storedrecordwindow", [&] {
        const auto stored = [&](const QString &key) { return double(storedwindownumber(inifile, key)); };
        window.metop = stored(u"metop"_s);
        window.meleft = stored(u"meleft"_s);
        window.mewidth = stored(u"mewidth"_s);
        window.meheight = stored(u"meheight"_s);
        for (int i = 0; i < 5; ++i)
            window.headw[i] = windowsettings.reswid[i + 1];
        window.txturls = txturls;
    });
    return window;
}

FolderSession::FolderSession(SearchState &state) : m_state(state), m_lock(programfolder::path())
{
    m_state.inifile = m_lock.inifile();
    m_lock.removeleftovers();
}

QString FolderSession::problem() const
{
    QString result;
    guard("Cli", "Function problem", [&] {
        const QString path = inipath();
        const QFileInfo file(path);
        const QFileInfo folder(file.absolutePath());
        if (file.isDir())
            result = path + u" is a folder, not a settings file"_s;
        else if (file.exists() && !file.isReadable())
            result = u"cannot read "_s + path + u": no permission to read it"_s;
        else if (file.exists() && !file.isWritable())
            result = u"cannot replace "_s + path + u": it is read-only"_s;
        else if (!folder.isWritable())
            result = u"cannot replace "_s + path + u": no permission to create files in "_s + folder.filePath();
        if (!result.isEmpty())
            return;
        // What is left (a full disk, a read-only mount) shows only when a replacement is tried.
        QSaveFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            result = u"cannot replace "_s + path + u": "_s + probe.errorString();
        probe.cancelWriting();
    });
    return result;
}

QString FolderSession::inipath() const
{
    return servertools::inipath(m_state.inifile);
}

void FolderSession::load(HeadlessWindow &window)
{
    guard("Cli", "Sub load", [&] {
        errorreports::clearerrortext();
        WindowPlacement placement;
        readi(m_state, m_window, placement, false);
        if (const QString notice = servertools::protectsecrets(m_state.inifile); !notice.isEmpty())
            QTextStream(stderr) << "zorvane-cli: " << notice << '\n';
        m_loaded = m_begun = m_state.settings;
        m_damaged = !errorreports::errortext().isEmpty();
        if (m_damaged) {
            QTextStream(stderr) << "zorvane-cli: " << inipath() << " could not be read completely:"
                                << QString(errorreports::errortext()).replace(u"\r\n"_s, u"\n"_s) << '\n';
            errorreports::clearerrortext();
        }
        window.clearTxturls();
        for (const SearchSession &session : m_state.urldata) {
            if (!session.url.isEmpty())
                window.addTxturlsItem(session.url);
        }
        window.setTxturlsText(m_state.txturl);
    });
}

// What the file holds now: the command line has no list whose widths could have changed.
QList<int> FolderSession::storedcolumnwidths() const
{
    QList<int> widths;
    guard("Cli", "Function storedcolumnwidths", [&] {
        const QString settings = u"settings"_s;
        const long long count = leadingnumber(servertools::readini(u"countreshead"_s, settings, m_state.inifile));
        for (int i = 1; i <= qBound(0LL, count, 100LL); ++i) {
            widths.append(int(storedwindownumber(m_state.inifile, u"reswid"_s + QString::number(i))));
        }
    });
    return widths;
}

void FolderSession::beginrun()
{
    m_begun = m_state.settings;
}

Settings FolderSession::storedsettings() const
{
    Settings stored = m_loaded;
    for (const SettingKey &entry : settingkeys()) {
        std::visit(
            [&](const auto &field) {
                if (!(m_state.settings.*field.member == m_begun.*field.member))
                    stored.*field.member = m_state.settings.*field.member;
            },
            entry.field);
    }
    return stored;
}

void FolderSession::setwindow(const WindowPlacement &placement, const QList<int> &columnwidths)
{
    m_placed.emplace(placement, columnwidths);
}

bool FolderSession::store()
{
    bool stored = false;
    guard("Cli", "Function store", [&] {
        if (m_damaged) {
            QTextStream(stderr) << "zorvane-cli: " << inipath()
                                << " is left unchanged, as it was not read completely\n";
            return;
        }
        SearchState persisted = m_state;
        persisted.settings = storedsettings();
        if (m_placed) {
            stored = writei(persisted, m_window, m_placed->first, m_placed->second);
        } else {
            // A maximised window keeps the stored placement.
            WindowPlacement placement;
            placement.state = WindowState::Maximised;
            stored = writei(persisted, m_window, placement, storedcolumnwidths());
        }
    });
    return stored;
}
