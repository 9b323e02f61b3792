#include "SurfaceControls.h"

#include "LightingWidgets.h"
#include "core/app/TranslationContexts.h"
#include "core/lighting/StripStyle.h"

#include <QLabel>
#include <QPushButton>

using namespace orvanta;

SurfaceControls::SurfaceControls(QWidget *page, LightingModel &model)
    : QObject(page), m_model(model)
{
    m_label = LightingWidgets::label(page, context::LightingPage::tr("SURFACE"), "surface_label",
                                     {524, 402, 100, 24});
    m_switch = LightingWidgets::toggle(page, QString(), "btn_surface", {630, 400, 60, 26});
    m_swatch = new QPushButton(page);
    m_swatch->setObjectName(QStringLiteral("btn_surface_color"));
    m_swatch->setGeometry(700, 400, 26, 26);
    m_swatch->setFocusPolicy(Qt::NoFocus);
    connect(m_switch, &QPushButton::released, this, &SurfaceControls::switchClicked);
    connect(m_swatch, &QPushButton::released, this, &SurfaceControls::swatchClicked);
}

void SurfaceControls::setRowVisible(bool visible)
{
    // The switch shows the effect's SURFACE flag, which the builders still
    // send while it is set, and the swatch comes back with it.
    m_model.deselectSwatch();
    const bool on = m_model.surfaceOn();
    m_label->setVisible(visible);
    m_switch->setVisible(visible);
    LightingWidgets::setLit(m_switch, visible && on);
    m_switch->setText(visible && on ? context::LightingPage::tr("ON")
                                    : context::LightingPage::tr("OFF"));
    styleSwatch();
    m_swatch->setVisible(visible && on);
}

void SurfaceControls::hide()
{
    m_label->hide();
    m_switch->hide();
    m_swatch->hide();
}

void SurfaceControls::styleSwatch()
{
    m_swatch->setStyleSheet(surfaceSwatchStyle(m_model.surfaceColor(), m_model.surfaceSelected()));
}

void SurfaceControls::switchClicked()
{
    if (!m_model.toggleSurface())
        return;
    const bool on = m_model.surfaceOn();
    LightingWidgets::setLit(m_switch, on);
    m_switch->setText(on ? context::LightingPage::tr("ON") : context::LightingPage::tr("OFF"));
    if (!on) {
        m_swatch->hide();
    } else {
        styleSwatch();
        m_swatch->show();
    }
}

void SurfaceControls::swatchClicked()
{
    if (m_model.toggleSwatch())
        styleSwatch();
}
