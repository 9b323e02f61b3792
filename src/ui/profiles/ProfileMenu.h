#pragma once
// The left menu: SELECT PROFILE (the saved profiles of "./lightfile"), New,
// Delete, Copy, Import and Export, and PROFILE NAME (rename), over the
// controller's ProfileLibrary. Choosing a saved profile binds it to the active
// on-board profile and sends its lighting there.

#include <QObject>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ConsoleContext;
namespace orvanta
{
class ProfileLibrary;
struct ProfileResult;
struct ShellStyles;
} // namespace orvanta

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

    // The menu's widgets, for keyboard access, screen-reader names and tests.
    QLabel *selectProfileCaption() const { return m_captionSelectProfile; }
    QLabel *profileNameCaption() const { return m_captionProfileName; }
    QComboBox *profileCombo() const { return m_profileCombo; }
    QLineEdit *profileNameEdit() const { return m_profileNameEdit; }
    QPushButton *newButton() const { return m_btnNew; }
    QPushButton *deleteButton() const { return m_btnDelete; }
    QPushButton *copyButton() const { return m_btnCopy; }
    QPushButton *importButton() const { return m_btnImport; }
    QPushButton *exportButton() const { return m_btnExport; }

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
    bool actionsAllowed() const;
    // Shows the profile a use case made or gave back, and chooses it.
    void showResult(const orvanta::ProfileResult &result);

    ConsoleContext &m_context;
    orvanta::ProfileLibrary &m_library;
    QLabel *m_captionSelectProfile = nullptr, *m_captionProfileName = nullptr,
           *m_captionShortcut = nullptr;
    QComboBox *m_profileCombo = nullptr;
    QPushButton *m_btnNew = nullptr, *m_btnDelete = nullptr, *m_btnCopy = nullptr,
                *m_btnImport = nullptr, *m_btnExport = nullptr;
    QLineEdit *m_profileNameEdit = nullptr;
    QWidget *m_parent;
    bool m_showingLinked = false; // the list follows an activation: nothing is rebound
};
