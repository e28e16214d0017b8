#include "splashwindow.h"

#include "maincontrols.h"
#include "platform/product.h"

#include <QBoxLayout>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

SplashWindow::SplashWindow()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_Frame1(new QFrame(this)),
      m_lblProductName(new QLabel(product::name(), m_Frame1)),
      m_lblVersion(new QLabel(u"Version "_s + product::version(), m_Frame1)), m_imgLogo(new QLabel(m_Frame1))
{
    setObjectName(u"frmSplash"_s);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    m_Frame1->setObjectName(u"Frame1"_s);
    m_Frame1->setFrameStyle(QFrame::Box | QFrame::Raised);
    m_Frame1->setLineWidth(2);
    m_Frame1->installEventFilter(this);
    m_lblProductName->setObjectName(u"lblProductName"_s);
    m_lblVersion->setObjectName(u"lblVersion"_s);
    m_imgLogo->setObjectName(u"imgLogo"_s);
    m_imgLogo->setPixmap(emblem(96, devicePixelRatioF()));
    QFont name = m_lblProductName->font();
    name.setPointSizeF(name.pointSizeF() * 2.6);
    name.setBold(true);
    m_lblProductName->setFont(name);
    QFont version = m_lblVersion->font();
    version.setPointSizeF(version.pointSizeF() * 1.2);
    m_lblVersion->setFont(version);

    auto *texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(m_lblProductName);
    texts->addWidget(m_lblVersion);
    texts->addStretch();
    auto *row = new QHBoxLayout(m_Frame1);
    row->setContentsMargins(28, 24, 36, 24);
    row->setSpacing(24);
    row->addWidget(m_imgLogo);
    row->addLayout(texts);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_Frame1);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xf4, 0xf8, 0xf0));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(sizeHint().expandedTo(QSize(420, 180)));
}

void SplashWindow::showcentred()
{
    const QRect screen = this->screen()->geometry();
    move(screen.x() + screen.width() / 2 - width() / 2, screen.y() + screen.height() / 2 - height() / 2);
    show();
}

void SplashWindow::keyPressEvent(QKeyEvent *event)
{
    close();
    event->accept();
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_Frame1 && event->type() == QEvent::MouseButtonRelease)
        close();
    return QWidget::eventFilter(watched, event);
}
