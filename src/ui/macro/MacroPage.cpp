#include "MacroPage.h"

#include "MacroPageStyles.h"
#include "core/app/PictureCache.h"
#include "core/app/TranslationContexts.h"
#include "core/macro/MacroCodec.h"
#include "core/storage/StoredList.h"
#include "ui/shell/WidgetDesktopServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

using namespace orvanta;
using namespace orvanta::macro;
using namespace orvanta::macro::looks;

namespace
{

QFrame *panel(QWidget *parent, int x, int y, int w, int h)
{
    auto *f = new QFrame(parent);
    f->setObjectName(QStringLiteral("macroPanel"));
    f->setGeometry(x, y, w, h);
    return f;
}

QLabel *caption(QWidget *parent, const QString &text, int x, int y, int w, int h)
{
    auto *l = new QLabel(text, parent);
    l->setProperty("caption", true);
    l->setGeometry(x, y, w, h);
    return l;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text, int x, int y, int w,
                    int h)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

} // namespace

MacroPage::MacroPage(MacroLibrary &library, QWidget *parent, orvanta::DesktopServices *desktop)
    : QWidget(parent), m_library(library),
      m_desktop(desktop ? *desktop : orvanta::defaultDesktopServices())
{
    setObjectName(QStringLiteral("micro_view"));
    setAttribute(Qt::WA_StyledBackground, true);
    resize(960, 620);
    connect(&m_recorder, &MacroRecorder::rowsReset, this, &MacroPage::showRows);
    connect(&m_recorder, &MacroRecorder::rowInserted, this, &MacroPage::insertRow);
    connect(&m_recorder, &MacroRecorder::rowRemoved, this,
            [this](int row) { delete m_tree->takeTopLevelItem(row); });
    connect(&m_recorder, &MacroRecorder::delayChanged, this, &MacroPage::showDelay);

    buildWidgets();
    markDelayMode(0);
    refreshList();
}

