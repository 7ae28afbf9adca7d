#include "platform/ui/ScreenKit.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <string>

#include "platform/ui/CodePage.h"

namespace korvane {

QFont ScreenFont(int Points) {
    return QFont(QStringLiteral("MS Sans Serif"), Points);
}

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption, const QRect& place) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

Qt::WindowFlags FixedDialogFlags() {
    return Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
}

void MakeFixedDialog(QDialog* dialog, QSize size) {
    dialog->setWindowFlags(FixedDialogFlags());
    dialog->setFixedSize(size);
}

QString MarkText(char Mark) {
    return Mark == '\0' ? QString() : FromCodePage(std::string(1, Mark));
}

} // namespace korvane
