#include "reports/MessageForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/ui/SearchAnimation.h"

namespace korvane {

TMessageForm::TMessageForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("MessageForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(388, 154);

    Label2 = new QLabel(QStringLiteral("Korvane"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    QFont heading = Label2->font();
    heading.setPixelSize(24);
    Label2->setFont(heading);

    Animate1 = new TSearchAnimation(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(Animate1, 1);
    layout->addWidget(Label1);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TMessageForm::SetStatus(const QString& text) {
    Label1->setText(text);
    if (isVisible()) {
        repaint();
    }
}

QString TMessageForm::Status() const {
    return Label1->text();
}

} // namespace korvane
