#pragma once
// The left menu: SELECT PROFILE (the saved profiles of "./lightfile"), New,
// Delete, Copy, Import and Export, and PROFILE NAME (rename).
// Choosing a saved profile binds it to the active on-board profile and sends
// its lighting there.

#include "core/storage/AtomicFile.h"

#include <QObject>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ConsoleContext;
namespace orvanta
{
struct ShellStyles;
}

class ProfileMenu : public QObject
{
    Q_OBJECT
public:
    // Builds the menu's widgets in `parent` (the window's central widget).
    ProfileMenu(ConsoleContext &context, QWidget *parent);

    // The SELECT PROFILE list's current text, or the active slot's profile.
    QString selectedProfile() const;
    // Refills the list quietly, keeping the current entry when it still exists.
    void refillProfileList();
    // Shows the active slot's profile in the list; a slot bound to a folder that
    // is gone falls back to its built-in profile (and that is saved).
    void showLinkedProfile();

    void applyStyles(const orvanta::ShellStyles &styles);
    void retranslate();

    QLabel *captionSelectProfile = nullptr, *captionProfileName = nullptr,
           *captionShortcut = nullptr;
    QComboBox *profileCombo = nullptr;
    QPushButton *btnNew = nullptr, *btnDelete = nullptr, *btnCopy = nullptr, *btnImport = nullptr,
                *btnExport = nullptr;
    QLineEdit *profileNameEdit = nullptr;

signals:
    // Another saved profile is shown: its key assignments are to be loaded.
    void shownProfileChanged(const QString &profile);

public slots:
    void newProfileClicked();
    void deleteProfileClicked();
    void copyProfileClicked();
    void importProfileClicked();
    void exportProfileClicked();
    void savedProfileChosen(int index);
    void profileNameEntered();

private:
    bool macroPageIdle() const;
    bool saveBindings();
    void refuse(const QString &text); // a notice that says why a request was not carried out

    ConsoleContext &m_context;
    QWidget *m_parent;
    bool m_showingLinked = false; // the list follows an activation: nothing is rebound
};
