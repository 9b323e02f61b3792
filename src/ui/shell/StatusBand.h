#pragma once
// The keyboard's state and short notices, in the band along the top of the
// main window: always visible, never in the way of a page, never modal.

#include <QWidget>

class QLabel;
class QTimer;

class StatusBand : public QWidget
{
    Q_OBJECT
public:
    enum class NoticeKind { Info, Success, Warning, Error };
    Q_ENUM(NoticeKind)

    // How long a notice stays.
    static constexpr int kNoticeMs = 4000;

    explicit StatusBand(QWidget *parent = nullptr);

    // `present` colours the state: a keyboard (real or virtual) or none.
    void setKeyboardState(const QString &text, bool present);
    void showNotice(const QString &text, NoticeKind kind);

    QString stateText() const;
    QString noticeText() const; // empty once the notice has gone

private:
    void announce(QLabel *label);

    QLabel *m_state;
    QLabel *m_notice;
    QTimer *m_noticeTimer;
};
