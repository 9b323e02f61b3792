#pragma once
// The factory reset's progress window, shown over the whole console.

#include <QPixmap>
#include <QWidget>

class QLabel;
class QProgressBar;

class ResetProgressView : public QWidget
{
    Q_OBJECT
public:
    explicit ResetProgressView(QWidget *parent = nullptr);
    void setProgress(int value);
    int progress() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QPixmap &panel();

    QPixmap m_panel; // scaled once: every step of the bar repaints it
    QProgressBar *m_bar;
    QLabel *m_caption;
};
