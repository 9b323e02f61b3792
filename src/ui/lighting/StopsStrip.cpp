#include "StopsStrip.h"
#include "core/app/TranslationContexts.h"

#include "LightingWidgets.h"
#include "core/lighting/PatternStore.h"
#include "core/lighting/StripStyle.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

using namespace orvanta;

StopsStrip::StopsStrip(QWidget *page) : m_page(page)
{
    m_patternLabel = LightingWidgets::label(page, context::LightingPage::tr("PATTERN"),
                                            "pattern_label", {524, 262, 90, 24});
    m_patternCombo = new QComboBox(page);
    m_patternCombo->setObjectName(QStringLiteral("pattern_combo"));
    m_patternCombo->setGeometry(620, 260, 160, 28);
    m_patternCombo->setStyleSheet(LightingWidgets::comboStyle());
    m_patternAdd = LightingWidgets::action(page, context::LightingPage::tr("ADD"),
                                           "btn_pattern_add", {790, 260, 62, 28});
    m_patternDel = LightingWidgets::action(page, context::LightingPage::tr("DEL"),
                                           "btn_pattern_del", {860, 260, 62, 28});
    m_stopsLabel = LightingWidgets::label(page, context::LightingPage::tr("STOPS CONTROL"),
                                          "stops_label", {524, 302, 150, 24});
    m_addStop = LightingWidgets::action(page, context::LightingPage::tr("ADD STOP"), "btn_add_stop",
                                        {700, 300, 105, 28});
    m_delStop = LightingWidgets::action(page, context::LightingPage::tr("DEL STOP"), "btn_del_stop",
                                        {815, 300, 105, 28});
    m_slider = new QSlider(Qt::Horizontal, page);
    m_slider->setObjectName(QStringLiteral("stops_slider"));
    m_slider->setGeometry(524, 350, 398, 20);
    m_slider->setRange(0, 100);
    m_slider->setEnabled(false);
    for (int i = 0; i < kStopSlots; ++i) {
        auto *h = new QLabel(page);
        h->setObjectName(QStringLiteral("stop_handle_%1").arg(i));
        h->setGeometry(stopX[i], kStopHandleY, kStopHandleSize, kStopHandleSize);
        h->setAttribute(Qt::WA_TransparentForMouseEvents);
        h->hide();
        m_handles[i] = h;
    }
}

void StopsStrip::setVisible(bool visible, bool stopButtons)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_patternLabel, m_patternCombo, m_patternAdd,
                                                       m_patternDel, m_stopsLabel, m_slider})
        w->setVisible(visible);
    m_addStop->setVisible(visible && stopButtons);
    m_delStop->setVisible(visible && stopButtons);
}

void StopsStrip::refreshHandles(const LightingModel &model)
{
    const bool show = m_slider->isVisibleTo(m_page) && model.userPatternChosen();
    const StopSlots &s = model.stops();
    for (int i = 0; i < kStopSlots; ++i) {
        m_handles[i]->setVisible(show && s[i].present);
        m_handles[i]->setStyleSheet(
            stopHandleStyle(s[i].color, i == model.stopEditor().selectedSlot()));
        if (show && s[i].present)
            m_handles[i]->raise();
    }
    m_slider->setStyleSheet(stripStyleSheet(s));
}

void StopsStrip::hideHandles()
{
    for (QLabel *h : m_handles)
        h->hide();
}

void StopsStrip::markNewStop(int slot)
{
    m_handles[slot]->setStyleSheet(newStopHandleStyle());
}

void StopsStrip::fill(const QString &profile, const LightingModel &model)
{
    const QSignalBlocker block(m_patternCombo);
    m_patternCombo->clear();
    const int count = patternCount(profile);
    for (int i = 0; i < count; ++i) {
        m_patternCombo->addItem(QString());
        m_patternCombo->setItemData(i, QBrush(patternEntryGradient(readPattern(i, profile).stops)),
                                    Qt::BackgroundRole);
    }
    if (count > 0) {
        m_patternCombo->setCurrentIndex(model.rememberedPattern(count));
        m_patternCombo->setStyleSheet(
            patternComboStyle(readPattern(m_patternCombo->currentIndex(), profile).stops));
    } else {
        m_patternCombo->setStyleSheet(patternComboStyle(defaultStops()));
    }
}

void StopsStrip::refreshEntry(int index, const QString &profile)
{
    if (index < 0 || index >= m_patternCombo->count())
        return;
    const StopSlots s = readPattern(index, profile).stops;
    m_patternCombo->setItemData(index, QBrush(patternEntryGradient(s)), Qt::BackgroundRole);
    if (index == m_patternCombo->currentIndex())
        m_patternCombo->setStyleSheet(patternComboStyle(s));
}
