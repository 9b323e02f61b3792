#pragma once
// The factory reset's progress window, shown over the whole console.

#include <QWidget>

class QLabel;
class QProgressBar;

class reset_view : public QWidget
{
    Q_OBJECT
public:
    explicit reset_view(QWidget *parent = nullptr);
    void setProgress(int value);
    int progress() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QProgressBar *m_bar;
    QLabel *m_caption;
};
