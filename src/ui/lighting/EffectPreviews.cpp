#include "EffectPreviews.h"

#include "FlowPreview.h"
#include "RipplePreview.h"

using namespace orvanta;

namespace
{
constexpr int kRippleRearmMs = 400;
}

EffectPreviews::EffectPreviews(QWidget *page)
{
    m_rippleRearm.setInterval(kRippleRearmMs);
    QObject::connect(&m_rippleRearm, &QTimer::timeout, [this] {
        if (!m_ripple->isActive())
            m_ripple->setUpShineCenter(m_ripple->centre().x(), m_ripple->centre().y());
    });
    // The previews lie over the keyboard picture; the ripple one takes presses
    // to move its centre, the flow one lets them through.
    m_flow = new FlowPreview(page);
    m_flow->setGeometry(115, 0, 699, 242);
    m_flow->hide();
    m_ripple = new RipplePreview(page);
    m_ripple->move(115, 22);
    m_ripple->hide();
}

void EffectPreviews::stop()
{
    m_flow->stopFlow();
    m_flow->hide();
    m_rippleRearm.stop();
    m_ripple->stopRipple();
    m_ripple->hide();
}

bool EffectPreviews::flowShown() const
{
    return !m_flow->isHidden();
}

bool EffectPreviews::anyShown() const
{
    return !m_flow->isHidden() || !m_ripple->isHidden();
}

void EffectPreviews::refresh(const LightingModel &model)
{
    const int shown = model.shownEffect();
    const EffectFlag &flag = model.flag();
    if (shown == EffectArrowFlow || shown == EffectWave) {
        const ZoneColors z = shown == EffectArrowFlow && flag.fullFlag
                                 ? fullZones(model.currentColor())
                                 : interpolateZones(model.stops());
        m_flow->setZoneColours(z.r, z.g, z.b);
        // Faster Wave codes are smaller; the flow runs slower at higher levels.
        const int level = shown == EffectWave ? flag.speediness / 2 : 2;
        m_flow->show();
        m_flow->raise();
        m_flow->startFlow(level);
    } else if (shown == EffectRipple) {
        const PreviewZones z = previewZones(model.stops(), flag.customized, model.currentColor());
        m_ripple->setRingColours(z.r, z.g, z.b);
        m_ripple->show();
        m_ripple->raise();
        if (!m_ripple->isRunning()) {
            // A ripple from the middle of the keyboard at once; a press on the
            // preview moves the centre, and a new ripple follows each finished one.
            m_ripple->setUpShineCenter(RipplePreview::kWidth / 2, RipplePreview::kHeight / 2);
            m_ripple->startRipple();
            m_rippleRearm.start();
        }
    }
}
