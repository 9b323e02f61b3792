#pragma once
// The moving previews over the keyboard picture: the flow of Arrow Flow and
// Wave, and the rings of Ripple, started again after each finished ripple.

#include "core/lighting/LightingModel.h"

#include <QTimer>

class FlowPreview;
class RipplePreview;
class QWidget;

class EffectPreviews
{
public:
    explicit EffectPreviews(QWidget *page);

    // Shows the preview of the shown effect with the model's colours (none for
    // Static and Reactive).
    void refresh(const orvanta::LightingModel &model);
    void stop();
    bool flowShown() const;
    bool anyShown() const;

private:
    FlowPreview *m_flow = nullptr;     // Arrow Flow and Wave
    RipplePreview *m_ripple = nullptr; // Ripple
    QTimer m_rippleRearm;              // starts a new ripple once the last one is over
};
