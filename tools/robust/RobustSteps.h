#pragma once
// A fixed, endless sequence of saves through the console's own storage
// operations. Each step rewrites one file with content derived from its
// generation alone (and different in each of the first hundred generations),
// so whoever inspects the data directory afterwards can tell which save last
// reached each file and whether the file holds exactly what it wrote.

#include <QString>

namespace orvanta::robust
{

constexpr int kSteps = 8; // per generation; step 1 copies a profile

// The file step `step` writes (relative to the data directory); empty for the copy.
QString stepFile(int step);

// Runs step `step` of generation `generation` in the working directory.
void runStep(int step, qint64 generation);

// The saved profile every copy is taken from; whether `name` is one of the copies.
QString copySource();
bool isCopyName(const QString &name);

} // namespace orvanta::robust
