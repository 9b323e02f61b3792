#pragma once
// What the update check shows the user: the question whether to update and the
// release note of an answer that offers nothing newer. Tests replace both.

#include <QString>
#include <functional>

namespace orvanta
{

struct UpdateDialogs {
    // A modal question with Yes and No (information icon, no parent); true on Yes.
    using Question = std::function<bool(const QString &title, const QString &text)>;
    // A small window with the release note; does not block.
    using Note = std::function<void(const QString &note)>;
    static Question ask;
    static Note showNote;
    static void restoreDefaults();
};

} // namespace orvanta
