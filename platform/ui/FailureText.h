#pragma once

#include <QString>

#include "platform/sys/OutputPath.h"
#include "platform/sys/Result.h"

namespace korvane {

// Why an output file is refused, as the messages say it after the file's name ("is a link").
QString OutputRefusalText(const TResult<TOutputRefusal>& Refusal);

} // namespace korvane
