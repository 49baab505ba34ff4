#include "RUrllabel.h"

#include "Dialogs.h"
#include "Shell.h"

#include <QGuiApplication>
#include <QMouseEvent>

TRUrllabel::TRUrllabel(QWidget* parent) : QLabel(parent) {
    SetFontColor(Qt::blue);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
}

void TRUrllabel::SetMailSubject(const QString& subject) {
    if (urlType_ != TUrlType::Mail) {
        platform::dialogs().Message(QStringLiteral("Must be only on MAIL type"),
                                    QGuiApplication::applicationDisplayName());
        return;
    }
    mailSubject_ = subject;
}

void TRUrllabel::enterEvent(QEnterEvent* event) {
    if (detectMouse_)
        SetFontColor(activeColor_);
    QLabel::enterEvent(event);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TRUrllabel::leaveEvent(QEvent* event) {
    // Back to the link colour, whatever colour the holder gave the label before.
    if (detectMouse_)
        SetFontColor(Qt::blue);
    QLabel::leaveEvent(event);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TRUrllabel::mousePressEvent(QMouseEvent* event) {
    // Taking the press makes the release come to this label rather than to its window.
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QLabel::mousePressEvent(event);
}

void TRUrllabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Click();
    else
        QLabel::mouseReleaseEvent(event);
}

QString TRUrllabel::Link() const {
    switch (urlType_) {
    case TUrlType::Http:
        return QStringLiteral("http://") + text();
    case TUrlType::Mail:
        return QStringLiteral("mailto:") + text() + QStringLiteral("?Subject=") + mailSubject_;
    case TUrlType::Ftp:
        return QStringLiteral("ftp://") + text();
    case TUrlType::Custom:
        return customUrlType_ + text();
    }
    return text();
}

void TRUrllabel::Click() {
    platform::shell().OpenLink(Link());
}

void TRUrllabel::SetFontColor(const QColor& color) {
    QPalette colored = palette();
    colored.setColor(QPalette::WindowText, color);
    setPalette(colored);
}
