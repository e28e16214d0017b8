#include "searchcontroller.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "gradientbutton.h"
#include "localepanel.h"
#include "maincontrols.h"
#include "mainmenus.h"
#include "numberbox.h"
#include "platform/prompts.h"
#include "search/boxnumbers.h"
#include "search/chunked.h"
#include "search/competitors.h"
#include "search/searchrun.h"
#include "statuspanels.h"
#include "timedwarningpanel.h"
#include "views/bgrcolor.h"
#include "views/resultrows.h"
#include "views/resultsview.h"
#include "windowlayout.h"

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

SearchController::SearchController(AppState &state, const MainControls &controls, const MainMenus &menus,
                                   QWidget &client, WindowLayout &layout, StatusPanels &panels, ResultsView &results,
                                   Prompts &prompts, const Connection &connection)
    : m_state(state), m_controls(controls), m_layout(layout), m_panels(panels), m_results(results), m_prompts(prompts),
      m_run(std::make_unique<SearchRun>(state, *this, prompts, connection)),
      m_fralocale(std::make_unique<LocalePanel>(client))
{
    setFlasher(m_flasher);
    connectcommands(menus);
}

SearchController::~SearchController() = default;

void SearchController::connectcommands(const MainMenus &menus)
{
    SearchRun *run = m_run.get();
    DomainList *domains = &run->domains();
    const SearchControls &search = m_controls.search;
    connect(m_controls.buttons.doit, &QAbstractButton::clicked, run, &SearchRun::doit_Click);
    connect(m_controls.buttons.dostop, &QAbstractButton::clicked, run, &SearchRun::Dostop_Click);
    menus.mnusearch->setEnabled(true);
    connect(menus.mnusearch, &QAction::triggered, run, &SearchRun::mnusearch_Click);
    connect(m_panels.frawarntimed().cmdwarnok(), &QPushButton::clicked, run, &SearchRun::cmdwarnok_Click);
    connect(search.cmdadddomain, &QPushButton::clicked, this, [domains] { domains->cmdadddomain_Click(); });
    connect(search.cmddeletedomain, &QPushButton::clicked, this, [domains] { domains->cmddeletedomain_Click(); });
    connect(search.cmdsavechanges, &QPushButton::clicked, this, [domains] { domains->cmdsavechanges_Click(); });
    // Only the user's pick: the program's own changes of the box must not reload the domain.
    connect(search.txturls, &QComboBox::activated, this, [domains] { domains->txturls_Click(); });
    connect(search.cmdlocale, &QPushButton::clicked, this, &SearchController::cmdlocale_Click);
    numberbox::refuseonleave(*search.pagedepth, boxnumbers::pagedepth, [this](const QString &refusal) {
        if (!refusal.isEmpty())
            m_prompts.message(refusal);
    });
    connect(m_fralocale->cmdlocaleok, &QPushButton::clicked, this, &SearchController::cmdlocaleok_Click);
    connect(m_fralocale->cmdlocalecancel, &QPushButton::clicked, this, [this] { m_fralocale->setshown(false); });
    // A domain new to the list is added by its search: it takes the panel's competitors then.
    connect(run, &SearchRun::searchStarting, this, [this] {
        if (const int d = findsession(m_state); d != 0)
            m_state.urldata[d].competitors = m_competitors;
    });
}

void SearchController::cmdlocale_Click()
{
    guard("Searchcontroller", "Sub cmdlocale_Click", [&] {
        const bool shown = m_fralocale->isVisible();
        if (!shown) {
            m_fralocale->setboxes(m_locale);
            m_fralocale->txtcompetitors->setText(competitors::text(m_competitors));
        }
        m_fralocale->setshown(!shown);
    });
}

void SearchController::cmdlocaleok_Click()
{
    guard("Searchcontroller", "Sub cmdlocaleok_Click", [&] {
        const SearchLocale typed = m_fralocale->boxes();
        for (const LocaleField &field : searchlocale::fields()) {
            const QString why = searchlocale::fault(field.member, typed.*field.member);
            if (!why.isEmpty()) {
                QString name = field.name == u"location" ? u"place"_s : field.name;
                name[0] = name[0].toUpper();
                m_prompts.message(u"The "_s + name + u" box takes "_s + why + u'.');
                m_fralocale->box(field.member)->setFocus();
                return;
            }
        }
        m_locale = searchlocale::normalised(typed);
        m_fralocale->setshown(false);
        m_run->domains().sanitizeurl();
        m_competitors = competitors::read(m_fralocale->txtcompetitors->text(), m_state.txturl);
        showlocale();
        if (const int d = findsession(m_state); d != 0) {
            m_state.urldata[d].locale = m_locale;
            m_state.urldata[d].competitors = m_competitors;
        }
    });
}

