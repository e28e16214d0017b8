// libFuzzer entry: the bytes as the settings file. The profile reader gives them back byte for
// byte and keeps a value set in it; start-up reads every setting and domain from the file,
// shut-down stores them, and when the first read met no failure the next start reads the same.
#include "diagnostics/errorreports.h"
#include "diagnostics/numtext.h"
#include "platform/codepage.h"
#include "storage/inistore.h"
#include "storage/profilefile.h"
#include "storage/servertools.h"

#include <QBuffer>
#include <QHash>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkprofile(QByteArrayView bytes)
{
    ProfileFile profile = ProfileFile::fromBytes(bytes);
    require(profile.toBytes() == bytes);
    const QByteArray url = profile.value("URL1", "url");
    profile.setValue("settings", "searchhost", "127.0.0.1:8089");
    const ProfileFile reread = ProfileFile::fromBytes(profile.toBytes());
    require(reread.value("settings", "searchhost") == "127.0.0.1:8089");
    require(reread.value("URL1", "url") == url);
}

// Start-up reads as many domains, keywords and hits as the counts ask for, whatever the file
// holds: a few bytes could ask for a hundred thousand look-ups, each input seconds long. A
// file the program wrote takes dozens of bytes an entry; inputs that ask for more than one
// entry in eight bytes are read as a profile only. Any key that starts with "count" counts.
bool countsfit(QByteArrayView bytes)
{
    qsizetype total = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        const QByteArrayView line = ProfileFile::trimmed(bytes.sliced(start, i - start));
        start = i + 1;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || !ProfileFile::trimmed(line.first(eq)).toByteArray().toLower().startsWith("count"))
            continue;
        QByteArrayView value = ProfileFile::trimmed(line.sliced(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.sliced(1, value.size() - 2);
        // Beyond the 16-bit range a count is an Overflow failure and sizes nothing.
        const long long count = leadingnumber(codepage::toText(value));
        if (count > 0 && count <= 32767)
            total += qsizetype(count);
    }
    return total <= bytes.size() / 8;
}

// A 1024 x 768 screen at 15 twips a pixel, the window at its design size.
WindowPlacement screen()
{
    return WindowPlacement{3000, 2000, 7500, 9000, WindowState::Normal, 15360, 11520};
}

// The settings file's whole content: the search state and what it keeps of the window.
struct StoredState : SearchState, WindowSettings
{
};

// The settings files in memory: parsed and written through the profile's own code, as on disk,
// without a disk's open, sync and rename for every input.
class MemoryFiles final : public servertools::IniFiles
{
public:
    QHash<QString, QByteArray> files;

    ProfileFile::LoadResult load(const QString &filename, ProfileFile &profile) override
    {
        const auto found = files.constFind(filename);
        profile = found == files.cend() ? ProfileFile() : ProfileFile::fromBytes(*found);
        return found == files.cend() ? ProfileFile::LoadResult::Missing : ProfileFile::LoadResult::Loaded;
    }
    bool save(const QString &filename, const ProfileFile &profile) override
    {
        QBuffer file(&files[filename]);
        return file.open(QIODevice::WriteOnly) && profile.write(&file);
    }
};

void checkstartup(QByteArrayView bytes)
{
    static MemoryFiles memory;
    static const QString name = SearchState().inifile;
    servertools::setinifiles(&memory);
    memory.files = {{name, bytes.toByteArray()}};
    errorreports::clearerrortext();
    StoredState first;
    WindowPlacement window = screen();
    readi(first, first, window, true);
    const bool complete = errorreports::errortext().isEmpty();
    require(writei(first, first, window, {1980, 1738, 735, 3330, 2145}));
    require(errorreports::errortext().isEmpty() == complete);
    StoredState second;
    WindowPlacement again = screen();
    readi(second, second, again, true);
    require(second.urldata.ubound() == first.urldata.ubound());
    if (complete)
        require(second.urldata == first.urldata && second.txturl == first.txturl && again == window);
    errorreports::clearerrortext();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    checkprofile(bytes);
    if (countsfit(bytes))
        checkstartup(bytes);
    return 0;
}