void MacroPage::buildWidgets()
{
    setStyleSheet(QLatin1String(kPageStyle));

    // Collection controls across the top.
    QFrame *top = panel(this, 16, 10, 928, 108);
    QLabel *listCaption = caption(top, context::MacroPage::tr("SELECT MACRO"), 16, 10, 260, 20);
    m_macroList = new QComboBox(top);
    listCaption->setBuddy(m_macroList); // screen readers name the list by it
    m_macroList->setObjectName(QStringLiteral("macro_name_combo"));
    m_macroList->setGeometry(16, 34, 280, 30);
    QLabel *nameCaption = caption(top, context::MacroPage::tr("MACRO NAME"), 316, 10, 260, 20);
    m_nameEdit = new QLineEdit(top);
    nameCaption->setBuddy(m_nameEdit);
    m_nameEdit->setObjectName(QStringLiteral("macro_name_edit"));
    m_nameEdit->setGeometry(316, 34, 280, 30);
    m_nameEdit->setMaxLength(kNameMaxLength);
    m_nameEdit->setToolTip(context::MacroPage::tr("Rename"));
    m_newButton = button(top, QStringLiteral("macro_name_btn_new"), context::MacroPage::tr("NEW"),
                         16, 70, 100, 30);
    m_deleteMacroButton = button(top, QStringLiteral("macro_name_btn_del"),
                                 context::MacroPage::tr("DELETE"), 126, 70, 100, 30);
    m_copyButton = button(top, QStringLiteral("macro_name_btn_copy"),
                          context::MacroPage::tr("COPY"), 236, 70, 100, 30);
    m_importButton = button(top, QStringLiteral("macro_name_btn_import"),
                            context::MacroPage::tr("IMPORT"), 346, 70, 100, 30);
    m_exportButton = button(top, QStringLiteral("macro_name_btn_export"),
                            context::MacroPage::tr("EXPORT"), 456, 70, 100, 30);
    for (QPushButton *b :
         {m_newButton, m_deleteMacroButton, m_copyButton, m_importButton, m_exportButton})
        setLook(b, Look::Normal);

    // The event list, large in the middle.
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("treeWidget"));
    m_tree->setGeometry(16, 130, 600, 478);
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({context::MacroPage::tr("   Key"), context::MacroPage::tr("Up / Down"),
                             context::MacroPage::tr("Delay Time")});
    m_tree->setRootIsDecorated(false);
    m_tree->setAlternatingRowColors(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->header()->setDefaultAlignment(Qt::AlignCenter);
    m_tree->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_tree->header()->setSectionsMovable(false);
    connect(m_tree, &QTreeWidget::itemClicked, this, &MacroPage::rowClicked);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &MacroPage::openDelayEditor);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &MacroPage::closeDelayEditor);
    // Activating the row whose editor the same double-click opened must not
    // close that editor again.
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (m_tree->indexOfTopLevelItem(item) != m_editedRow)
            closeDelayEditor();
    });

    // Recorder controls beside the list.
    QFrame *rec = panel(this, 632, 130, 312, 222);
    m_recordButton = button(rec, QStringLiteral("macro_r_record"), context::MacroPage::tr("RECORD"),
                            14, 12, 136, 34);
    m_stopButton = button(rec, QStringLiteral("macro_r_stop"), context::MacroPage::tr("STOP"), 162,
                          12, 136, 34);
    m_autoButton = button(rec, QStringLiteral("macro_time_auto_btn"),
                          context::MacroPage::tr("DELAY TIME AUTO-DETCTING"), 14, 60, 284, 28);
    m_defaultButton = button(rec, QStringLiteral("macro_time_edit_btn"),
                             context::MacroPage::tr("DEFAULT DELAY TIME"), 14, 94, 284, 28);
    m_defaultDelayEdit = new QLineEdit(QStringLiteral("10"), rec);
    m_defaultDelayEdit->setObjectName(QStringLiteral("macro_time_edit_edit"));
    m_defaultDelayEdit->setGeometry(40, 128, 110, 28);
    m_defaultDelayEdit->setValidator(new QIntValidator(0, kMaxDelayMs, m_defaultDelayEdit));
    m_defaultDelayEdit->setAlignment(Qt::AlignCenter);
    m_msLabel = new QLabel(context::MacroPage::tr("MS"), rec);
    m_msLabel->setGeometry(158, 128, 60, 28);
    m_noDelayButton = button(rec, QStringLiteral("macro_time_lgn_btn"),
                             context::MacroPage::tr("NO DELAY TIME"), 14, 172, 284, 28);
    for (QPushButton *b : {m_autoButton, m_defaultButton, m_noDelayButton}) {
        b->setStyleSheet(QLatin1String(kModeLook));
        b->setIconSize(QSize(16, 16));
    }

    // Row editing.
    QFrame *edit = panel(this, 632, 364, 312, 146);
    m_insertButton = button(edit, QStringLiteral("macro_r_insert"),
                            context::MacroPage::tr("INSERT"), 14, 12, 136, 34);
    m_beforeBox = new QCheckBox(context::MacroPage::tr("BEFORE"), edit);
    m_beforeBox->setObjectName(QStringLiteral("macro_r_before"));
    m_beforeBox->setGeometry(24, 54, 120, 30);
    m_beforeBox->setFocusPolicy(Qt::NoFocus);
    m_afterBox = new QCheckBox(context::MacroPage::tr("AFTER"), edit);
    m_afterBox->setObjectName(QStringLiteral("macro_r_after"));
    m_afterBox->setGeometry(172, 54, 120, 30);
    m_afterBox->setChecked(true);
    m_afterBox->setFocusPolicy(Qt::NoFocus);
    m_beforeBox->hide();
    m_afterBox->hide();
    m_deleteRowButton = button(edit, QStringLiteral("macro_r_del"),
                               context::MacroPage::tr("DELETE"), 14, 98, 136, 34);
    m_editButton = button(edit, QStringLiteral("macro_r_edit"), context::MacroPage::tr("EDIT"), 162,
                          98, 136, 34);

    m_applyButton =
        button(this, QStringLiteral("marco_save"), QStringLiteral("APPLY"), 632, 566, 150, 40);
    m_resetButton =
        button(this, QStringLiteral("marco_reset"), QStringLiteral("RESET"), 794, 566, 150, 40);
    setLook(m_applyButton, Look::Normal);
    setLook(m_resetButton, Look::Normal);

    connect(m_macroList, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MacroPage::macroChosen);
    connect(m_nameEdit, &QLineEdit::returnPressed, this, &MacroPage::macroNameEntered);
    connect(m_newButton, &QPushButton::released, this, &MacroPage::newMacroClicked);
    connect(m_deleteMacroButton, &QPushButton::released, this, &MacroPage::deleteMacroClicked);
    connect(m_copyButton, &QPushButton::released, this, &MacroPage::copyMacroClicked);
    connect(m_importButton, &QPushButton::released, this, &MacroPage::importMacroClicked);
    connect(m_exportButton, &QPushButton::released, this, &MacroPage::exportMacroClicked);
    connect(m_recordButton, &QPushButton::released, this, &MacroPage::startRecording);
    connect(m_stopButton, &QPushButton::released, this, &MacroPage::stopRecording);
    connect(m_autoButton, &QPushButton::released, this, &MacroPage::chooseAutoDelay);
    connect(m_defaultButton, &QPushButton::released, this, &MacroPage::chooseDefaultDelay);
    connect(m_noDelayButton, &QPushButton::released, this, &MacroPage::chooseNoDelay);
    connect(m_defaultDelayEdit, &QLineEdit::returnPressed, this, &MacroPage::defaultDelayEdited);
    connect(m_insertButton, &QPushButton::released, this, &MacroPage::toggleInsertMode);
    connect(m_beforeBox, &QCheckBox::clicked, this, &MacroPage::insertBefore);
    connect(m_afterBox, &QCheckBox::clicked, this, &MacroPage::insertAfter);
    connect(m_deleteRowButton, &QPushButton::released, this, &MacroPage::deleteRow);
    connect(m_editButton, &QPushButton::released, this, &MacroPage::editRow);
    connect(m_applyButton, &QPushButton::released, this, &MacroPage::applyMacro);
    connect(m_resetButton, &QPushButton::released, this, &MacroPage::resetMacro);
}

