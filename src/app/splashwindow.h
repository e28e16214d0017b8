#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// The splash window `frmSplash`, shown while the program starts: the product name, its version
// and the emblem in a frame. A key pressed while it has the focus or a click on its frame
// closes it; start-up hides it when it is done.
class SplashWindow final : public QWidget
{
    Q_OBJECT
public:
    SplashWindow();

    // Shows it in the middle of the screen.
    void showcentred();

    QLabel *lblProductName() const { return m_lblProductName; }
    QLabel *lblVersion() const { return m_lblVersion; }
    QLabel *imgLogo() const { return m_imgLogo; }
    QFrame *Frame1() const { return m_Frame1; }

protected:
    void keyPressEvent(class QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFrame *m_Frame1;
    QLabel *m_lblProductName;
    QLabel *m_lblVersion;
    QLabel *m_imgLogo;
};
