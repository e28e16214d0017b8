#pragma once

#include "historydiff.h"

#include <QWidget>

class ListView;
class QComboBox;
class QLabel;

// What changed between two records of the open history, in a window of its own beside the main
// window: the two dates to compare above, and below a line for each change, under the history
// view's colours. It shows; the history controller decides.
class DiffView final : public QWidget
{
    Q_OBJECT
public:
    explicit DiffView(QWidget *parent = nullptr);

    // The dates of the records in file order, with records from and to (from 1) chosen.
    void setdates(const QStringList &dates, int from, int to);
    int from() const;
    QStringList dates() const;
    int to() const;
    // The changes, or the line saying there are none.
    void setchanges(const QList<historydiff::Change> &changes);
    ListView *historydiffview() const { return m_list; }

signals:
    // The user chose another date.
    void dateschosen();

private:
    QComboBox *m_from = nullptr;
    QComboBox *m_to = nullptr;
    QLabel *m_summary = nullptr;
    ListView *m_list = nullptr;
};