// --- looks -------------------------------------------------------------------

void MacroPage::setLook(QPushButton *b, Look look)
{
    static const char *const names[] = {"normal", "inactive", "red"};
    const char *sheet = look == Look::Normal ? kNormalLook
                        : look == Look::Red  ? kRedLook
                                             : kInactiveLook;
    b->setProperty("look", QLatin1String(names[int(look)]));
    b->setStyleSheet(QLatin1String(sheet));
}

void MacroPage::markDelayMode(int mode)
{
    const QIcon off(picturePath(QStringLiteral("Image/check_off.png")));
    const QIcon on(picturePath(QStringLiteral("Image/check_on.png")));
    QPushButton *buttons[] = {m_autoButton, m_defaultButton, m_noDelayButton};
    for (int i = 0; i < 3; ++i) {
        buttons[i]->setIcon(i == mode ? on : off);
        buttons[i]->setProperty("marked", i == mode);
    }
}

void MacroPage::resetRowLooks()
{
    for (QPushButton *b : {m_recordButton, m_stopButton, m_deleteRowButton, m_editButton})
        setLook(b, Look::Inactive);
}

void MacroPage::setCollectionEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_macroList, m_nameEdit, m_newButton, m_deleteMacroButton, m_copyButton,
             m_importButton, m_exportButton, m_autoButton, m_defaultButton, m_noDelayButton,
             m_defaultDelayEdit})
        w->setEnabled(enabled);
}

// --- rows and the stored record ---------------------------------------------

QString MacroPage::selectedMacro() const
{
    return m_macroList->currentText();
}

