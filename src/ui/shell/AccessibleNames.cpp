#include "AccessibleNames.h"
#include "core/app/TranslationContexts.h"

#include "MainWindow.h"
#include "StatusBand.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/profiles/ProfileMenu.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>

namespace context = orvanta::context;

namespace
{

void name(QWidget *widget, const QString &text, const QString &description = QString())
{
    if (!widget)
        return;
    widget->setAccessibleName(text);
    widget->setAccessibleDescription(description);
}

// The caption says what the control is: screen readers on Linux read a
// list's entry as its name and the caption through this relation.
void labels(QLabel *caption, QWidget *control)
{
    if (caption && control)
        caption->setBuddy(control);
}

template <typename T> T *child(QWidget &page, const char *objectName)
{
    return page.findChild<T *>(QLatin1String(objectName));
}

} // namespace

QString AccessibleNames::colourText(int r, int g, int b)
{
    return context::Shell::tr("red %1, green %2, blue %3").arg(r).arg(g).arg(b);
}

void AccessibleNames::nameShell(MainWindow &w)
{
    for (int i = 0; i < 5; ++i) {
        QPushButton *b = w.profileButtons()[i];
        const QString keys =
            QKeySequence(Qt::ALT | (Qt::Key_1 + i)).toString(QKeySequence::NativeText);
        b->setToolTip(keys);
        name(b, b->text(),
             context::Shell::tr("Switches the keyboard to on-board profile %1 (%2)")
                 .arg(i + 1)
                 .arg(keys));
    }
    name(w.resetButton(), context::Shell::tr("Factory reset"),
         context::Shell::tr("Restores the factory settings of all five on-board profiles"));
    name(w.serviceButton(), context::Shell::tr("Customer Service"),
         context::Shell::tr("Opens the web page in your browser"));
    name(w.infoButton(), context::Shell::tr("Product Information"),
         context::Shell::tr("Opens the web page in your browser"));
    name(w.settingsButton(), context::Shell::tr("Settings"));
    name(w.closeButton(), context::Shell::tr("Close"), context::Shell::tr("Ends the console"));
    w.statusBand()->setAccessibleName(context::Shell::tr("Status"));
}

void AccessibleNames::nameProfileMenu(ProfileMenu &m)
{
    name(m.profileCombo(), context::Shell::tr("SELECT PROFILE"),
         context::Shell::tr("Choosing a saved profile links it to the active on-board profile"));
    name(m.newButton(), context::Shell::tr("New profile"));
    name(m.deleteButton(), context::Shell::tr("Delete the selected profile"));
    name(m.copyButton(), context::Shell::tr("Copy the selected profile"));
    name(m.importButton(), context::Shell::tr("Import a profile from a file"));
    name(m.exportButton(), context::Shell::tr("Export the selected profile to a file"));
    name(m.profileNameEdit(), context::Shell::tr("PROFILE NAME"),
         context::Shell::tr("Type a new name and press Enter to rename the profile"));
    labels(m.selectProfileCaption(), m.profileCombo());
    labels(m.profileNameCaption(), m.profileNameEdit());
}

void AccessibleNames::nameCustomize(CustomizePanel &p)
{
    name(p.widgets().keyAssignCombo, context::Shell::tr("KEY ASSIGNMENT"),
         context::Shell::tr("What the selected key does"));
    name(p.widgets().assignMacroCombo, context::Shell::tr("ASSIGN MACRO"));
    name(p.widgets().repeatCombo, context::Shell::tr("Repeat option"));
    name(p.widgets().repeatCountEdit, context::Shell::tr("Repeat count"),
         context::Shell::tr("1 to 50 times"));
    name(p.widgets().newKeyEdit, context::Shell::tr("ASSIGN"),
         context::Shell::tr("Press Enter, then the key the selected key should send; "
                            "Escape cancels"));
    labels(p.widgets().captionKeyAssignment, p.widgets().keyAssignCombo);
    labels(p.widgets().captionAssignMacro, p.widgets().assignMacroCombo);
    labels(p.widgets().captionRepeat, p.widgets().repeatCombo);
    labels(p.widgets().captionAssign, p.widgets().newKeyEdit);
    labels(p.widgets().captionInstantShift, p.widgets().shiftCombo);
    name(p.widgets().shiftCombo, context::Shell::tr("Instant shift target profile"));
    const char *modifiers[3] = {QT_TRANSLATE_NOOP("LumoProject", "Left Shift"),
                                QT_TRANSLATE_NOOP("LumoProject", "Left Ctrl"),
                                QT_TRANSLATE_NOOP("LumoProject", "Left Alt")};
    for (int m = 0; m < 3; ++m)
        name(p.widgets().shiftButtons[m], p.widgets().shiftButtons[m]->text(),
             context::Shell::tr("While held, %1 switches to the chosen profile")
                 .arg(context::Shell::tr(modifiers[m])));
    name(p.widgets().customizeApplyButton, p.widgets().customizeApplyButton->text(),
         context::Shell::tr("Stores the assignment and sends it to the keyboard"));
}

