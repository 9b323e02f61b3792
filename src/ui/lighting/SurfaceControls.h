#pragma once
// The SURFACE row of the LIGHTING page for Arrow Flow and Ripple: the ON/OFF
// switch of the shown effect's surface colour and its swatch, which, once
// pressed, waits for the next palette colour.

#include "core/lighting/LightingModel.h"

#include <QObject>

class QLabel;
class QPushButton;
class QWidget;

class SurfaceControls : public QObject
{
    Q_OBJECT
public:
    SurfaceControls(QWidget *page, orvanta::LightingModel &model);

    // Showing or hiding the row lets go of the swatch.
    void setRowVisible(bool visible);
    void hide();
    // The swatch shows the surface colour and whether it waits for one.
    void styleSwatch();

private:
    void switchClicked();
    void swatchClicked();

    orvanta::LightingModel &m_model;
    QLabel *m_label = nullptr;
    QPushButton *m_switch = nullptr;
    QPushButton *m_swatch = nullptr;
};
