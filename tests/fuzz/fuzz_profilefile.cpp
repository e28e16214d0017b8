// libFuzzer entry: the bytes as the settings file. The profile reader gives them back byte for
// byte and keeps a value set in it; start-up reads every setting and domain from the file,
// shut-down stores them, and when the first read met no failure the next start reads the same.
#include "diagnostics/errorreports.h"
#include "diagnostics/numtext.h"
#include "storage/inistore.h"
#include "storage/profilefile.h"
#include "storage/servertools.h"

#include <QBuffer>
#include <QHash>

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkprofile(QByteArrayView bytes, ProfileFile profile)
{
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
    // Line ends are found by the library's search, not byte by byte here: this runs on every input.
    const auto next = [&bytes](char c, qsizetype from) {
        const qsizetype at = bytes.indexOf(c, from);
        return at < 0 ? bytes.size() : at;
    };
    qsizetype cr = next('\r', 0);
    qsizetype lf = next('\n', 0);
    for (qsizetype start = 0; start < bytes.size();) {
        if (cr < start)
            cr = next('\r', start);
        if (lf < start)
            lf = next('\n', start);
        const qsizetype end = qMin(cr, lf);
        const QByteArrayView line = ProfileFile::trimmed(bytes.sliced(start, end - start));
        start = end + 1;
        const qsizetype eq = line.indexOf('=');
        const QByteArrayView key = eq < 0 ? QByteArrayView() : ProfileFile::trimmed(line.first(eq));
        if (key.size() < 5 || qstrnicmp(key.data(), 5, "count", 5) != 0)
            continue;
        QByteArrayView value = ProfileFile::trimmed(line.sliced(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.sliced(1, value.size() - 2);
        // Beyond the 16-bit range a count is an Overflow failure and sizes nothing.
        const long long count = leadingnumber(QLatin1StringView(value.data(), value.size()));
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
// without a disk's open, sync and rename for every input. Bytes already parsed are not parsed
// again: start-up and shut-down both load the input.
class MemoryFiles final : public servertools::IniFiles
{
public:
    struct File
    {
        QByteArray bytes;
        std::optional<ProfileFile> parsed;
    };
    QHash<QString, File> files;

    ProfileFile::LoadResult load(const QString &filename, ProfileFile &profile) override
    {
        const auto found = files.find(filename);
        if (found == files.end()) {
            profile = ProfileFile();
            return ProfileFile::LoadResult::Missing;
        }
        if (!found->parsed)
            found->parsed = ProfileFile::fromBytes(found->bytes);
        profile = *found->parsed;
        return ProfileFile::LoadResult::Loaded;
    }
    bool save(const QString &filename, const ProfileFile &profile) override
    {
        File &file = files[filename];
        file.parsed.reset();
        QBuffer device(&file.bytes);
        return device.open(QIODevice::WriteOnly) && profile.write(&device);
    }
};

void checkstartup(QByteArrayView bytes, const ProfileFile &parsed)
{
    static MemoryFiles memory;
    static const QString name = SearchState().inifile;
    servertools::setinifiles(&memory);
    memory.files = {{name, {bytes.toByteArray(), parsed}}};
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
    // Nothing stays from one input to the next: libFuzzer takes an input that leaves memory
    // behind for a leak and checks the whole heap again.
    memory.files.clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const ProfileFile parsed = ProfileFile::fromBytes(bytes);
    checkprofile(bytes, parsed);
    if (countsfit(bytes))
        checkstartup(bytes, parsed);
    return 0;
}