void MacroPage::showRows()
{
    m_tree->clear();
    const QVector<MacroRow> &rows = m_recorder.rows();
    for (int i = 0; i < rows.size(); ++i)
        insertRow(i, rows[i]);
}

void MacroPage::insertRow(int index, const MacroRow &row)
{
    auto *item = new QTreeWidgetItem(QStringList{row.key, row.state, row.delay});
    for (int c = 0; c < 3; ++c)
        item->setTextAlignment(c, Qt::AlignCenter);
    m_tree->insertTopLevelItem(index, item);
}

void MacroPage::showDelay(int index, const QString &delay)
{
    if (QTreeWidgetItem *item = m_tree->topLevelItem(index))
        item->setText(2, delay);
}

bool MacroPage::saveMacroFile()
{
    const MacroChange saved =
        m_library.save(selectedMacro(), m_recorder.rows(), m_recorder.commandImage());
    return saved.outcome != MacroChange::Outcome::Failed;
}

// --- recorder --------------------------------------------------------------------

void MacroPage::startRecording()
{
    if (!m_recorder.isIdle())
        return;
    if (m_editorOpen)
        closeDelayEditor();
    m_recorder.start(m_tree->indexOfTopLevelItem(m_tree->currentItem()));
    resetRowLooks();
    setLook(m_stopButton, Look::Normal);
    setCollectionEnabled(false);
    setLook(m_recordButton, Look::Red);
    if (m_recorder.isInsertMode()) {
        setLook(m_editButton, Look::Inactive);
        setLook(m_deleteRowButton, Look::Inactive);
    } else {
        setLook(m_insertButton, Look::Inactive);
    }
    m_beforeBox->setEnabled(false);
    m_afterBox->setEnabled(false);
    m_tree->setEnabled(false);
    grabKeyboard();
}

void MacroPage::stopRecording()
{
    if (!m_recorder.stop())
        return;
    releaseKeyboard();
    resetRowLooks();
    setLook(m_stopButton, Look::Normal);
    m_beforeBox->setEnabled(true);
    m_afterBox->setEnabled(true);
    m_tree->setEnabled(true);
    if (m_recorder.isInsertMode()) {
        setLook(m_editButton, Look::Normal);
        setLook(m_deleteRowButton, Look::Normal);
    }
    setCollectionEnabled(true);
    setLook(m_recordButton, Look::Normal);
    saveMacroFile();
}

void MacroPage::advanceDelayClock()
{
    m_recorder.advanceClock();
}

static KeyStroke strokeOf(const QKeyEvent *event)
{
    return {event->text(), event->key(), event->nativeScanCode(),
            event->modifiers().testFlag(Qt::ShiftModifier)};
}

void MacroPage::keyPressEvent(QKeyEvent *event)
{
    if (!m_recorder.isRecording()) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        m_recorder.pressKey(strokeOf(event));
}

void MacroPage::keyReleaseEvent(QKeyEvent *event)
{
    if (!m_recorder.isRecording()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        m_recorder.releaseKey(strokeOf(event));
}

QString MacroPage::mouseLabel(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return QStringLiteral("Mouse L");
    case Qt::RightButton:
        return QStringLiteral("Mouse R");
    case Qt::MiddleButton:
        return QStringLiteral("Mouse Mid");
    default:
        return QString();
    }
}

void MacroPage::mousePressEvent(QMouseEvent *event)
{
    // Only the three buttons the keyboard can play are taken.
    const QString label = mouseLabel(event->button());
    if (!m_recorder.isRecording() || label.isEmpty()) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    m_recorder.press(label, int(event->button()));
}

void MacroPage::mouseReleaseEvent(QMouseEvent *event)
{
    const QString label = mouseLabel(event->button());
    if (!m_recorder.isRecording() || label.isEmpty()) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    m_recorder.release(label, int(event->button()));
}

bool MacroPage::focusNextPrevChild(bool next)
{
    // While recording, Tab is a key to record, not a focus move.
    if (m_recorder.isRecording())
        return false;
    return QWidget::focusNextPrevChild(next);
}

