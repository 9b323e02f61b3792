#pragma once
// The per-key colour editor of the LIGHTING page: the 104 key widgets behind
// the keyboard picture, whose transparent caps let their colours show, and the
// band a drag over the keys marks. With CUSTOMIZED on Static or Reactive a press
// paints one key and a dragged band paints every key inside it (the right button
// paints black).

#include "core/lighting/LightingModel.h"

#include <QPoint>
#include <array>

class QLabel;
class QWidget;
class SelectionRect;

class KeyColourEditor
{
public:
    // Creates the key widgets and the keyboard picture on the page.
    explicit KeyColourEditor(QWidget *page);
    // The marking band lies above the previews, so it is created after them.
    void addSelectionRect();

    void showKey(int key, const orvanta::Rgb &colour);
    void showAll(const orvanta::Rgb &colour);
    void showSet(const orvanta::KeyColorSet &set);
    orvanta::Rgb keyColour(int key) const { return m_shown[key]; }

    // A press on the page ends any drag; one over the keys (true) may start one.
    bool press(const QPoint &p, Qt::MouseButton button, orvanta::LightingModel &model);
    void move(const QPoint &p, Qt::MouseButtons held, const orvanta::LightingModel &model);
    void hideSelection();
    void release(const QPoint &p, Qt::MouseButton button, orvanta::LightingModel &model);

private:
    QWidget *m_page;
    std::array<QLabel *, orvanta::kKeyLightCount> m_keys{};
    std::array<orvanta::Rgb, orvanta::kKeyLightCount> m_shown{};
    SelectionRect *m_drawRect = nullptr;
    QPoint m_pressPoint;
    bool m_dragging = false;
};
