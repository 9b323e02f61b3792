// Draws every picture of the console into the data tree's Image folder and the
// application icons into the icon theme folder:
//   orvanta_artgen <image dir> <icon dir>
// The pictures depend on nothing but this program and the key table, so two runs
// give the same bytes.

#include "ArtKit.h"
#include "Drawings.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <vector>

namespace
{

struct Picture {
    QString path;
    std::function<QImage()> draw;
};

std::vector<Picture> imagePictures()
{
    using namespace artgen;
    std::vector<Picture> list = {
        {"UI Design 2016_Keyboard_out_0.0.png", windowBackground},
        {"UI-Design-2016_Keyboard_out_26_32.71.png", tabFace},
        {"UI-Design-2016_Keyboard_out_204_910.472.png", actionFace},
        {"button_inactive.png", inactiveFace},
        {"button_red.png", redFace},
        {"check_off.png", [] { return checkMark(false); }},
        {"check_on.png", [] { return checkMark(true); }},
        {"eff/fully_lighted/toggle_off.png", [] { return toggleFace(false); }},
        {"eff/fully_lighted/toggle_on.png", [] { return toggleFace(true); }},
        {"UI-Design-2016_Keyboard_1121_03_315.196.png", keyPopup},
        {"palette.png", palette},
        {"bar_bright.png", sliderKnob},
        {"other_back.png", pagePanel},
        {"UI-Design-2016_Keyboard_out_46_61.380.png",
         [] { return iconButton(Symbol::Link, QSize(23, 24), false); }},
        {"UI-Design-2016_Keyboard_out_46_R61.380.png",
         [] { return iconButton(Symbol::Link, QSize(23, 24), true); }},
        {"1123/UI-Design-2016_Keyboard_1121_172_297.260.png", updateFace},
        {"bxeLogoA.png", websiteLogo},
        {"socialLogo.png", communityLogo},
        {"iss_on.png", [] { return shiftFace(ShiftLook::On); }},
        {"iss_off.png", [] { return shiftFace(ShiftLook::Off); }},
        {"iss_disabled.png", [] { return shiftFace(ShiftLook::Disabled); }},
    };

    const struct {
        const char *name;
        Symbol symbol;
        QSize size;
    } icons[] = {
        {"reset", Symbol::Reset, QSize(32, 33)},   {"service", Symbol::Service, QSize(32, 33)},
        {"info", Symbol::Info, QSize(32, 33)},     {"settings", Symbol::Settings, QSize(32, 33)},
        {"close", Symbol::Close, QSize(32, 33)},   {"new", Symbol::New, QSize(33, 25)},
        {"delete", Symbol::Delete, QSize(33, 25)}, {"copy", Symbol::Copy, QSize(33, 25)},
        {"import", Symbol::Import, QSize(33, 25)}, {"export", Symbol::Export, QSize(33, 25)},
    };
    for (const auto &icon : icons) {
        const QString base = QStringLiteral("icons/") + QLatin1String(icon.name);
        const Symbol s = icon.symbol;
        const QSize size = icon.size;
        list.push_back({base + ".png", [s, size] { return iconButton(s, size, false); }});
        list.push_back({base + "_hover.png", [s, size] { return iconButton(s, size, true); }});
    }
    return list;
}

// The platform's start-up notes (a missing runtime folder and the like) say
// nothing about the pictures; only real failures are worth a line in the build.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "orvanta_artgen: %s\n", qPrintable(message));
}

int fail(const QString &message)
{
    std::fprintf(stderr, "orvanta_artgen: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Pictures need fonts but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: orvanta_artgen <image dir> <icon dir>"));
    const QString imageDir = args.at(1);
    const QString iconDir = args.at(2);

    // The keyboard picture must let every key's lamp show through its middle;
    // a picture that disagrees with the key table is not written at all.
    const QImage keyboard = artgen::keyboardPicture();
    const QVector<int> covered = artgen::opaqueKeyCentres(keyboard);
    if (!covered.isEmpty()) {
        QStringList cells;
        for (int cell : covered)
            cells << QString::number(cell);
        return fail(QStringLiteral("keyboard picture covers the middle of cells ") +
                    cells.join(QLatin1Char(',')));
    }
    const QString keyboardName = QStringLiteral(
        "^C123EE04E9FA79AD51A70EB85EDC4904B9A42220E25096A89F^pimgpsh_fullsize_distr.png");
    if (!artgen::savePng(keyboard, imageDir, keyboardName))
        return fail(QStringLiteral("cannot write ") + imageDir + '/' + keyboardName);

    for (const Picture &picture : imagePictures()) {
        if (!artgen::savePng(picture.draw(), imageDir, picture.path))
            return fail(QStringLiteral("cannot write ") + imageDir + '/' + picture.path);
    }

    for (int n : {16, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral("hicolor/%1x%1/apps/com.orvanta.rgbconsole.png").arg(n);
        if (!artgen::savePng(artgen::appIcon(n), iconDir, path))
            return fail(QStringLiteral("cannot write ") + iconDir + '/' + path);
    }
    return 0;
}