void MacroPage::chooseAutoDelay()
{
    m_recorder.setDelayMode(MacroRecorder::AutoDelay);
    markDelayMode(0);
}

void MacroPage::chooseDefaultDelay()
{
    m_recorder.setDelayMode(MacroRecorder::DefaultDelay);
    markDelayMode(1);
}

void MacroPage::chooseNoDelay()
{
    m_recorder.setDelayMode(MacroRecorder::NoDelay);
    markDelayMode(2);
}

void MacroPage::defaultDelayEdited()
{
    const int kept = m_recorder.setDefaultDelay(toNumber(m_defaultDelayEdit->text(), 0));
    m_defaultDelayEdit->setText(QString::number(kept));
}

// --- the collection ----------------------------------------------------------------

void MacroPage::refreshList(const QString &select)
{
    const QStringList names = m_library.names();
    {
        const QSignalBlocker blocker(m_macroList);
        m_macroList->clear();
        m_macroList->addItems(names);
        const int index = select.isEmpty() ? 0 : qMax(0, names.indexOf(select));
        m_macroList->setCurrentIndex(names.isEmpty() ? -1 : index);
    }
    macroChosen();
}

void MacroPage::follow(const MacroChange &change)
{
    if (!change.show.isEmpty())
        refreshList(change.show);
}

void MacroPage::macroChosen()
{
    dropEditor();
    const QString name = selectedMacro();
    m_recorder.load(m_library.read(name));
    m_nameEdit->setText(name);

    m_afterBox->setChecked(true);
    m_beforeBox->setChecked(false);
    m_beforeBox->hide();
    m_afterBox->hide();
    setLook(m_recordButton, Look::Normal);
    for (QPushButton *b : {m_stopButton, m_insertButton, m_deleteRowButton, m_editButton})
        setLook(b, Look::Inactive);
}

void MacroPage::macroNameEntered()
{
    if (!m_recorder.isRecording())
        follow(m_library.rename(selectedMacro(), m_nameEdit->text()));
}

void MacroPage::newMacroClicked()
{
    if (!m_recorder.isRecording())
        follow(m_library.create());
}

void MacroPage::deleteMacroClicked()
{
    if (!m_recorder.isIdle())
        return;
    const MacroChange removed = m_library.remove(selectedMacro());
    // A failed delete shows the list as the folder now is too.
    if (removed.outcome == MacroChange::Outcome::Done ||
        removed.outcome == MacroChange::Outcome::Failed)
        refreshList(removed.show);
}

void MacroPage::copyMacroClicked()
{
    if (m_recorder.isIdle())
        follow(m_library.copy(selectedMacro()));
}

void MacroPage::exportMacroClicked()
{
    if (m_recorder.isRecording())
        return;
    const QString path = m_desktop.saveFileName(this, QStringLiteral("Save As"), QString(),
                                                QStringLiteral("Comma Separated Values (*.ini)"));
    (void)m_library.exportTo(selectedMacro(), path);
}

void MacroPage::importMacroClicked()
{
    if (m_recorder.isRecording())
        return;
    const QString path =
        m_desktop.openFileName(this, QStringLiteral("Open file"), QStringLiteral("C:\\"),
                               QStringLiteral("Bx Files(*.ini)"));
    if (!path.isEmpty())
        follow(m_library.importFile(path));
}

// --- row editing ------------------------------------------------------------------

void MacroPage::rowClicked()
{
    const bool insertShown = m_recorder.canInsert();
    if (!m_recorder.selectRow())
        return;
    resetRowLooks();
    setLook(m_recordButton, Look::Normal);
    setLook(m_editButton, Look::Normal);
    setLook(m_deleteRowButton, Look::Normal);
    if (!insertShown)
        setLook(m_insertButton, Look::Normal);
}