void SearchController::showlocale()
{
    QString where = searchlocale::summary(m_locale);
    if (!m_competitors.isEmpty())
        where += (where.isEmpty() ? u""_s : u"; "_s) + u"competitors "_s + competitors::text(m_competitors);
    QLabel *label = m_controls.search.txturlslab3;
    label->setToolTip(where.isEmpty() ? QString() : u"Rankings for "_s + where);
    if (!where.isEmpty())
        where[0] = where[0].toUpper();
    label->setText(where.isEmpty() ? u"Each domain keeps its own search terms and options."_s : where);
}

QString SearchController::txturlsText() const
{
    return m_controls.search.txturls->currentText();
}

void SearchController::setTxturlsText(const QString &text)
{
    m_controls.search.txturls->setEditText(text);
}

void SearchController::addTxturlsItem(const QString &text)
{
    auto *box = m_controls.search.txturls;
    const QString shown = box->currentText();
    box->addItem(text);
    box->setEditText(shown);
}

void SearchController::clearTxturls()
{
    m_controls.search.txturls->clear();
    m_controls.search.txturls->setEditText({});
}

void SearchController::filldomains()
{
    guard("Searchcontroller", "Sub filldomains", [&] {
        auto *box = m_controls.search.txturls;
        box->clear();
        for (const SearchSession &session : m_state.urldata)
            box->addItem(session.url);
        box->setEditText(m_state.txturl);
    });
}

QString SearchController::txtkeysText() const
{
    QString text = m_controls.search.txtkeys->toPlainText();
    text.replace(u"\n"_s, u"\r\n"_s);
    return text;
}

int SearchController::txtkeysSelStart() const
{
    const auto *box = m_controls.search.txtkeys;
    const int start = box->textCursor().selectionStart();
    return start + breaksbefore(box, start);
}

int SearchController::txtkeysSelLength() const
{
    const auto *box = m_controls.search.txtkeys;
    const QTextCursor cursor = box->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    return end + breaksbefore(box, end) - (start + breaksbefore(box, start));
}

void SearchController::setTxtkeysSelection(int start, int length)
{
    auto *box = m_controls.search.txtkeys;
    const QString text = txtkeysText();
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(boxposition(text, start));
    cursor.setPosition(boxposition(text, start + length), QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
}

QString SearchController::pagedepthText() const
{
    return m_controls.search.pagedepth->text();
}

bool SearchController::chkstopafterhit() const
{
    return m_controls.search.chkstopafterhit->isChecked();
}

bool SearchController::chkdispfirst() const
{
    return m_controls.results.chkdispfirst->isChecked();
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
    guard("Searchcontroller", "Sub disall", [&] {
        m_results.clear();
        const std::optional<StoredInputs> inputs = resultrows::storedinputs(m_state);
        if (!inputs)
            return;
        m_controls.search.txtkeys->setPlainText(QString(inputs->txtkeys).replace(u"\r\n"_s, u"\n"_s));
        m_controls.search.chkstopafterhit->setChecked(inputs->chkstopafterhit);
        m_controls.results.chkdispfirst->setChecked(inputs->chkdispfirst);
        m_controls.search.pagedepth->setText(inputs->pagedepth);
        m_locale = inputs->locale;
        const int d = findsession(m_state);
        m_competitors = d != 0 ? m_state.urldata[d].competitors : QStringList();
        showlocale();
        m_results.disres();
    });
}

void SearchController::clearresults()
{
    m_results.clear();
}

void SearchController::setResultslab1(const QString &text)
{
    m_controls.results.resultslab1->setText(text);
}

void SearchController::setSearchstatus(const QString &text)
{
    m_controls.status.searchstatus->setText(text);
}

void SearchController::setRestxt(const QString &text)
{
    m_controls.results.restxt->setPlainText(addlf(text));
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
    auto *label = m_controls.status.flasher;
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
    m_layout.displaybits(mode);
}
