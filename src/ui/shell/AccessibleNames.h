#pragma once
// What screen readers call each control of the window, in the chosen
// language: icon buttons say what they do, lists, fields and sliders what they
// set (Qt adds a field's text and a slider's value), and a description where
// the name is not enough. Run again after a language switch, as the lighting
// and macro pages are built anew then.

#include <QString>

class CustomizePanel;
class MainWindow;
class ProfileMenu;
class QWidget;

class AccessibleNames
{
public:
    static void nameShell(MainWindow &window);
    static void nameProfileMenu(ProfileMenu &menu);
    static void nameCustomize(CustomizePanel &panel);
    static void nameLighting(QWidget &page);
    static void nameMacros(QWidget &page);
    static void nameSettings(QWidget &page);
    // "red 255, green 128, blue 0"
    static QString colourText(int r, int g, int b);
};
