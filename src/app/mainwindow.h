#pragma once

#include "twipsrect.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

#include <memory>

struct AppState;
struct Palette;
struct ViewModeTexts;
class FileDialogs;
class GradientButton;
class ListView;
class QAction;
class QFrame;
class QLabel;
class Connection;
class Prompts;
class Shell;
class ResultsView;
class SearchController;
class SearchRun;
class Startup;
class StatusPanels;

// The main window `google`: every control of the program, the pop-up panels shown over it,
// and the four operations that arrange them (view mode, colours, column widths, resize).
// The commands live in controllers that share the AppState and reach the controls by name.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    // The outside world the window talks to; tests pass their own, nullptr means the real one.
    struct Seams
    {
        Prompts *prompts = nullptr;
        Connection *connection = nullptr;
        Shell *shell = nullptr;
    };

    explicit MainWindow(AppState &state, QWidget *parent = nullptr);
    MainWindow(AppState &state, const Seams &seams, QWidget *parent = nullptr);
    ~MainWindow() override;

    StatusPanels &panels() const { return *m_panels; }
    ResultsView &results() const { return *m_results; }
    SearchController &search() const { return *m_search; }
    SearchRun &searchrun() const;
    Startup &startup() const { return *m_startup; }

    void displaybits(int mode);
    void setcols();
    void setresultswidth();
    // The resize handler; also run when the log window is switched on or off.
    void Form_Resize();

    AppState &state() const { return m_state; }

    // A control of the main view or of a panel by its name; nullptr for an unknown name.
    QWidget *control(const QString &name) const { return m_controls.value(name); }
    template <typename T> T *control(const QString &name) const { return qobject_cast<T *>(control(name)); }
    QAction *menuentry(const QString &name) const { return m_menuentries.value(name); }
    QWidget *helpbutton(int index) const { return m_helpbuttons.value(index); }
    int helpbuttoncount() const { return int(m_helpbuttons.size()); }
    GradientButton *gradientbutton(const QString &name) const;
    ListView *resultsview() const;
    ListView *historyview() const;
    ListView *historydetailview() const;

    // Where a control is, in twips of the client area, after the last layout.
    TwipsRect place(const QString &name) const { return m_rects.value(name); }
    // The window's outer size in twips, frame and menu bar included.
    QSize outersize() const;
    qreal dpi() const;

    FileDialogs &filedialogs() const { return *m_filedialogs; }
    // Tests answer the dialogs themselves; nullptr goes back to the toolkit's dialogs.
    void setfiledialogs(FileDialogs *dialogs);

signals:
    void helpclick(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createButtonRow();
    void createSearchInputs();
    void createResults();
    void createHistory();
    void createStatusLine();
    void createHelpIcons();
    void createPanels();
    void createMenus();
    void createresultcolumns();
    void createcontrollers(const Seams &seams);

    // Creates a control of the client area (or of `parent`) and files it under its name.
    template <typename T> T *add(const QString &name, QWidget *parent = nullptr)
    {
        auto *widget = new T(parent != nullptr ? parent : m_client);
        widget->setObjectName(name);
        m_controls.insert(name, widget);
        return widget;
    }
    QLabel *addlabel(const QString &name, const QString &caption);
    QFrame *addpanel(const QString &name, const QString &caption);

    void applyscheme(const Palette &palette);
    void setviewtexts(const ViewModeTexts &texts);
    void sethelpicons(int mode);
    bool clamptoscreen();
    void placecontrols();
    void placeon(QWidget *widget, const TwipsRect &rect);
    void centreonscreen();

    AppState &m_state;
    QWidget *m_client = nullptr;
    QHash<QString, QWidget *> m_controls;
    QHash<QString, QAction *> m_menuentries;
    QList<QWidget *> m_helpbuttons;
    ControlRects m_rects;
    QList<TwipsRect> m_helprects;
    std::unique_ptr<FileDialogs> m_qtdialogs;
    FileDialogs *m_filedialogs = nullptr;
    std::unique_ptr<Prompts> m_qtprompts;
    std::unique_ptr<Connection> m_systemconnection;
    std::unique_ptr<Connection> m_localconnection;
    std::unique_ptr<Shell> m_qtshell;
    StatusPanels *m_panels = nullptr;
    ResultsView *m_results = nullptr;
    SearchController *m_search = nullptr;
    std::unique_ptr<Startup> m_startup;
};
