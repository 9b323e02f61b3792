#pragma once
// The small popup over a hovered key of the CUSTOMIZE page: the key's name and
// what it is assigned to.

#include <QWidget>

class QLabel;

class KeyPopup : public QWidget
{
    Q_OBJECT
public:
    explicit KeyPopup(QWidget *parent = nullptr);
    void setKeyName(const QString &name);
    void setAssignment(const QString &text);
    QString assignment() const;

private:
    QLabel *m_name;
    QLabel *m_assignment;
};
