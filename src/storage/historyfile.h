#pragma once

#include "search/array1.h"
#include "storage/historyentry.h"
#include "storage/windowplacement.h"

#include <QString>

#include <array>
#include <functional>

class Prompts;
class QIODevice;
struct SearchState;

// What a saved record keeps of the window besides the shared state: its place and the widths
// of results columns 1 to 5 in twips (whatever the window state), and the domain box's text.
struct RecordWindow
{
    double metop = 0;
    double meleft = 0;
    double mewidth = 0;
    double meheight = 0;
    std::array<double, 5> headw{};
    QString txturls;
};

// The window's controls that loading a record changes. The desktop window shows them; the
// command line keeps plain values.
class RecordControls
{
public:
    virtual ~RecordControls() = default;
    // The domain box `txturls`: emptied (items and text), one item added, its text set.
    virtual void cleardomains() = 0;
    virtual void adddomain(const QString &url) = 0;
    virtual void setdomaintext(const QString &text) = 0;
    // Where a loaded record starts: the keyword box empty, the page depth "1", the status label
    // empty, the results label "Results", the results list and the detail box empty.
    virtual void clearrecord() = 0;
};

// Where readall loads a record. window holds the window's placement and the screen size on
// entry and the placement to apply on return.
struct RecordTarget
{
    SearchState &state;
    WindowSettings &windowsettings;
    WindowPlacement &window;
    RecordControls &controls;
};

// History files (".sav"): one record per save, each a separator line of ten hyphens and the
// date-time text, followed by one "name: value" line per option, window value, domain,
// keyword, hit and top URL. Records are only ever appended, or dropped by deleterecords.
namespace historyfile {

// Writes one record headed by when. Values are written as held: a line break inside one splits
// its line. On a failure (a keyword with fewer titles than top URLs) the lines before it are
// written and the failure is passed on.
void writerecord(QIODevice &out, const QString &when, const SearchState &state, const WindowSettings &windowsettings,
                 const RecordWindow &window);

// The records of the file in one pass, each with its date-time text and its domains as
// readall(n) would load them; a record that fails to read is reported through the error trap
// and keeps what was read before the failure. Repeated texts share their storage. started runs
// when the first record begins, so a caller can show that loading has begun.
Array1<HistoryEntry> readhistory(const QString &filename, const std::function<void()> &started = {});
Array1<HistoryEntry> readhistory(QIODevice &in, const std::function<void()> &started = {});

// Delete Selected: rewrites filename without every record whose date-time text is when; the
// lines before the first separator and all other records stay as they were. The new file is
// built beside the old one and renamed over it; a copy is left in tempfile. A failure is
// passed on, and leaves the file as it was.
void deleterecords(const QString &filename, const QString &when, const QString &tempfile);

} // namespace historyfile

// Appends one record dated now (with replace, makes it the file's only record), every byte
// checked to have reached the disk; true when it did. A file that cannot be written is a file
// problem and stays as it was; any other failure goes to the error trap, and the lines before
// it stay.
bool saveall(const QString &filename, const SearchState &state, const WindowSettings &windowsettings,
             const RecordWindow &window, bool replace = false);

// The number of records; recorddates gets their date-time texts in file order. A missing file
// is reported through prompts ("File doesn't exist! ") and gives 0.
Int16 checkreadall(const QString &filename, Prompts &prompts, Array1<QString> &recorddates);

// Loads record number recordnumber (1-based) into target. With restorewindow, the record's
// window placement and column widths are applied when it carries all nine values; returns
// whether they were.
bool readall(const QString &filename, int recordnumber, bool restorewindow, const RecordTarget &target,
             Prompts &prompts);
