#pragma once

#include "views/bgrcolor.h"

#include <QList>
#include <QString>
#include <QStringList>

// A colour of the scheme: a 24-bit value in blue-green-red order, or the system's button
// face, which the widget side resolves from its own palette.
struct SchemeColor
{
    quint32 bgr = 0;
    bool system = false;

    static SchemeColor fromBgr(quint32 value) { return {value, false}; }
    static SchemeColor systemFace() { return {0, true}; }

    // 0xRRGGBB, for painting; not meaningful for the system face.
    quint32 rgb() const;
    bool operator==(const SchemeColor &) const = default;
};

// The six appearance values of a gradient button.
struct ButtonAppearance
{
    SchemeColor value1;
    SchemeColor value2;
    SchemeColor value3;
    int style = 0;
    SchemeColor value5;
    SchemeColor value6;
};

// The fourteen palette entries, A to N.
struct Palette
{
    SchemeColor panels;        // A
    SchemeColor message;       // B
    SchemeColor domainbuttons; // C
    SchemeColor confirm;       // D
    SchemeColor cancel;        // E
    SchemeColor filebuttons;   // F
    SchemeColor mainview;      // G
    SchemeColor textboxes;     // H
    ButtonAppearance buttons;  // I to N
};

// How a control takes its palette entry: as the background of a panel, of a label or check
// box, of a push button, or as the base of a text box, combo box or list.
enum class ColorRole
{
    Panel,
    Label,
    Button,
    TextBox
};

struct PaletteAssignment
{
    SchemeColor color;
    ColorRole role;
    QStringList controls;
};

namespace colorschemes {

// Any name other than the product's standard scheme gets the grey palette.
Palette palettefor(const QString &scheme);

// The controls each palette entry colours, by name; help icons are listed separately.
QList<PaletteAssignment> assignments(const Palette &palette);

// The button captions before the view mode changes those of `dohistory` and `doanalyze`.
QString caption(const QString &button);

const QStringList &gradientbuttons();
const QStringList &popuppanels();

} // namespace colorschemes
