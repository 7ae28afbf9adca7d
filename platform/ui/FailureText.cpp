#include "platform/ui/FailureText.h"

namespace korvane {

QString OutputRefusalText(const TResult<TOutputRefusal>& Refusal) {
    switch (Refusal.Reason) {
    case TOutputRefusal::None:
        break;
    case TOutputRefusal::NoFileName:
        return QStringLiteral("is not a file name");
    case TOutputRefusal::Unreachable:
        return QStringLiteral("cannot be reached (") + QString::fromStdString(Refusal.Detail) +
               QLatin1Char(')');
    case TOutputRefusal::Link:
        return QStringLiteral("is a link");
    case TOutputRefusal::Folder:
        return QStringLiteral("is a folder");
    case TOutputRefusal::NotRegular:
        return QStringLiteral("is not a regular file");
    case TOutputRefusal::PositionFile:
        return QStringLiteral("is a file of the position");
    }
    return {};
}

} // namespace korvane
