#pragma once
// The colour controls of the LIGHTING page: the palette picture, the R, G and B
// fields (0..255) and the six-digit COLOR CODE field. They show the colour being
// picked; a press on the palette or Enter in a field picks a new one.

#include "core/lighting/LightingTypes.h"

#include <QImage>
#include <QList>
#include <QPoint>

class QLineEdit;
class QWidget;

class ColourFields
{
public:
    explicit ColourFields(QWidget *page);

    QLineEdit *channelEdit(int channel) const { return m_channels[channel]; }
    QLineEdit *codeEdit() const { return m_code; }

    void show(const orvanta::Rgb &colour);
    void setVisible(bool visible);
    bool isShown() const;

    // What the fields hold: each channel kept to 0..255, the code as parsed.
    orvanta::Rgb typedChannels() const;
    orvanta::Rgb typedCode() const;

    // A press over the palette picture; the colour under it when the picture has one.
    static bool inPalette(const QPoint &p);
    bool paletteColour(const QPoint &p, orvanta::Rgb *colour) const;

private:
    QList<QWidget *> m_controls; // the palette first
    QLineEdit *m_channels[3] = {};
    QLineEdit *m_code = nullptr;
    QImage m_palette;
};
