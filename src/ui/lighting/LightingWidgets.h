#pragma once
// The look shared by the LIGHTING page's controls: captions, the lit/unlit
// option toggles, the red action buttons, the combo boxes and the sliders.

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

class LightingWidgets
{
public:
    // The captions' font follows the language chosen in the settings.
    static QString fontFamily();
    static QString comboStyle();
    static QString sliderStyle();

    static QLabel *label(QWidget *page, const QString &text, const char *name,
                         const QRect &geometry);
    // An option button; its "lit" property and picture show whether it is chosen.
    static QPushButton *toggle(QWidget *page, const QString &text, const char *name,
                               const QRect &geometry);
    static QPushButton *action(QWidget *page, const QString &text, const char *name,
                               const QRect &geometry);
    static void setLit(QPushButton *button, bool lit);
};
