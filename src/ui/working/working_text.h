#pragma once

// The working as the window and the page show it: the subject's inputs, each
// figure's steps, the notes, and the references at the end.

#include "assessment/subject.h"

#include <QString>
#include <optional>

class QLocale;

// Without a completed development, a line that says how to get one.
QString workingHtml(const std::optional<assessment::SubjectData> &subject, const QLocale &locale);
