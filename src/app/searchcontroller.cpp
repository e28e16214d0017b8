#include "searchcontroller.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "gradientbutton.h"
#include "mainwindow.h"
#include "search/searchrun.h"
#include "statuspanels.h"
#include "views/bgrcolor.h"
#include "views/resultrows.h"
#include "views/resultsview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

using namespace Qt::Literals::StringLiterals;

namespace {

// Line breaks before a position of the box's text: each one is a character more in the
// engine's "\r\n" text.
int breaksbefore(const QPlainTextEdit *box, int position)
{
    return box->document()->findBlock(position).blockNumber();
}

// The box position of a position in the "\r\n" text.
int boxposition(const QString &crlftext, int position)
{
    const int clamped = qBound(0, position, int(crlftext.size()));
    return clamped - int(QStringView(crlftext).left(clamped).count(u'\r'));
}

} // namespace

SearchController::SearchController(MainWindow &window, StatusPanels &panels, ResultsView &results, Prompts &prompts,
                                   const Connection &connection, QObject *parent)
    : QObject(parent), m_window(window), m_panels(panels), m_results(results),
      m_run(std::make_unique<SearchRun>(window.state(), *this, prompts, connection))
{
    setFlasher(m_flasher);
    connectcommands();
}

SearchController::~SearchController() = default;

template <typename T> T *SearchController::widget(const QString &name) const
{
    return m_window.control<T>(name);
}

void SearchController::connectcommands()
{
    SearchRun *run = m_run.get();
    DomainList *domains = &run->domains();
    connect(m_window.gradientbutton(u"doit"_s), &QAbstractButton::clicked, run, &SearchRun::doit_Click);
    connect(m_window.gradientbutton(u"dostop"_s), &QAbstractButton::clicked, run, &SearchRun::Dostop_Click);
    QAction *search = m_window.menuentry(u"mnusearch"_s);
    search->setEnabled(true);
    connect(search, &QAction::triggered, run, &SearchRun::mnusearch_Click);
    connect(widget<QPushButton>(u"cmdwarnok"_s), &QPushButton::clicked, run, &SearchRun::cmdwarnok_Click);
    connect(widget<QPushButton>(u"cmdadddomain"_s), &QPushButton::clicked, this,
            [domains] { domains->cmdadddomain_Click(); });
    connect(widget<QPushButton>(u"cmddeletedomain"_s), &QPushButton::clicked, this,
            [domains] { domains->cmddeletedomain_Click(); });
    connect(widget<QPushButton>(u"cmdsavechanges"_s), &QPushButton::clicked, this,
            [domains] { domains->cmdsavechanges_Click(); });
    // Only the user's pick: the program's own changes of the box must not reload the domain.
    connect(widget<QComboBox>(u"txturls"_s), &QComboBox::activated, this, [domains] { domains->txturls_Click(); });
}

QString SearchController::txturlsText() const
{
    return widget<QComboBox>(u"txturls"_s)->currentText();
}

void SearchController::setTxturlsText(const QString &text)
{
    widget<QComboBox>(u"txturls"_s)->setEditText(text);
}

void SearchController::addTxturlsItem(const QString &text)
{
    auto *box = widget<QComboBox>(u"txturls"_s);
    const QString shown = box->currentText();
    box->addItem(text);
    box->setEditText(shown);
}

void SearchController::clearTxturls()
{
    widget<QComboBox>(u"txturls"_s)->clear();
    widget<QComboBox>(u"txturls"_s)->setEditText({});
}

void SearchController::filldomains()
{
    guard("Google", "Sub filldomains", [&] {
        auto *box = widget<QComboBox>(u"txturls"_s);
        box->clear();
        for (const SearchSession &session : m_window.state().urldata)
            box->addItem(session.url);
        box->setEditText(m_window.state().txturl);
    });
}

QString SearchController::txtkeysText() const
{
    QString text = widget<QPlainTextEdit>(u"txtkeys"_s)->toPlainText();
    text.replace(u"\n"_s, u"\r\n"_s);
    return text;
}

int SearchController::txtkeysSelStart() const
{
    const auto *box = widget<QPlainTextEdit>(u"txtkeys"_s);
    const int start = box->textCursor().selectionStart();
    return start + breaksbefore(box, start);
}

int SearchController::txtkeysSelLength() const
{
    const auto *box = widget<QPlainTextEdit>(u"txtkeys"_s);
    const QTextCursor cursor = box->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    return end + breaksbefore(box, end) - (start + breaksbefore(box, start));
}

void SearchController::setTxtkeysSelection(int start, int length)
{
    auto *box = widget<QPlainTextEdit>(u"txtkeys"_s);
    const QString text = txtkeysText();
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(boxposition(text, start));
    cursor.setPosition(boxposition(text, start + length), QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
}

QString SearchController::pagedepthText() const
{
    return widget<QLineEdit>(u"pagedepth"_s)->text();
}

bool SearchController::chkstopafterhit() const
{
    return widget<QCheckBox>(u"chkstopafterhit"_s)->isChecked();
}

bool SearchController::chkdispfirst() const
{
    return widget<QCheckBox>(u"chkdispfirst"_s)->isChecked();
}

void SearchController::writemessagebox(const QString &text)
{
    m_panels.writemessagebox(text);
}

void SearchController::disres()
{
    m_results.disres();
}

void SearchController::disall()
{
    guard("Google", "Sub disall", [&] {
        m_results.clear();
        const std::optional<StoredInputs> inputs = resultrows::storedinputs(m_window.state());
        if (!inputs)
            return;
        widget<QPlainTextEdit>(u"txtkeys"_s)->setPlainText(QString(inputs->txtkeys).replace(u"\r\n"_s, u"\n"_s));
        widget<QCheckBox>(u"chkstopafterhit"_s)->setChecked(inputs->chkstopafterhit);
        widget<QCheckBox>(u"chkdispfirst"_s)->setChecked(inputs->chkdispfirst);
        widget<QLineEdit>(u"pagedepth"_s)->setText(inputs->pagedepth);
        m_results.disres();
    });
}

void SearchController::clearresults()
{
    m_results.clear();
}

void SearchController::setResultslab1(const QString &text)
{
    widget<QLabel>(u"resultslab1"_s)->setText(text);
}

void SearchController::setSearchstatus(const QString &text)
{
    widget<QLabel>(u"searchstatus"_s)->setText(text);
}

void SearchController::setRestxt(const QString &text)
{
    widget<QPlainTextEdit>(u"restxt"_s)->setPlainText(text);
}

void SearchController::showWarning(const QString &text)
{
    m_panels.showWarning(text);
}

void SearchController::hideWarning()
{
    m_panels.hideWarning();
}

void SearchController::setFlasher(int colour)
{
    m_flasher = colour;
    auto *label = widget<QLabel>(u"flasher"_s);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, bgrcolor(colour));
    label->setPalette(palette);
}

void SearchController::checkstatus()
{
    m_panels.checkstatus();
}

void SearchController::displaybits(int mode)
{
    m_window.displaybits(mode);
}
