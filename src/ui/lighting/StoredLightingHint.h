#pragma once
// On the LIGHTING page: what the active on-board profile holds, when that is
// not the effect the page shows ("PROFILE 3: Arrow Flow"), with LOAD to put
// the stored effect, its options, speeds and colours into the editor. The stored lighting is
// read the way the keyboard reads it (the virtual keyboard's decoder).

#include "core/virtual/VirtualKeyboardState.h"

#include <QObject>
#include <QString>

class QLabel;
class QPushButton;
class QComboBox;
class QWidget;

class StoredLightingHint : public QObject
{
    Q_OBJECT
public:
    // Lives on `page` (the LIGHTING page, found by its widget names).
    explicit StoredLightingHint(QWidget *page);

    // The active slot and the saved profile linked to it changed.
    void setActive(int slot, const QString &profile);
    QString text() const; // empty while hidden
    QPushButton *loadButton() const { return m_load; }

public slots:
    void refresh();
    void load();

private:
    void press(const char *button);
    void typeColour(quint8 r, quint8 g, quint8 b);
    void setSlider(const char *slider, int position);
    void loadKeyColours(const std::array<orvanta::ColourPlane, 3> &planes);
    void loadZoneColour(const orvanta::ZoneTable &table);

protected:
    bool eventFilter(QObject *watched, class QEvent *event) override;

private:
    QWidget *m_page;
    QComboBox *m_effect;
    QLabel *m_label;
    QPushButton *m_load;
    int m_slot = 1;
    QString m_profile;
    int m_storedEffect = -1;
    orvanta::OnboardProfile m_stored; // decoded when m_storedEffect >= 0
};
