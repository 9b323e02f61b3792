#pragma once
// The factory reset's progress window, shown over the whole console.

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
    QProgressBar *m_bar;
    QLabel *m_caption;
};
