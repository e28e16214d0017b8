// libFuzzer entry: the bytes as the settings file. The profile reader gives them back byte for
// byte and keeps a value set in it; start-up reads every setting and domain from the file,
// shut-down stores them, and when the first read met no failure the next start reads the same.
#include "app/appstate.h"
#include "diagnostics/errorreports.h"
#include "platform/programfolder.h"
#include "storage/inistore.h"
#include "storage/profilefile.h"

#include <QFile>
#include <QTemporaryDir>

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

// A 1024 x 768 screen at 15 twips a pixel, the window at its design size.
WindowPlacement screen()
{
    return WindowPlacement{3000, 2000, 7500, 9000, WindowState::Normal, 15360, 11520};
}

void checkstartup(QByteArrayView bytes)
{
    static QTemporaryDir folder;
    require(folder.isValid());
    programfolder::setPath(folder.path());
    {
        QFile file(folder.filePath(QStringLiteral("zorvane.ini")));
        require(file.open(QIODevice::WriteOnly) && file.write(bytes.data(), bytes.size()) == bytes.size());
    }
    errorreports::clearerrortext();
    AppState first;
    WindowPlacement window = screen();
    readi(first, window, true);
    const bool complete = errorreports::errortext().isEmpty();
    require(writei(first, window, {1980, 1738, 735, 3330, 2145}));
    require(errorreports::errortext().isEmpty() == complete);
    AppState second;
    WindowPlacement again = screen();
    readi(second, again, true);
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
    checkstartup(bytes);
    return 0;
}
