#include "AccessibleNames.h"

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
    return QCoreApplication::translate("LumoProject", "red %1, green %2, blue %3")
        .arg(r)
        .arg(g)
        .arg(b);
}

void AccessibleNames::nameShell(MainWindow &w)
{
    for (int i = 0; i < 5; ++i) {
        QPushButton *b = w.profileButtons()[i];
        const QString keys =
            QKeySequence(Qt::ALT | (Qt::Key_1 + i)).toString(QKeySequence::NativeText);
        b->setToolTip(keys);
        name(b, b->text(),
             QCoreApplication::translate("LumoProject",
                                         "Switches the keyboard to on-board profile %1 (%2)")
                 .arg(i + 1)
                 .arg(keys));
    }
    name(w.resetButton(), QCoreApplication::translate("LumoProject", "Factory reset"),
         QCoreApplication::translate(
             "LumoProject", "Restores the factory settings of all five on-board profiles"));
    name(w.serviceButton(), QCoreApplication::translate("LumoProject", "Customer Service"),
         QCoreApplication::translate("LumoProject", "Opens the web page in your browser"));
    name(w.infoButton(), QCoreApplication::translate("LumoProject", "Product Information"),
         QCoreApplication::translate("LumoProject", "Opens the web page in your browser"));
    name(w.settingsButton(), QCoreApplication::translate("LumoProject", "Settings"));
    name(w.closeButton(), QCoreApplication::translate("LumoProject", "Close"),
         QCoreApplication::translate("LumoProject", "Ends the console"));
    w.statusBand()->setAccessibleName(QCoreApplication::translate("LumoProject", "Status"));
}

void AccessibleNames::nameProfileMenu(ProfileMenu &m)
{
    name(m.profileCombo(), QCoreApplication::translate("LumoProject", "SELECT PROFILE"),
         QCoreApplication::translate(
             "LumoProject", "Choosing a saved profile links it to the active on-board profile"));
    name(m.newButton(), QCoreApplication::translate("LumoProject", "New profile"));
    name(m.deleteButton(),
         QCoreApplication::translate("LumoProject", "Delete the selected profile"));
    name(m.copyButton(), QCoreApplication::translate("LumoProject", "Copy the selected profile"));
    name(m.importButton(),
         QCoreApplication::translate("LumoProject", "Import a profile from a file"));
    name(m.exportButton(),
         QCoreApplication::translate("LumoProject", "Export the selected profile to a file"));
    name(m.profileNameEdit(), QCoreApplication::translate("LumoProject", "PROFILE NAME"),
         QCoreApplication::translate("LumoProject",
                                     "Type a new name and press Enter to rename the profile"));
    labels(m.selectProfileCaption(), m.profileCombo());
    labels(m.profileNameCaption(), m.profileNameEdit());
}

void AccessibleNames::nameCustomize(CustomizePanel &p)
{
    name(p.widgets().keyAssignCombo, QCoreApplication::translate("LumoProject", "KEY ASSIGNMENT"),
         QCoreApplication::translate("LumoProject", "What the selected key does"));
    name(p.widgets().assignMacroCombo, QCoreApplication::translate("LumoProject", "ASSIGN MACRO"));
    name(p.widgets().repeatCombo, QCoreApplication::translate("LumoProject", "Repeat option"));
    name(p.widgets().repeatCountEdit, QCoreApplication::translate("LumoProject", "Repeat count"),
         QCoreApplication::translate("LumoProject", "1 to 50 times"));
    name(p.widgets().newKeyEdit, QCoreApplication::translate("LumoProject", "ASSIGN"),
         QCoreApplication::translate("LumoProject",
                                     "Press Enter, then the key the selected key should send; "
                                     "Escape cancels"));
    labels(p.widgets().captionKeyAssignment, p.widgets().keyAssignCombo);
    labels(p.widgets().captionAssignMacro, p.widgets().assignMacroCombo);
    labels(p.widgets().captionRepeat, p.widgets().repeatCombo);
    labels(p.widgets().captionAssign, p.widgets().newKeyEdit);
    labels(p.widgets().captionInstantShift, p.widgets().shiftCombo);
    name(p.widgets().shiftCombo,
         QCoreApplication::translate("LumoProject", "Instant shift target profile"));
    const char *modifiers[3] = {QT_TRANSLATE_NOOP("LumoProject", "Left Shift"),
                                QT_TRANSLATE_NOOP("LumoProject", "Left Ctrl"),
                                QT_TRANSLATE_NOOP("LumoProject", "Left Alt")};
    for (int m = 0; m < 3; ++m)
        name(p.widgets().shiftButtons[m], p.widgets().shiftButtons[m]->text(),
             QCoreApplication::translate("LumoProject",
                                         "While held, %1 switches to the chosen profile")
                 .arg(QCoreApplication::translate("LumoProject", modifiers[m])));
    name(p.widgets().customizeApplyButton, p.widgets().customizeApplyButton->text(),
         QCoreApplication::translate("LumoProject",
                                     "Stores the assignment and sends it to the keyboard"));
}

