// Figures for the macro page's core work on a full macro (84 events): building
// and parsing the stored record, the insert merge, and row removal.

#include "core/macro/MacroCodec.h"
#include "core/macro/MacroFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

using namespace orvanta;
using namespace orvanta::macro;

namespace
{

template <typename F> void measure(const char *what, int rounds, F &&f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i)
        f(i);
    const double us = double(t.nsecsElapsed()) / 1000.0 / rounds;
    std::printf("%-34s %10.2f us/op  (%d rounds)\n", what, us, rounds);
}

} // namespace

int main()
{
    MacroRecord full;
    full.image.fill(0);
    for (int i = 0; i < kMaxEvents; ++i) {
        writeEvent(full.image, 3 * i, 50 * (i % 7), quint8(4 + i % 26), i % 2 == 0);
        full.rows.append({i % 5 == 0 ? QStringLiteral(",") : QString(QChar('a' + i % 26)),
                          i % 2 == 0 ? QStringLiteral("down") : QStringLiteral("up"),
                          QString::number(50 * (i % 7))});
    }
    const MacroTexts five = macroTexts(full.rows, full.image);

    volatile int sink = 0;
    measure("build stored record (84 rows)", 20000,
            [&](int) { sink = sink + macroTexts(full.rows, full.image).keys.size(); });
    measure("parse stored record (84 rows)", 20000,
            [&](int) { sink = sink + parseMacro(five).rows.size(); });
    measure("insert merge at event 10", 200000, [&](int i) {
        sink = sink + mergeInsert(full.image, full.image, 10, 10 + i % 20)[100];
    });
    measure("remove event 0 of 84", 200000, [&](int) {
        Report r = full.image;
        removeEvent(r, 0);
        sink = sink + r[12];
    });

    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    measure("write + read macro file (84 rows)", 50, [&](int) {
        sink = sink + RecordedMacroFile::write(QStringLiteral("Bench"), five).ok();
        sink = sink + parseMacro(RecordedMacroFile::read(QStringLiteral("Bench"))).rows.size();
    });
    QDir::setCurrent(previous);
    return 0;
}
