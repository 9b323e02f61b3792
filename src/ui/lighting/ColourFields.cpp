#include "ColourFields.h"
#include "core/app/TranslationContexts.h"

#include "LightingWidgets.h"
#include "core/app/PictureCache.h"
#include "core/lighting/ColorCode.h"
#include "core/storage/RegularFile.h"
#include "core/storage/StoredList.h"

#include <QColor>
#include <QCoreApplication>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

using namespace orvanta;

ColourFields::ColourFields(QWidget *page)
{
    auto *palette = new QLabel(page);
    palette->setObjectName(QStringLiteral("palette"));
    palette->setGeometry(524, 440, 140, 140);
    palette->setStyleSheet(QStringLiteral("border-image:url(%1);")
                               .arg(picturePath(QStringLiteral("Image/palette.png"))));
    palette->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_controls << palette;
    const QString editStyle = QStringLiteral(
        "QLineEdit{background:#1e1e21;color:white;border:1px solid #5a5a60;padding-left:4px;}"
        "QLineEdit:focus{border:1px solid #d02020;}");
    const char *channel[3] = {"R :", "G :", "B :"};
    for (int c = 0; c < 3; ++c) {
        m_controls << LightingWidgets::label(page, QLatin1String(channel[c]), "rgb_label",
                                             {680, 444 + 32 * c, 30, 24});
        auto *e = new QLineEdit(page);
        e->setObjectName(QStringLiteral("edit_%1").arg(QChar("rgb"[c])));
        e->setGeometry(712, 442 + 32 * c, 52, 26);
        e->setValidator(new QIntValidator(0, 255, e));
        e->setMaxLength(3);
        e->setStyleSheet(editStyle);
        m_channels[c] = e;
        m_controls << e;
    }
    m_controls << LightingWidgets::label(page, QStringLiteral("(0~255)"), "range_label",
                                         {772, 476, 70, 24});
    m_controls << LightingWidgets::label(page, context::LightingPage::tr("COLOR CODE :"),
                                         "code_label", {680, 542, 110, 24});
    m_code = new QLineEdit(page);
    m_code->setObjectName(QStringLiteral("edit_code"));
    m_code->setGeometry(792, 540, 90, 26);
    m_code->setMaxLength(6);
    m_code->setStyleSheet(editStyle);
    m_controls << m_code;
    const FileRead paletteFile =
        readRegularFile(QStringLiteral("Image/palette.png"), kPictureFileLimit);
    if (paletteFile.ok())
        m_palette = QImage::fromData(paletteFile.bytes);
}

void ColourFields::show(const Rgb &c)
{
    m_channels[0]->setText(QString::number(c.r));
    m_channels[1]->setText(QString::number(c.g));
    m_channels[2]->setText(QString::number(c.b));
    m_code->setText(colorCodeText(c));
}

void ColourFields::setVisible(bool visible)
{
    for (QWidget *w : m_controls)
        w->setVisible(visible);
}

bool ColourFields::isShown() const
{
    return !m_controls.first()->isHidden();
}

Rgb ColourFields::typedChannels() const
{
    return {qBound(0, toNumber(m_channels[0]->text()), 255),
            qBound(0, toNumber(m_channels[1]->text()), 255),
            qBound(0, toNumber(m_channels[2]->text()), 255)};
}

Rgb ColourFields::typedCode() const
{
    return parseColorCode(m_code->text());
}

bool ColourFields::inPalette(const QPoint &p)
{
    return p.x() >= 525 && p.x() <= 663 && p.y() >= 441 && p.y() <= 579;
}

bool ColourFields::paletteColour(const QPoint &p, Rgb *colour) const
{
    const QPoint at(p.x() - 524, p.y() - 440);
    if (!m_palette.valid(at))
        return false;
    const QColor c = m_palette.pixelColor(at);
    qDebug("R::%d", c.red());
    qDebug("G::%d", c.green());
    qDebug("B::%d", c.blue());
    *colour = {c.red(), c.green(), c.blue()};
    return true;
}
