#pragma once

#include "popuppanel.h"
#include "search/searchlocale.h"

class QComboBox;
class QLineEdit;

// The panel `fralocale`: where and on what the selected domain is searched (country, language,
// device, place), and its competitors. Its controller fills it and takes the values over on OK.
class LocalePanel final : public PopupPanel
{
    Q_OBJECT
public:
    explicit LocalePanel(QWidget &client);

    // The boxes as typed, and back.
    SearchLocale boxes() const;
    void setboxes(const SearchLocale &locale);
    // The box of a field, to put the caret where a refused value is.
    QWidget *box(QString SearchLocale::*member) const;

    QLineEdit *txtcountry = nullptr;
    QLineEdit *txtlanguage = nullptr;
    QComboBox *chodevice = nullptr;
    QLineEdit *txtlocation = nullptr;
    QLineEdit *txtcompetitors = nullptr;
    QPushButton *cmdlocaleok = nullptr;
    QPushButton *cmdlocalecancel = nullptr;
};