void MacroPage::toggleInsertMode()
{
    if (!m_recorder.toggleInsertMode())
        return;
    resetRowLooks();
    setLook(m_recordButton, Look::Normal);
    if (m_recorder.isInsertMode()) {
        m_beforeBox->show();
        m_afterBox->show();
        setLook(m_insertButton, Look::Red);
        setLook(m_editButton, Look::Normal);
        setLook(m_deleteRowButton, Look::Normal);
    } else {
        m_tree->clearSelection();
        setLook(m_editButton, Look::Inactive);
        setLook(m_deleteRowButton, Look::Inactive);
        m_beforeBox->hide();
        m_afterBox->hide();
        setLook(m_insertButton, Look::Inactive);
    }
}

void MacroPage::insertBefore()
{
    if (m_recorder.isRecording())
        return;
    m_afterBox->setChecked(!m_beforeBox->isChecked());
    m_recorder.setInsertAfter(m_afterBox->isChecked());
}

void MacroPage::insertAfter()
{
    if (m_recorder.isRecording())
        return;
    m_beforeBox->setChecked(!m_afterBox->isChecked());
    m_recorder.setInsertAfter(m_afterBox->isChecked());
}

void MacroPage::deleteRow()
{
    if (!m_recorder.canDeleteRow() || m_recorder.isRecording())
        return;
    const int r = m_tree->indexOfTopLevelItem(m_tree->currentItem());
    if (r < 0)
        return;
    dropEditor();
    m_recorder.deleteRow(r);
    if (m_recorder.rows().isEmpty()) {
        for (QPushButton *b : {m_insertButton, m_deleteRowButton, m_editButton})
            setLook(b, Look::Inactive);
    }
    saveMacroFile();
}

void MacroPage::editRow()
{
    if (!m_recorder.canEditRow() || m_recorder.isRecording())
        return;
    if (QTreeWidgetItem *item = m_tree->currentItem())
        openDelayEditor(item, 2);
}

void MacroPage::openDelayEditor(QTreeWidgetItem *item, int column)
{
    if (column != 2 || !item || m_recorder.isRecording())
        return;
    const int row = m_tree->indexOfTopLevelItem(item);
    if (row < 0)
        return;
    if (m_editorOpen) {
        if (row == m_editedRow)
            return;
        closeDelayEditor();
    }
    auto *editor = new QLineEdit(item->text(2));
    editor->setValidator(new QIntValidator(0, 99999, editor));
    editor->setAlignment(Qt::AlignCenter);
    // Queued: the editor is removed inside closeDelayEditor.
    connect(editor, &QLineEdit::returnPressed, this, &MacroPage::closeDelayEditor,
            Qt::QueuedConnection);
    m_tree->setItemWidget(item, 2, editor);
    editor->setFocus();
    editor->selectAll();
    m_editedRow = row;
    m_editedColumn = 2;
    m_editorOpen = true;
}

void MacroPage::dropEditor()
{
    if (!m_editorOpen)
        return;
    m_editorOpen = false;
    if (QTreeWidgetItem *item = m_tree->topLevelItem(m_editedRow))
        m_tree->removeItemWidget(item, m_editedColumn);
    m_editedRow = -1;
}

void MacroPage::closeDelayEditor()
{
    if (!m_editorOpen)
        return;
    m_editorOpen = false;
    QTreeWidgetItem *item = m_tree->topLevelItem(m_editedRow);
    if (item) {
        auto *editor = qobject_cast<QLineEdit *>(m_tree->itemWidget(item, m_editedColumn));
        const QString text = editor ? editor->text() : item->text(m_editedColumn);
        m_tree->removeItemWidget(item, m_editedColumn);
        m_recorder.setDelay(m_editedRow, toNumber(text, 0));
        saveMacroFile();
    }
    m_editedRow = -1;
    m_tree->clearSelection();
    m_tree->setCurrentItem(nullptr);
    for (QPushButton *b : {m_insertButton, m_deleteRowButton, m_editButton})
        setLook(b, Look::Inactive);
    m_recorder.endRowEditing();
    m_beforeBox->hide();
    m_afterBox->hide();
}

void MacroPage::applyMacro() {}

void MacroPage::resetMacro() {}
