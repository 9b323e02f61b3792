// The virtual keyboard's decoder: the input cut into reports of 264 bytes (the
// rest as one short report), each applied to the keyboard's memory. An input
// starting with "{" is read as a saved state file instead.

#include "FuzzSupport.h"

#include "core/virtual/ReportDecoder.h"
#include "core/virtual/VirtualLighting.h"

#include <QJsonDocument>

namespace
{

// Whatever the memory holds can be drawn, explained and (when it changed) saved
// and read back unchanged.
void checkState(const VirtualKeyboardState &s, bool changed)
{
    FUZZ_CHECK(s.activeProfile >= 1 && s.activeProfile <= kOnboardProfiles);
    FUZZ_CHECK(s.undecoded.size() <= kMaxUndecoded);
    const OnboardProfile &p = s.profile(s.activeProfile);
    lightKeys(p, 123456);
    describeLighting(p.mode);
    for (int k = 0; k < kKeyCount; ++k)
        describeAssignment(p, k);
    if (!changed)
        return;
    VirtualKeyboardState back;
    FUZZ_CHECK(fromJson(toJson(s), back));
    FUZZ_CHECK(back.sameMemory(s));
}

} // namespace

ORVANTA_FUZZ_INITIALISE(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const VirtualKeyboardState factory = factoryState();
    if (size > 0 && data[0] == '{') {
        VirtualKeyboardState loaded;
        const QJsonDocument doc =
            QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char *>(data), int(size)));
        if (fromJson(doc.object(), loaded))
            checkState(loaded, true);
        return 0;
    }
    VirtualKeyboardState state = factory;
    bool changed = false;
    for (size_t at = 0; at < size; at += kReportSize) {
        const size_t length = qMin(kReportSize, size - at);
        const DecodedReport r = applyReport(state, data + at, length);
        describe(r);
        changed = changed || r.kind != ReportKind::Undecoded;
    }
    checkState(state, changed);
    return 0;
}
