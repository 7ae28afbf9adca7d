#include "platform/ui/ChangeMessages.h"

#include <QDateTime>
#include <QLocale>

#include "platform/ui/MessageBox.h"

namespace korvane {

QString LocalTimeText(const std::string& Utc) {
    const QDateTime time = QDateTime::fromString(QString::fromStdString(Utc), Qt::ISODate);
    if (!time.isValid()) {
        return QStringLiteral("An Unknown Date");
    }
    return QLocale::system().toString(time.toLocalTime(), QLocale::ShortFormat);
}

QString FinalisedRefusalText(const std::string& Utc) {
    return QStringLiteral("Error: The Final Rating Was Finalised On ") + LocalTimeText(Utc) +
           QStringLiteral("; Reopen It In The Administrative Mode To Change Anything");
}

void ShowFinalisedRefusal(const std::string& Utc, QWidget* Parent) {
    ShowError(FinalisedRefusalText(Utc), Parent);
}

void ShowChangeNotLogged(QWidget* Parent) {
    ShowMessage(QStringLiteral("The Change Was Saved, But Changes.log Could Not Be Written: The "
                               "Change Log Misses It."),
                TMessageKind::Warning, TMessageButtons::Ok, Parent);
}

} // namespace korvane
