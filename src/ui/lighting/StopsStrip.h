#pragma once
// The gradient controls of the LIGHTING page: the PATTERN list with ADD and
// DEL, and the STOPS CONTROL strip with its stop handles and ADD STOP / DEL
// STOP. The strip's slider only paints the gradient; the page takes the
// presses and drags on it.

#include "core/lighting/LightingModel.h"

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QWidget;

class StopsStrip
{
public:
    explicit StopsStrip(QWidget *page);

    QLabel *patternLabel() const { return m_patternLabel; }
    QComboBox *patternCombo() const { return m_patternCombo; }
    QPushButton *patternAddButton() const { return m_patternAdd; }
    QPushButton *patternDeleteButton() const { return m_patternDel; }
    QPushButton *addStopButton() const { return m_addStop; }
    QPushButton *deleteStopButton() const { return m_delStop; }
    QSlider *slider() const { return m_slider; }

    // Both rows; ADD STOP and DEL STOP only where stops may be added.
    void setVisible(bool visible, bool stopButtons);
    // Handles exist only where the stops may be edited: a user pattern on a
    // shown strip. The strip paints the stops as its gradient.
    void refreshHandles(const orvanta::LightingModel &model);
    void hideHandles();
    void markNewStop(int slot);

    // Fills the PATTERN list from the profile's pattern files and chooses the
    // entry the shown effect's record names.
    void fill(const QString &profile, const orvanta::LightingModel &model);
    // The entry shows its file: the editor may hold an effect's remembered
    // stops that were never saved to it.
    void refreshEntry(int index, const QString &profile);

private:
    QWidget *m_page;
    QLabel *m_patternLabel = nullptr;
    QComboBox *m_patternCombo = nullptr;
    QPushButton *m_patternAdd = nullptr;
    QPushButton *m_patternDel = nullptr;
    QLabel *m_stopsLabel = nullptr;
    QPushButton *m_addStop = nullptr;
    QPushButton *m_delStop = nullptr;
    QSlider *m_slider = nullptr;
    std::array<QLabel *, orvanta::kStopSlots> m_handles{};
};
