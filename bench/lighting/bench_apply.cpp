// How long APPLY keeps the GUI thread beyond the keyboard's own pauses: the
// page's applyClicked per effect, with the pauses recorded instead of
// slept, the file writes included. Prints the median over many runs.

#include "core/controller/ConsoleController.h"
#include "ui/lighting/LightingPage.h"
#include "ui/shell/ConsoleContext.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

// Takes operations at once and adds up the pauses they ask for.
class CountingQueue : public orvanta::CommandQueue
{
public:
    quint64 enqueue(orvanta::DeviceOperation operation, orvanta::Origin) override
    {
        for (const orvanta::DeviceStep &step : operation.steps)
            pausedMs += step.pauseMs;
        return ++m_id;
    }
    unsigned pausedMs = 0;

private:
    quint64 m_id = 0;
};

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 200;

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    CountingQueue queue;
    orvanta::ConsoleController controller(&queue);
    ConsoleContext context;
    context.controller = &controller;
    context.sender = &controller.sender();
    context.notices = &controller.notices();

    LightingPage page(&context, nullptr, QStringLiteral("Bench"));
    const char *names[5] = {"Static", "Reactive", "Arrow Flow", "Wave", "Ripple"};
    // The three INI writes are synced to disk by the settings library, so the
    // figures depend on where the temporary directory lies (set TMPDIR).
    std::printf("APPLY overhead beyond the keyboard pauses (median of %d runs, goal < 2 ms)\n"
                "  data directory: %s\n",
                runs, qPrintable(dir.path()));
    for (int k = 0; k < 5; ++k) {
        page.findChild<QComboBox *>(QStringLiteral("effect_combo"))->setCurrentIndex(k);
        std::vector<double> ms;
        ms.reserve(runs);
        for (int i = 0; i < runs; ++i) {
            queue.pausedMs = 0;
            QElapsedTimer t;
            t.start();
            page.applyClicked();
            ms.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("  %-10s median %.3f ms  p90 %.3f ms  (pauses asked: %u ms)\n", names[k],
                    ms[ms.size() / 2], ms[ms.size() * 9 / 10], queue.pausedMs);
    }
    return 0;
}
