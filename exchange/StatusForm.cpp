#include "exchange/StatusForm.h"

#include <QCoreApplication>
#include <QLabel>

#include "platform/ui/CopyAnimation.h"
#include "platform/ui/Display.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

TStatusForm::TStatusForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("StatusForm"));
    setWindowTitle(QStringLiteral("StatusForm"));
    // A fixed border and no buttons in the title bar: the work cannot be interrupted.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    setFixedSize(397, 150);
    setFont(ScreenFont());

    Animate1 = new TCopyAnimation(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->setGeometry(56, 24, 272, 60);
    Animate1->setVisible(false);
    Animate1->setEnabled(false);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 104, 385, 16);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setVisible(false);

    CentreOnScreen(this);
}

std::unique_ptr<TStatusForm> TStatusForm::ShowProgress(QWidget* owner) {
    auto form = std::make_unique<TStatusForm>(owner);
    form->show();
    form->raise();
    form->Animate1->setEnabled(true);
    form->Animate1->Start();
    form->Animate1->setVisible(true);
    form->Label1->setVisible(true);
    form->PaintNow();
    return form;
}

void TStatusForm::SetProgressText(const QString& text) {
    Label1->setText(text);
    PaintNow();
}

void TStatusForm::SetProgressCaption(const QString& caption) {
    setWindowTitle(caption);
    PaintNow();
}

void TStatusForm::StopProgress() {
    Animate1->Stop();
    hide();
}

void TStatusForm::CloseProgress() {
    Animate1->Stop();
    Animate1->setVisible(false);
    Animate1->setEnabled(false);
    Label1->setVisible(false);
    hide();
}

void TStatusForm::PaintNow() {
    if (isVisible()) {
        repaint();
        // The window system shows the window, and the windows the work uncovers, only when
        // its events are handled; user input stays queued until the work is done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

} // namespace korvane