void AccessibleNames::nameLighting(QWidget &page)
{
    name(child<QComboBox>(page, "effect_combo"), context::LightingPage::tr("EFFECT"));
    name(child<QSlider>(page, "speed_slider"), context::LightingPage::tr("SPEED"),
         context::LightingPage::tr("From slow to fast"));
    name(child<QSlider>(page, "speediness_slider"), context::LightingPage::tr("Wave speed"),
         context::LightingPage::tr("From slow to fast"));
    name(child<QSlider>(page, "stops_slider"), context::LightingPage::tr("STOPS CONTROL"));
    name(child<QComboBox>(page, "pattern_combo"), context::LightingPage::tr("PATTERN"));
    name(child<QPushButton>(page, "btn_pattern_add"), context::LightingPage::tr("Add pattern"));
    name(child<QPushButton>(page, "btn_pattern_del"), context::LightingPage::tr("Delete pattern"));
    const char *captions[][2] = {
        {"effect_label", "effect_combo"},          {"speed_label", "speed_slider"},
        {"wave_speed_label", "speediness_slider"}, {"pattern_label", "pattern_combo"},
        {"stops_label", "stops_slider"},           {"surface_label", "btn_surface"}};
    for (const auto &pair : captions)
        labels(child<QLabel>(page, pair[0]), page.findChild<QWidget *>(QLatin1String(pair[1])));
    name(child<QPushButton>(page, "btn_surface"), context::LightingPage::tr("SURFACE"),
         context::LightingPage::tr("Lights every other key in the surface colour"));
    name(child<QPushButton>(page, "btn_surface_color"), context::LightingPage::tr("Surface colour"),
         context::LightingPage::tr("Chosen, it takes the next colour picked"));
    const char *channels[3] = {QT_TRANSLATE_NOOP("keyboard_light_view", "Red"),
                               QT_TRANSLATE_NOOP("keyboard_light_view", "Green"),
                               QT_TRANSLATE_NOOP("keyboard_light_view", "Blue")};
    for (int c = 0; c < 3; ++c)
        name(page.findChild<QLineEdit *>(QStringLiteral("edit_%1").arg(QChar("rgb"[c]))),
             context::LightingPage::tr(channels[c]),
             context::LightingPage::tr("0 to 255; Enter picks the colour"));
    name(child<QLineEdit>(page, "edit_code"), context::LightingPage::tr("Colour code"),
         context::LightingPage::tr("Six hexadecimal digits; Enter picks the colour"));
    name(child<QPushButton>(page, "btn_apply"), context::LightingPage::tr("APPLY"),
         context::LightingPage::tr("Sends the lighting to the keyboard"));
}

void AccessibleNames::nameMacros(QWidget &page)
{
    name(child<QComboBox>(page, "macro_name_combo"), context::MacroPage::tr("SELECT MACRO"));
    name(child<QLineEdit>(page, "macro_name_edit"), context::MacroPage::tr("MACRO NAME"),
         context::MacroPage::tr("Enter renames the macro"));
    name(child<QTreeWidget>(page, "treeWidget"), context::MacroPage::tr("Macro events"));
    name(child<QLineEdit>(page, "macro_time_edit_edit"),
         context::MacroPage::tr("Default delay time in ms"));
    // Two buttons read DELETE: the description tells which one.
    if (auto *b = child<QPushButton>(page, "macro_name_btn_del"))
        b->setAccessibleDescription(context::MacroPage::tr("Deletes the selected macro"));
    if (auto *b = child<QPushButton>(page, "macro_r_del"))
        b->setAccessibleDescription(context::MacroPage::tr("Deletes the selected event"));
}

void AccessibleNames::nameSettings(QWidget &page)
{
    if (auto *language = page.findChild<QComboBox *>())
        name(language, context::SettingsPage::tr("LANGUAGE"),
             context::SettingsPage::tr("The window switches at once"));
    const QList<QPushButton *> buttons = page.findChildren<QPushButton *>();
    // In the order the page makes them: the web site, the community, then the
    // buttons with their own texts.
    if (buttons.size() >= 2) {
        name(buttons[0], context::SettingsPage::tr("Official website"),
             context::SettingsPage::tr("Opens the web page in your browser"));
        name(buttons[1], context::SettingsPage::tr("Community"),
             context::SettingsPage::tr("Opens the web page in your browser"));
    }
}
