#pragma once

#include <QColor>
#include <QLabel>
#include <QString>
#include <functional>

enum class TUrlType { Http, Mail, Ftp, Custom };

// A label that looks like a link: its caption is the address, a click hands it to the desktop,
// and it can take another colour while the mouse pointer is over it.
class TRUrllabel : public QLabel {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    explicit TRUrllabel(QWidget* parent = nullptr);

    bool DetectMouse() const { return detectMouse_; }
    void SetDetectMouse(bool detect) { detectMouse_ = detect; }
    TUrlType UrlType() const { return urlType_; }
    void SetUrlType(TUrlType type) { urlType_ = type; }
    const QString& CustomUrlType() const { return customUrlType_; }
    void SetCustomUrlType(const QString& prefix) { customUrlType_ = prefix; }
    const QColor& ActiveColor() const { return activeColor_; }
    void SetActiveColor(const QColor& color) { activeColor_ = color; }
    const QString& MailSubject() const { return mailSubject_; }
    // Only a mail link has a subject; on any other kind the holder is told so and nothing
    // changes.
    void SetMailSubject(const QString& subject);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    // A click opens the link instead, so a handler put here is never called.
    TNotifyEvent OnClick;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString Link() const;
    void Click();
    void SetFontColor(const QColor& color);

    bool detectMouse_ = true;
    TUrlType urlType_ = TUrlType::Http;
    QString customUrlType_;
    QColor activeColor_ = Qt::red;
    QString mailSubject_;
};
