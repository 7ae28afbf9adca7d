#include "exchange/StatusForm.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/CopyAnimation.h"
#include "platform/ui/Display.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {

// Every count is painted while the work is young; after that at most this often.
constexpr qint64 PaintEveryCountMs = 150;
constexpr qint64 PaintIntervalMs = 40;

bool IsUserInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

TStatusForm::TStatusForm(QWidget* owner, TStop stop) : QDialog(owner), Stop_(stop) {
    setObjectName(QStringLiteral("StatusForm"));
    setWindowTitle(QStringLiteral("StatusForm"));
    // A fixed border and no buttons in the title bar: only the work's own Cancel stops it.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    const bool cancel = stop == TStop::Cancel;
    setFixedSize(397, cancel ? 164 : 150);
    setFont(ScreenFont());

    Animate1 = new TCopyAnimation(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->setGeometry(56, 24, 272, 60);
    Animate1->setVisible(false);
    Animate1->setEnabled(false);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 96, 385, 16);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setVisible(false);
    if (!cancel) {
        Label1->move(8, 104);
    }

    CancelBtn = NewButton(this, "CancelBtn", "Cancel", QRect(161, 126, 75, 25));
    CancelBtn->setVisible(cancel);
    connect(CancelBtn, &QPushButton::clicked, this, &TStatusForm::reject);

    CentreOnScreen(this);
}

TStatusForm::~TStatusForm() {
    qApp->removeEventFilter(this);
}

std::unique_ptr<TStatusForm> TStatusForm::ShowProgress(QWidget* owner, TStop stop) {
    auto form = std::make_unique<TStatusForm>(owner, stop);
    if (stop == TStop::Cancel) {
        qApp->installEventFilter(form.get());
    }
    form->show();
    form->raise();
    form->Animate1->setEnabled(true);
    form->Animate1->Start();
    form->Animate1->setVisible(true);
    form->Label1->setVisible(true);
    form->Shown_.start();
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

bool TStatusForm::PaintDue() const {
    return !Shown_.isValid() || Shown_.elapsed() < PaintEveryCountMs || !Painted_.isValid() ||
           Painted_.elapsed() >= PaintIntervalMs;
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
    qApp->removeEventFilter(this);
}

void TStatusForm::reject() {
    // Esc, like the Cancel button, only asks: the work decides where it stops.
    if (Stop_ == TStop::Cancel) {
        Cancelled_ = true;
    }
}

bool TStatusForm::eventFilter(QObject* watched, QEvent* event) {
    // While work that may be cancelled runs, the user reaches this window alone: no other
    // screen may start work of its own in the middle of it.
    if (event->spontaneous() && IsUserInput(event) && watched->isWidgetType()) {
        const QWidget* target = static_cast<QWidget*>(watched)->window();
        return target != this;
    }
    return QDialog::eventFilter(watched, event);
}

void TStatusForm::PaintNow() {
    if (isVisible()) {
        repaint();
        // The window system shows the window, and the windows the work uncovers, only when
        // its events are handled. User input waits for the end of the work, except where the
        // user may cancel it (then only this window receives it).
        QCoreApplication::processEvents(
            Stop_ == TStop::Cancel ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        Painted_.start();
    }
}

} // namespace korvane
