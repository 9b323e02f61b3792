#include "KeyColourEditor.h"

#include "SelectionRect.h"
#include "core/app/PictureCache.h"

#include <QLabel>

using namespace orvanta;

namespace
{

const char kKeyboardPicture[] =
    "Image/^C123EE04E9FA79AD51A70EB85EDC4904B9A42220E25096A89F^pimgpsh_fullsize_distr.png";

QString keyStyle(const Rgb &c)
{
    return QStringLiteral("background-color:") +
           QStringLiteral("rgb(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b) + QStringLiteral(";");
}

} // namespace

KeyColourEditor::KeyColourEditor(QWidget *page) : m_page(page)
{
    // The key widgets lie behind the keyboard picture, which is transparent over
    // each key, so the colours show through the pictured caps.
    for (int k = 0; k < kKeyLightCount; ++k) {
        auto *key = new QLabel(page);
        key->setObjectName(QStringLiteral("key_%1").arg(k));
        key->setGeometry(keyWidgetRect(k));
        m_keys[k] = key;
        showKey(k, {255, 0, 0});
    }
    auto *picture = new QLabel(page);
    picture->setObjectName(QStringLiteral("keyboard_picture"));
    picture->setGeometry(115, 0, 699, 242);
    picture->setPixmap(cachedPixmap(QLatin1String(kKeyboardPicture)));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void KeyColourEditor::addSelectionRect()
{
    m_drawRect = new SelectionRect(m_page);
    m_drawRect->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_drawRect->hide();
}

void KeyColourEditor::showKey(int key, const Rgb &colour)
{
    m_shown[key] = colour;
    m_keys[key]->setStyleSheet(keyStyle(colour));
}

void KeyColourEditor::showAll(const Rgb &colour)
{
    for (int k = 0; k < kKeyLightCount; ++k)
        showKey(k, colour);
}

void KeyColourEditor::showSet(const KeyColorSet &set)
{
    for (int k = 0; k < kKeyLightCount; ++k)
        showKey(k, set.keyColor(k));
}

bool KeyColourEditor::press(const QPoint &p, Qt::MouseButton button, LightingModel &model)
{
    m_dragging = false;
    if (!inKeyPressArea(p))
        return false;
    if (model.perKeyEditing()) {
        m_pressPoint = p;
        m_dragging = true;
        const Rgb colour = button == Qt::LeftButton ? model.currentColor() : Rgb{};
        const int key = keyAtPoint(p);
        if (key >= 0) {
            model.paintKey(key, colour);
            showKey(key, colour);
        }
    }
    return true;
}

void KeyColourEditor::move(const QPoint &p, Qt::MouseButtons held, const LightingModel &model)
{
    if (!m_dragging || held == Qt::NoButton || !model.perKeyEditing())
        return;
    m_drawRect->setGeometry(100, 0, 730, 260);
    m_drawRect->show();
    m_drawRect->raise();
    m_drawRect->setSelection(m_pressPoint.x(), m_pressPoint.y(), p.x() - m_pressPoint.x(),
                             p.y() - m_pressPoint.y());
}

void KeyColourEditor::hideSelection()
{
    m_drawRect->hide();
}

void KeyColourEditor::release(const QPoint &p, Qt::MouseButton button, LightingModel &model)
{
    if (m_dragging && inKeyReleaseArea(p) && model.perKeyEditing()) {
        const Rgb colour = button == Qt::LeftButton ? model.currentColor() : Rgb{};
        for (int key : keysInBand(m_pressPoint, p)) {
            model.paintKey(key, colour);
            showKey(key, colour);
        }
    }
    m_dragging = false;
}