void AccessibleNames::nameLighting(QWidget &page)
{
    name(child<QComboBox>(page, "effect_combo"),
         QCoreApplication::translate("keyboard_light_view", "EFFECT"));
    name(child<QSlider>(page, "speed_slider"),
         QCoreApplication::translate("keyboard_light_view", "SPEED"),
         QCoreApplication::translate("keyboard_light_view", "From slow to fast"));
    name(child<QSlider>(page, "speediness_slider"),
         QCoreApplication::translate("keyboard_light_view", "Wave speed"),
         QCoreApplication::translate("keyboard_light_view", "From slow to fast"));
    name(child<QSlider>(page, "stops_slider"),
         QCoreApplication::translate("keyboard_light_view", "STOPS CONTROL"));
    name(child<QComboBox>(page, "pattern_combo"),
         QCoreApplication::translate("keyboard_light_view", "PATTERN"));
    name(child<QPushButton>(page, "btn_pattern_add"),
         QCoreApplication::translate("keyboard_light_view", "Add pattern"));
    name(child<QPushButton>(page, "btn_pattern_del"),
         QCoreApplication::translate("keyboard_light_view", "Delete pattern"));
    const char *captions[][2] = {
        {"effect_label", "effect_combo"},          {"speed_label", "speed_slider"},
        {"wave_speed_label", "speediness_slider"}, {"pattern_label", "pattern_combo"},
        {"stops_label", "stops_slider"},           {"surface_label", "btn_surface"}};
    for (const auto &pair : captions)
        labels(child<QLabel>(page, pair[0]), page.findChild<QWidget *>(QLatin1String(pair[1])));
    name(child<QPushButton>(page, "btn_surface"),
         QCoreApplication::translate("keyboard_light_view", "SURFACE"),
         QCoreApplication::translate("keyboard_light_view",
                                     "Lights every other key in the surface colour"));
    name(child<QPushButton>(page, "btn_surface_color"),
         QCoreApplication::translate("keyboard_light_view", "Surface colour"),
         QCoreApplication::translate("keyboard_light_view",
                                     "Chosen, it takes the next colour picked"));
    const char *channels[3] = {QT_TRANSLATE_NOOP("keyboard_light_view", "Red"),
                               QT_TRANSLATE_NOOP("keyboard_light_view", "Green"),
                               QT_TRANSLATE_NOOP("keyboard_light_view", "Blue")};
    for (int c = 0; c < 3; ++c)
        name(
            page.findChild<QLineEdit *>(QStringLiteral("edit_%1").arg(QChar("rgb"[c]))),
            QCoreApplication::translate("keyboard_light_view", channels[c]),
            QCoreApplication::translate("keyboard_light_view", "0 to 255; Enter picks the colour"));
    name(child<QLineEdit>(page, "edit_code"),
         QCoreApplication::translate("keyboard_light_view", "Colour code"),
         QCoreApplication::translate("keyboard_light_view",
                                     "Six hexadecimal digits; Enter picks the colour"));
    name(child<QPushButton>(page, "btn_apply"),
         QCoreApplication::translate("keyboard_light_view", "APPLY"),
         QCoreApplication::translate("keyboard_light_view", "Sends the lighting to the keyboard"));
}

void AccessibleNames::nameMacros(QWidget &page)
{
    name(child<QComboBox>(page, "macro_name_combo"),
         QCoreApplication::translate("micro_view", "SELECT MACRO"));
    name(child<QLineEdit>(page, "macro_name_edit"),
         QCoreApplication::translate("micro_view", "MACRO NAME"),
         QCoreApplication::translate("micro_view", "Enter renames the macro"));
    name(child<QTreeWidget>(page, "treeWidget"),
         QCoreApplication::translate("micro_view", "Macro events"));
    name(child<QLineEdit>(page, "macro_time_edit_edit"),
         QCoreApplication::translate("micro_view", "Default delay time in ms"));
    // Two buttons read DELETE: the description tells which one.
    if (auto *b = child<QPushButton>(page, "macro_name_btn_del"))
        b->setAccessibleDescription(
            QCoreApplication::translate("micro_view", "Deletes the selected macro"));
    if (auto *b = child<QPushButton>(page, "macro_r_del"))
        b->setAccessibleDescription(
            QCoreApplication::translate("micro_view", "Deletes the selected event"));
}

void AccessibleNames::nameSettings(QWidget &page)
{
    if (auto *language = page.findChild<QComboBox *>())
        name(language, QCoreApplication::translate("setting_view", "LANGUAGE"),
             QCoreApplication::translate("setting_view", "The window switches at once"));
    const QList<QPushButton *> buttons = page.findChildren<QPushButton *>();
    // In the order the page makes them: the web site, the community, then the
    // buttons with their own texts.
    if (buttons.size() >= 2) {
        name(buttons[0], QCoreApplication::translate("setting_view", "Official website"),
             QCoreApplication::translate("setting_view", "Opens the web page in your browser"));
        name(buttons[1], QCoreApplication::translate("setting_view", "Community"),
             QCoreApplication::translate("setting_view", "Opens the web page in your browser"));
    }
}
