#pragma once
// The key cursor over a keyboard picture, for use without a mouse: reached with
// Tab, the arrow keys move it from key to key in the physical layout,
// Shift+arrows mark the keys between where the marking started and the cursor,
// Space or Enter acts on the marked keys (or the key under the cursor), and
// Escape drops the marking. It lies over the picture, lets every mouse event
// through and draws only while it has the focus, so the picture looks and
// works as before for the mouse. Screen readers hear the key under the cursor
// (its name says the key, what it does and its colour).

#include <QVector>
#include <QWidget>
#include <functional>

class KeyCursor : public QWidget
{
    Q_OBJECT
public:
    // `picture`: where the picture lies in the parent; `pictureOrigin`: where
    // its top-left corner lies in the coordinates of the key caps.
    KeyCursor(QWidget *parent, const QRect &picture, const QPoint &pictureOrigin);

    int key() const { return m_key; }
    // The marked keys, or the key under the cursor when none are marked.
    QVector<int> selection() const;
    bool marking() const { return m_anchor >= 0; }

    // What the picture is called ("Keyboard picture") and what a key is
    // announced as; the accessible name is "<picture>: <key>".
    void setPictureName(const QString &name);
    void setDescriber(std::function<QString(int)> describe);
    // Tells screen readers the key under the cursor anew (after its colour or
    // assignment changed).
    void announce();

signals:
    void moved(int key);
    void activated(QVector<int> keys);
    void escaped();
    void left(); // the focus went elsewhere

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QRect cellRect(int key) const;

    QPoint m_origin;
    int m_key;
    int m_anchor = -1;
    QString m_pictureName;
    std::function<QString(int)> m_describe;
};
